// The watermark dialog's colour button on real windows, driven as a user
// would from a timer of the dialog's own thread: its palette, the system
// colour dialog behind the palette's last cell, and the colour OK reads
// back. The rest of the dialog is the window contract's and the end-to-end
// test's (watermark-dialog.sh).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/CWaterMarkDlg.h"
#include "localisation/LanguageFiles.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"

#include <commctrl.h>

namespace {

// Steps run one per timer tick while the modal loops (the dialog's, the
// palette menu's, the colour dialog's) dispatch messages.
std::deque<std::function<void()>>& Steps() {
  static std::deque<std::function<void()>> steps;
  return steps;
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
  static bool running = false;
  if (running || Steps().empty()) return;
  running = true;
  auto step = std::move(Steps().front());
  Steps().pop_front();
  step();
  running = false;
}

struct WindowSearch {
  const wchar_t* className;
  HWND besides;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (window == search->besides || !IsWindowVisible(window) ||
      std::wstring(name) != search->className) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The visible top-level window of this thread with this window class, other
// than `besides`; null when there is none.
HWND ThreadWindowOfClass(const wchar_t* className, HWND besides) {
  WindowSearch search{className, besides, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class WatermarkDialogWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder = exe;
    folder.erase(folder.rfind(L'\\'));
    const std::u16string path(folder.begin(), folder.end());
    ASSERT_TRUE(localisation::LoadUiTexts(os.WideToAnsi(path + u"\\Language\\EN.xml"), os, texts));
    Steps().clear();
  }

  // Runs the dialog with the steps queued; returns its result.
  int Run(CWaterMarkDlg& dialog) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, &RunNextStep);
    const int result = ui.RunModal(IDD_WATERMARK, dialog, nullptr);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(Steps().empty()) << Steps().size() << " steps did not run";
    return result;
  }
  HWND Dialog(CWaterMarkDlg& dialog) {
    return static_cast<win32::Win32Window*>(dialog.GetWindow())->Handle();
  }

  win32::Win32Os os;
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  localisation::UiTextTable texts;
};

}  // namespace

TEST_F(WatermarkDialogWin32, ThePaletteOffersColoursInColumnsAndOtherColoursInTheSystemDialog) {
  WatermarkOptions options;
  CWaterMarkDlg dialog(texts, options);
  // The first column holds black, then maroon: two steps down pick maroon.
  Steps().push_back(
      [&] { PostMessageW(GetDlgItem(Dialog(dialog), IDC_WM_COLOR), BM_CLICK, 0, 0); });
  Steps().push_back([&] {
    HWND menu = ThreadWindowOfClass(L"#32768", nullptr);
    ASSERT_NE(menu, nullptr) << "the palette is open";
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  });
  Steps().push_back([&] {
    EXPECT_EQ(ThreadWindowOfClass(L"#32768", nullptr), nullptr) << "the palette is closed";
    EXPECT_EQ(dialog.GetWindow()->ChosenColor(IDC_WM_COLOR), 0x00000080u);
    PostMessageW(GetDlgItem(Dialog(dialog), IDC_WM_COLOR), BM_CLICK, 0, 0);
  });
  // Upwards from nothing reaches the last cell: other colours.
  Steps().push_back([&] {
    HWND menu = ThreadWindowOfClass(L"#32768", nullptr);
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  });
  Steps().push_back([&] {
    HWND colorDialog = ThreadWindowOfClass(L"#32770", Dialog(dialog));
    ASSERT_NE(colorDialog, nullptr) << "the system colour dialog is open";
    PostMessageW(colorDialog, WM_COMMAND, IDOK, 0);
  });
  Steps().push_back([&] {
    EXPECT_EQ(dialog.GetWindow()->ChosenColor(IDC_WM_COLOR), 0x00000080u)
        << "the colour dialog starts from the button's colour";
    PostMessageW(GetDlgItem(Dialog(dialog), IDOK), BM_CLICK, 0, 0);
  });
  ASSERT_EQ(Run(dialog), platform::kIdOk);
  EXPECT_EQ(dialog.Options().red, 128);
  EXPECT_EQ(dialog.Options().green, 0);
  EXPECT_EQ(dialog.Options().blue, 0);
}
