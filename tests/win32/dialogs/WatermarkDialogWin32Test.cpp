// The watermark dialog's colour button on real windows, driven as a user
// would from a timer of the dialog's own thread: the system colour dialog
// behind its palette's last cell, and the colour OK reads back. The rest of
// the dialog is the window contract's and the end-to-end test's.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/CWaterMarkDlg.h"
#include "localisation/UiTextTable.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowsHeaders.h"
#include "resource.h"

#include <commctrl.h>

namespace {

// The visible top-level window of this thread with this window class, other
// than `besides`; null when there is none.
HWND VisibleWindowOfClass(const wchar_t* className, HWND besides) {
  for (HWND found = FindWindowExW(nullptr, nullptr, className, nullptr); found != nullptr;
       found = FindWindowExW(nullptr, found, className, nullptr)) {
    const bool ours = GetWindowThreadProcessId(found, nullptr) == GetCurrentThreadId();
    if (ours && found != besides && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// Steps the modal loops (the dialog's, the palette menu's, the colour
// dialog's) run from a timer. A step returns whether what it waits for has
// come; until then it runs again at the next tick, for 30 seconds at most,
// after which the test fails and each tick ends one open loop.
std::deque<std::function<bool()>>& Steps() {
  static std::deque<std::function<bool()>> steps;
  return steps;
}

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
  static bool running = false;
  static int ticks = 0;
  if (running || Steps().empty()) return;
  running = true;
  if (Steps().front()()) {
    Steps().pop_front();
    ticks = 0;
  } else if (++ticks >= 200) {
    EXPECT_NE(ticks, 200) << "a step waited 30 seconds";
    EndMenu();
    EndDialog(VisibleWindowOfClass(L"#32770", nullptr), IDCANCEL);
  }
  running = false;
}

class WatermarkDialogWin32 : public ::testing::Test {
 protected:
  void SetUp() override { ui.InitCommonControls(); }

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

  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  localisation::UiTextTable texts;
};

}  // namespace

// The palette's colours themselves are picked in the end-to-end test
// (watermark-dialog.sh); upwards from nothing its last cell, other colours,
// opens the system's colour dialog at the button's colour.
TEST_F(WatermarkDialogWin32, ThePalettesLastCellOpensTheSystemColourDialogAtTheButtonsColour) {
  WatermarkOptions options;
  options.red = 128;
  CWaterMarkDlg dialog(texts, options);
  Steps().push_back(
      [&] { return PostMessageW(GetDlgItem(Dialog(dialog), IDC_WM_COLOR), BM_CLICK, 0, 0); });
  Steps().push_back([&] {
    HWND menu = VisibleWindowOfClass(L"#32768", nullptr);
    return menu != nullptr && PostMessageW(menu, WM_KEYDOWN, VK_UP, 0) &&
           PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  });
  // The palette closes and the colour dialog opens.
  Steps().push_back([&] {
    HWND colorDialog = VisibleWindowOfClass(L"#32770", Dialog(dialog));
    return VisibleWindowOfClass(L"#32768", nullptr) == nullptr && colorDialog != nullptr &&
           PostMessageW(colorDialog, WM_COMMAND, IDOK, 0);
  });
  Steps().push_back([&] {
    if (VisibleWindowOfClass(L"#32770", Dialog(dialog)) != nullptr) return false;
    EXPECT_EQ(dialog.GetWindow()->ChosenColor(IDC_WM_COLOR), 0x00000080u);
    return PostMessageW(GetDlgItem(Dialog(dialog), IDOK), BM_CLICK, 0, 0) != FALSE;
  });
  ASSERT_EQ(Run(dialog), platform::kIdOk);
  EXPECT_EQ(std::vector<int>({dialog.Options().red, dialog.Options().green, dialog.Options().blue}),
            (std::vector<int>{128, 0, 0}));
}
