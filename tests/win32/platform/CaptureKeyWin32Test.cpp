// The capture key on real windows: Space clicks Capture wherever the focus
// is in the capture window, once per press, except in an edit field; other
// dialogs keep the key's own meaning.
#include <gtest/gtest.h>

#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"
#include "win32/support/RecordingDialog.h"

namespace {

using Commands = std::vector<std::pair<int, int>>;

class CaptureKeyWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, capture, nullptr);
    ASSERT_NE(window, nullptr);
    hwnd = static_cast<win32::Win32Window*>(window.get())->Handle();
    window->SetClickKey(VK_SPACE, IDC_CAPTURE);
    window->Show(true);
    win32_test::HandleWaitingMessages();
  }
  void TearDown() override {
    if (window != nullptr) window->Destroy();
  }
  HWND Control(int id) const { return GetDlgItem(hwnd, id); }

  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32_test::RecordingDialog capture;
  std::unique_ptr<platform::Window> window;
  HWND hwnd = nullptr;
};

}  // namespace

TEST_F(CaptureKeyWin32Test, SpaceOnTheColourListClicksCaptureOnceHoweverLongItIsHeld) {
  SetFocus(Control(IDC_COLOR_MODE));
  win32_test::PressKey(Control(IDC_COLOR_MODE), VK_SPACE, 3);
  EXPECT_EQ(capture.commands, (Commands{{IDC_CAPTURE, platform::kNotifyClicked}}));
  EXPECT_EQ(GetFocus(), Control(IDC_COLOR_MODE));
}

TEST_F(CaptureKeyWin32Test, SpaceOnAButtonOrACheckBoxClicksCaptureInsteadOfThem) {
  SetFocus(Control(IDC_SAVE));
  win32_test::PressKey(Control(IDC_SAVE), VK_SPACE);
  SetFocus(Control(IDC_HAND_CROP));
  win32_test::PressKey(Control(IDC_HAND_CROP), VK_SPACE);
  EXPECT_EQ(capture.commands, (Commands{{IDC_CAPTURE, platform::kNotifyClicked},
                                        {IDC_CAPTURE, platform::kNotifyClicked}}));
  EXPECT_EQ(SendMessageW(Control(IDC_HAND_CROP), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // A disabled Capture is not pressed, and the key still does not toggle.
  EnableWindow(Control(IDC_CAPTURE), FALSE);
  win32_test::PressKey(Control(IDC_HAND_CROP), VK_SPACE);
  EXPECT_EQ(capture.commands.size(), 2u);
  EXPECT_EQ(SendMessageW(Control(IDC_HAND_CROP), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(CaptureKeyWin32Test, AnotherDialogTypesAndTogglesWithSpace) {
  win32_test::RecordingDialog watermark;
  auto dialog = ui.CreateModeless(IDD_WATERMARK, watermark, window.get());
  ASSERT_NE(dialog, nullptr);
  dialog->Show(true);
  const HWND dialogHwnd = static_cast<win32::Win32Window*>(dialog.get())->Handle();
  const HWND text = GetDlgItem(dialogHwnd, IDC_WM_TEXT);
  SetWindowTextW(text, L"Draft");
  SendMessageW(text, EM_SETSEL, 5, 5);
  SetFocus(text);
  win32_test::PressKey(text, VK_SPACE);
  wchar_t typed[32] = {};
  GetWindowTextW(text, typed, 32);
  EXPECT_STREQ(typed, L"Draft ");

  const HWND bold = GetDlgItem(dialogHwnd, IDC_WM_BOLD);
  SetFocus(bold);
  win32_test::PressKey(bold, VK_SPACE);
  EXPECT_EQ(SendMessageW(bold, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(watermark.commands, (Commands{{IDC_WM_BOLD, platform::kNotifyClicked}}));
  EXPECT_TRUE(capture.commands.empty());
  dialog->Destroy();
}
