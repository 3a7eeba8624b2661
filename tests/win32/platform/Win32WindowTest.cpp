// What only real windows show of the window wrapper, beside the contract it
// shares with the headless window (tests/contract): the 32-bit handle the
// camera library draws into and the kinds of WM_COPYDATA records, in the 32-
// and the 64-bit build alike; the click key held down; Enter and the menu key
// in the list view; the font and the drop-down lists scaled on a change of
// DPI; and the resources windres built. The version the status bar shows and
// the secondary preview laid over the main one are the end-to-end tests'
// (the device screens compare the picture with the secondary camera off and on).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dslink/DSMessageRecord.h"
#include "resource.h"
#include "win32/support/RecordingDialog.h"

namespace {

using win32_test::Handle;
using Win32WindowTest = win32_test::CaptureWindowTest;

LONG FontHeight(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::labs(font.lfHeight);
}

// A drop-down list's field and its list, one under the other.
int FieldAndListHeight(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RECT field{}, list{};
  GetComboBoxInfo(combo, &info);
  GetWindowRect(combo, &field);
  GetWindowRect(info.hwndList, &list);
  return (field.bottom - field.top) + (list.bottom - list.top);
}

}  // namespace

TEST_F(Win32WindowTest, TheHandleGivenToTheLibraryWidensBackToTheWindow) {
  EXPECT_EQ(static_cast<HWND>(LongToHandle(window->NativeHandle())), hwnd);
}

// Record kinds are 32-bit: in a 64-bit process a wider one names no kind.
// Records sent by title are the end-to-end tests' own traffic.
TEST_F(Win32WindowTest, ARecordArrivesWithItsKindAndSizeAndAWiderKindIsRefused) {
  struct Receiver : win32_test::RecordingDialog {
    void OnCopyData(uint32_t kind, const void*, uint32_t size) override {
      received.emplace_back(kind, size);
    }
    std::vector<std::pair<uint32_t, uint32_t>> received;
  } receiver;
  auto target = ui.CreateModeless(IDD_RECEIVE_DS_MESSAGES, receiver, nullptr);
  ASSERT_NE(target, nullptr);
  DSMessageRecord record = MakeDSMessageRecord(kDSCodeFile, u"C:\\scans\\1_4711.jpg");
  for (const uint64_t kind : {uint64_t{1} << 32 | 1002, uint64_t{1002}}) {
    if (kind != static_cast<ULONG_PTR>(kind)) continue;  // a 32-bit process has no wider kind
    COPYDATASTRUCT data{static_cast<ULONG_PTR>(kind), sizeof record, &record};
    SendMessageW(Handle(*target), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  }
  EXPECT_EQ(receiver.received, (std::vector<std::pair<uint32_t, uint32_t>>{{1002u, 524u}}));
}

TEST_F(Win32WindowTest, TheClickKeyHeldDownClicksOnceAndLeavesTheFocusWhereItWas) {
  window->SetClickKey(VK_SPACE, IDC_CAPTURE);
  window->Show(true);
  win32_test::HandleWaitingMessages();
  const HWND colours = GetDlgItem(hwnd, IDC_COLOR_MODE);
  SetFocus(colours);
  win32_test::PressKey(colours, VK_SPACE, 3);
  EXPECT_EQ(handler.commands,
            (std::vector<std::pair<int, int>>{{IDC_CAPTURE, platform::kNotifyClicked}}));
  EXPECT_EQ(GetFocus(), colours);
}

TEST_F(Win32WindowTest, EnterOpensTheFocusedThumbnailAndTheMenuKeyOffersItsMenu) {
  platform::ListView* list = window->ListViewControl(IDC_THUMBNAILS);
  list->SetImageSize(16, 12);
  ASSERT_EQ(list->InsertItem(0, u"1_4711", list->AddImage({16, 12, std::vector<uint8_t>(576)})), 0);
  std::vector<std::pair<platform::ListViewEvent, int>> events;
  list->SetEventHandler([&events](platform::ListViewEvent event, int item, int /*place*/) {
    events.emplace_back(event, item);
  });
  list->SetItemSelected(0, true);
  list->SetFocusedItem(0);
  const HWND listHwnd = GetDlgItem(hwnd, IDC_THUMBNAILS);
  // The dialog gives Enter to the list rather than to its default button.
  EXPECT_TRUE(win32_test::WantsAllKeys(listHwnd, VK_RETURN));
  SendMessageW(listHwnd, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(listHwnd), -1);
  EXPECT_EQ(events, (std::vector<std::pair<platform::ListViewEvent, int>>{
                        {platform::ListViewEvent::DoubleClick, 0},
                        {platform::ListViewEvent::RightClick, 0}}));
}

// The layout itself is the contract's; here the font the system draws with,
// the lists' own heights, the frame and the status bar.
TEST_F(Win32WindowTest, AMoveToHalfAsManyDotsAgainScalesTheFontTheListsAndTheStatusBar) {
  const platform::Rect client = window->ClientRect();
  ASSERT_TRUE(window->CreateStatusBar({0, client.bottom - 20, client.right, client.bottom}));
  const HWND rotate = GetDlgItem(hwnd, IDC_ROTATE);
  const int dropped = FieldAndListHeight(rotate);
  const LONG font = FontHeight(rotate);
  const RECT suggested = win32_test::MoveToDpi(hwnd, window->Dpi(), window->Dpi() * 3 / 2);
  // The list shows whole items only, so it may lose part of one.
  EXPECT_LE(FieldAndListHeight(rotate), dropped * 3 / 2 + 1);
  EXPECT_GE(FieldAndListHeight(rotate), dropped * 5 / 4);
  EXPECT_NEAR(FontHeight(rotate), font * 3 / 2, 1);
  RECT now{};
  GetWindowRect(hwnd, &now);
  EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
  RECT bar{};
  GetWindowRect(FindWindowExW(hwnd, nullptr, STATUSCLASSNAMEW, nullptr), &bar);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, window->ClientRect().bottom) << "the status bar keeps to the bottom";
}

TEST_F(Win32WindowTest, TheResourcesHoldTheStringTheIconAndTheDefaultButton) {
  EXPECT_EQ(ui.LoadString(IDS_ABOUTBOX), u"About Tessivue(&A)...");
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
  EXPECT_EQ(SendMessageW(hwnd, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_EXIT, DC_HASDEFID));
}
