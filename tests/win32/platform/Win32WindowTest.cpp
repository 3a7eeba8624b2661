// The window wrapper's two ways out of the process: the 32-bit handle the
// camera library draws into, and WM_COPYDATA records from the data source,
// checked on real windows in whichever build runs them (32- or 64-bit); and
// the two preview hosts the library draws into, laid one over the other.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dslink/DSMessageRecord.h"
#include "platform/win32/Win32Link.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"
#include "resource.h"

namespace {

struct Received {
  uint32_t kind;
  uint32_t size;
  std::u16string text;
};

struct Receiver : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
  void OnCopyData(uint32_t kind, const void* data, uint32_t size) override {
    const auto message = ReadTextMessage(data, size);
    received.push_back({kind, size, message ? message->text : u""});
  }
  std::vector<Received> received;
};

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.InitCommonControls();
    window = ui.CreateModeless(IDD_RECEIVE_DS_MESSAGES, receiver, nullptr);
    ASSERT_NE(window, nullptr);
    window->SetCaption(kTitle);
    hwnd = static_cast<win32::Win32Window*>(window.get())->Handle();
  }

  const std::u16string kTitle = u"Win32WindowTest receiver";
  win32::Win32Ui ui{GetModuleHandleW(nullptr)};
  win32::Win32Link link;
  Receiver receiver;
  std::unique_ptr<platform::Window> window;
  HWND hwnd = nullptr;
};

}  // namespace

TEST_F(Win32WindowTest, NativeHandleWidensBackToTheSameWindow) {
  const int32_t handed = window->NativeHandle();
  EXPECT_NE(handed, 0);
  // What the camera library does with the value it is given.
  const HWND widened = static_cast<HWND>(LongToHandle(handed));
  EXPECT_EQ(widened, hwnd);
  EXPECT_TRUE(IsWindow(widened));
}

TEST_F(Win32WindowTest, ARecordSentByTitleArrivesWithItsKindSizeAndText) {
  const DSMessageRecord record = MakeDSMessageRecord(kDSCodeFile, u"C:\\scans\\1_4711.jpg");
  const platform::SendResult sent =
      link.SendCopyData(kTitle, kDSKindTextMessage, &record, sizeof record);

  EXPECT_TRUE(sent.delivered);
  ASSERT_EQ(receiver.received.size(), 1u);
  EXPECT_EQ(receiver.received[0].kind, 1002u);
  EXPECT_EQ(receiver.received[0].size, 524u);
  EXPECT_EQ(receiver.received[0].text, u"C:\\scans\\1_4711.jpg");
  EXPECT_FALSE(link.SendCopyData(u"no window has this title", 1002, &record, sizeof record)
                   .delivered);
}

// A 32-bit process has no wider kind: the 64-bit build runs this one.
#if defined(_WIN64)
TEST_F(Win32WindowTest, AKindWiderThan32BitsIsNotTakenForItsLowHalf) {
  const DSMessageRecord record = MakeDSMessageRecord(kDSCodeFinishRequest, u"");
  COPYDATASTRUCT copyData{};
  copyData.cbData = sizeof record;
  copyData.lpData = const_cast<DSMessageRecord*>(&record);
  copyData.dwData = static_cast<ULONG_PTR>(uint64_t{1} << 32 | 1002);
  SendMessageW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData));
  EXPECT_TRUE(receiver.received.empty());

  copyData.dwData = 1002;
  SendMessageW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData));
  ASSERT_EQ(receiver.received.size(), 1u);
  EXPECT_EQ(receiver.received[0].kind, 1002u);
}
#endif

namespace {
struct Idle : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
};
}  // namespace

TEST_F(Win32WindowTest, TheSecondaryPreviewHostLiesOverTheMainOneWhichPaintsAroundIt) {
  Idle parentHandler, mainHandler, secondaryHandler;
  auto parent = ui.CreateModeless(IDD_CAPTURE_WINDOW, parentHandler, nullptr);
  ASSERT_NE(parent, nullptr);
  const platform::Rect area = parent->ControlRect(IDC_PREVIEW_AREA);
  // As the capture window builds them: the main host over the placeholder,
  // shown; the secondary one over its top-right third, hidden until the
  // secondary camera is switched on.
  auto main = ui.CreateModeless(IDD_MAIN_PREVIEW_HOST, mainHandler, parent.get());
  ASSERT_NE(main, nullptr);
  main->SetParentWindow(parent.get());
  main->MoveTo(area);
  main->Show(true);
  auto secondary = ui.CreateModeless(IDD_SECONDARY_PREVIEW_HOST, secondaryHandler, parent.get());
  ASSERT_NE(secondary, nullptr);
  secondary->SetParentWindow(parent.get());
  const int left = area.left + area.Width() / 3 * 2;
  secondary->MoveTo({left, area.top, left + area.Width() / 3, area.top + area.Height() / 3});
  secondary->Show(false);
  parent->Show(true);
  secondary->Show(true);

  const HWND parentHwnd = static_cast<win32::Win32Window*>(parent.get())->Handle();
  const HWND mainHwnd = static_cast<win32::Win32Window*>(main.get())->Handle();
  const HWND secondaryHwnd = static_cast<win32::Win32Window*>(secondary.get())->Handle();
  const POINT inBoth{left + 5, area.top + 5};
  const POINT inMainOnly{area.left + 5, area.bottom - 5};
  EXPECT_EQ(ChildWindowFromPointEx(parentHwnd, inBoth, CWP_SKIPINVISIBLE), secondaryHwnd);
  EXPECT_EQ(ChildWindowFromPointEx(parentHwnd, inMainOnly, CWP_SKIPINVISIBLE), mainHwnd);
  // The library paints the main picture through GetDC: the secondary picture
  // over it is clipped out of that painting.
  EXPECT_NE(GetWindowLongW(mainHwnd, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
  for (auto* window : {secondary.get(), main.get(), parent.get()}) window->Destroy();
}
