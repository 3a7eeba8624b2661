// The watermark dialog on real windows, driven as a user would from a timer
// of the dialog's own thread: the system's font list, the size list's edit
// field, sliders whose labels follow the keyboard, the colour button's
// palette and the system colour dialog, and what OK reads back.
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

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<std::wstring> ItemsOf(HWND list) {
  std::vector<std::wstring> items;
  const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

bool Contains(const std::vector<std::wstring>& items, const wchar_t* name) {
  for (const std::wstring& item : items) {
    if (item == name) return true;
  }
  return false;
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

TEST_F(WatermarkDialogWin32, ShowsTheSystemsFontsTheSizeAndTheSliders) {
  WatermarkOptions options;
  options.font = u"DejaVu Serif";
  options.fontSize = 1;
  options.transparency = 70;
  options.angle = 30;
  CWaterMarkDlg dialog(texts, options);
  Steps().push_back([&] {
    HWND d = Dialog(dialog);
    EXPECT_EQ(TextOf(d), L"Watermark Setting");
    const std::vector<std::wstring> fonts = ItemsOf(GetDlgItem(d, IDC_WM_FONT));
    // The system's TrueType fonts (the test machine's own, through Wine),
    // each once, in the list's order, without the vertical variants.
    EXPECT_TRUE(Contains(fonts, L"DejaVu Sans"));
    EXPECT_TRUE(Contains(fonts, L"DejaVu Serif"));
    for (size_t i = 0; i < fonts.size(); ++i) {
      EXPECT_NE(fonts[i][0], L'@') << "no vertical variants";
      if (i > 0) {
        EXPECT_LT(_wcsicmp(fonts[i - 1].c_str(), fonts[i].c_str()), 0) << "sorted, once";
      }
    }
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_FONT)), L"DejaVu Serif");
    EXPECT_EQ(ItemsOf(GetDlgItem(d, IDC_WM_SIZE)).size(), 17u);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_SIZE)), L"10");

    HWND transparency = GetDlgItem(d, IDC_WM_TRANSPARENCY);
    HWND angle = GetDlgItem(d, IDC_WM_ANGLE);
    EXPECT_EQ(SendMessageW(transparency, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(transparency, TBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(SendMessageW(angle, TBM_GETRANGEMAX, 0, 0), 360);
    EXPECT_EQ(SendMessageW(angle, TBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_TRANSPARENCY_VALUE)), L"70%");
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_ANGLE_VALUE)), L"30\u00B0");
    // The keys move the sliders, and the labels follow at once.
    SendMessageW(angle, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_ANGLE_VALUE)), L"360\u00B0");
    SendMessageW(transparency, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(TextOf(GetDlgItem(d, IDC_WM_TRANSPARENCY_VALUE)), L"0%");

    const LONG style = GetWindowLongW(GetDlgItem(d, IDC_WM_COLOR), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW) << "the colour button draws its colour";
    SetWindowTextW(GetDlgItem(d, IDC_WM_SIZE), L"48");
    SendMessageW(GetDlgItem(d, IDC_WM_POS_BOTTOM_RIGHT), BM_CLICK, 0, 0);
    SetWindowTextW(GetDlgItem(d, IDC_WM_TEXT), L"Entwurf \u00E4");
    PostMessageW(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
  });
  ASSERT_EQ(Run(dialog), platform::kIdOk);
  const WatermarkOptions& chosen = dialog.Options();
  EXPECT_EQ(chosen.font, u"DejaVu Serif");
  EXPECT_EQ(chosen.fontSize, 48);
  EXPECT_EQ(chosen.angle, 360.0f);
  EXPECT_EQ(chosen.transparency, 0.0f);
  EXPECT_EQ(chosen.position, 8) << "the radios are one group: the centre was unchecked";
  EXPECT_EQ(chosen.text, u"Entwurf \u00E4");
}

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

TEST_F(WatermarkDialogWin32, EscapeKeepsTheOptions) {
  WatermarkOptions options;
  options.text = u"Kept";
  CWaterMarkDlg dialog(texts, options);
  Steps().push_back([&] {
    SetWindowTextW(GetDlgItem(Dialog(dialog), IDC_WM_TEXT), L"Changed");
    PostMessageW(Dialog(dialog), WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(Run(dialog), platform::kIdCancel);
  EXPECT_EQ(dialog.Options().text, u"Kept");
}
