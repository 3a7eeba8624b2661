// What assistive technology and the keyboard find on real windows: the
// accessible names read through the standard interface, the tips read from
// the tip control, and the tab order with its radio group.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"
#include "win32/support/RecordingDialog.h"

// After the platform's headers, which keep the Windows macros from renaming
// its methods.
#include <oleacc.h>

namespace {

class AccessibilityWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_CAPTURE_WINDOW, capture, nullptr);
    ASSERT_NE(window, nullptr);
    hwnd = static_cast<win32::Win32Window*>(window.get())->Handle();
  }
  void TearDown() override {
    if (window != nullptr) window->Destroy();
    CoUninitialize();
  }

  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32_test::RecordingDialog capture;
  std::unique_ptr<platform::Window> window;
  HWND hwnd = nullptr;
};

// The name and role a screen reader gets for a window.
std::pair<std::wstring, long> NameAndRole(HWND control) {
  IAccessible* object = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                                   __uuidof(IAccessible), reinterpret_cast<void**>(&object));
  if (FAILED(found)) return {L"(no object) " + std::to_wstring(found), 0};
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::wstring text = SUCCEEDED(object->get_accName(self, &name)) && name != nullptr
                          ? std::wstring(name) : L"(no name)";
  SysFreeString(name);
  VARIANT role{};
  const long roleValue = SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4
                             ? role.lVal : 0;
  object->Release();
  return {text, roleValue};
}

std::wstring TipOf(HWND toolTip, HWND owner, HWND tool) {
  wchar_t text[80] = {};
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text;
  SendMessageW(toolTip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  return text;
}

}  // namespace

TEST_F(AccessibilityWin32Test, ANamedButtonIsReadByItsNameAndKeepsItsRole) {
  window->SetAccessibleName(IDC_ZOOM_IN, u"Zoom in");
  window->SetAccessibleName(IDC_ZOOM_IN, u"Vergrößern");
  // A button without a name is read by its caption, with the role the
  // system gives buttons.
  const auto best = NameAndRole(GetDlgItem(hwnd, IDC_BEST_FIT));
  EXPECT_EQ(best.first, L"Best");
  EXPECT_EQ(NameAndRole(GetDlgItem(hwnd, IDC_ZOOM_IN)),
            (std::pair<std::wstring, long>{L"Vergrößern", best.second}));

  win32_test::RecordingDialog hostHandler;
  auto host = ui.CreateModeless(IDD_MAIN_PREVIEW_HOST, hostHandler, window.get());
  ASSERT_NE(host, nullptr);
  host->SetAccessibleName(platform::kWholeWindow, u"Live picture");
  EXPECT_EQ(NameAndRole(static_cast<win32::Win32Window*>(host.get())->Handle()).first,
            L"Live picture");
  host->Destroy();
}

TEST_F(AccessibilityWin32Test, TipsAreReadFromTheTipControlAndReplacedOrRemoved) {
  window->SetToolTip(IDC_ZOOM_OUT, u"Zoom out");
  window->SetToolTip(IDC_CAPTURE, u"Space bar: capture");
  const HWND tips = static_cast<win32::Win32Window*>(window.get())->ToolTipControl();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(GetWindow(tips, GW_OWNER), hwnd);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(TipOf(tips, hwnd, GetDlgItem(hwnd, IDC_ZOOM_OUT)), L"Zoom out");
  window->SetToolTip(IDC_CAPTURE, u"空格键：拍照");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(TipOf(tips, hwnd, GetDlgItem(hwnd, IDC_CAPTURE)), L"空格键：拍照");
  window->SetToolTip(IDC_ZOOM_OUT, u"");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(AccessibilityWin32Test, TabFollowsTheGivenOrderAndNeighbouringRadiosFormOneGroup) {
  window->SetTabOrder({IDC_ROTATE, IDC_MERGE_VERTICAL, IDC_MERGE_HORIZONTAL, IDC_SAVE});
  const HWND rotate = GetDlgItem(hwnd, IDC_ROTATE);
  const HWND vertical = GetDlgItem(hwnd, IDC_MERGE_VERTICAL);
  const HWND horizontal = GetDlgItem(hwnd, IDC_MERGE_HORIZONTAL);
  const HWND save = GetDlgItem(hwnd, IDC_SAVE);
  EXPECT_EQ(GetWindow(hwnd, GW_CHILD), rotate);
  EXPECT_EQ(GetWindow(rotate, GW_HWNDNEXT), vertical);
  EXPECT_EQ(GetWindow(vertical, GW_HWNDNEXT), horizontal);
  EXPECT_EQ(GetWindow(horizontal, GW_HWNDNEXT), save);
  window->Show(true);
  EXPECT_EQ(GetNextDlgTabItem(hwnd, rotate, FALSE), vertical);
  // The arrow keys move between the two radios and nowhere else.
  EXPECT_EQ(GetNextDlgGroupItem(hwnd, vertical, FALSE), horizontal);
  EXPECT_EQ(GetNextDlgGroupItem(hwnd, horizontal, FALSE), vertical);
  EXPECT_EQ(GetNextDlgGroupItem(hwnd, save, FALSE), save);
}

TEST_F(AccessibilityWin32Test, EnterOpensTheFocusedThumbnailAndTheMenuKeyOffersItsMenu) {
  platform::ListView* list = window->ListViewControl(IDC_THUMBNAILS);
  ASSERT_NE(list, nullptr);
  list->SetImageSize(16, 12);
  platform::RgbImage picture;
  picture.width = 16;
  picture.height = 12;
  picture.pixels.assign(16 * 12 * 3, 0x80);
  ASSERT_EQ(list->InsertItem(0, u"1_4711", list->AddImage(picture)), 0);
  std::vector<std::pair<platform::ListViewEvent, int>> events;
  list->SetEventHandler(
      [&events](platform::ListViewEvent event, int item, int /*place*/) {
        events.emplace_back(event, item);
      });
  const HWND listHwnd = GetDlgItem(hwnd, IDC_THUMBNAILS);
  LVITEMW state{};
  state.stateMask = state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(listHwnd, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));

  // The dialog gives Enter to the list rather than to its default button.
  MSG enter{listHwnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_NE(SendMessageW(listHwnd, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTALLKEYS,
            0);
  SendMessageW(listHwnd, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(listHwnd), -1);
  EXPECT_EQ(events, (std::vector<std::pair<platform::ListViewEvent, int>>{
                        {platform::ListViewEvent::DoubleClick, 0},
                        {platform::ListViewEvent::RightClick, 0}}));
}
