// The dialogs windres built hold exactly the controls of the control tables,
// at their places, with their kinds and initial states, and the version
// resource carries the project version.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTables.h"
#include "PrismelVersion.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/Win32Ui.h"
#include "platform/win32/Win32Window.h"

namespace {

struct Expected {
  int id;
  const char* kind;
  int left, top, width, height;
  bool visible, enabled;
};

#define EXPECTED_CONTROL(id, kind, caption, x, y, w, h, state) \
  Expected{id, #kind, x, y, w, h, std::string(#state) == "VISIBLE",      \
           std::string(#state) != "HIDDEN_DISABLED"},

const std::vector<Expected> kCaptureWindow = {CAPTURE_WINDOW_CONTROLS(EXPECTED_CONTROL)};

struct Idle : platform::DialogHandler {
  bool OnInitDialog() override { return true; }
};

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring ExpectedClass(const std::string& kind) {
  if (kind == "STATIC" || kind == "ICON" || kind == "FRAME") return L"Static";
  if (kind == "COMBO") return L"ComboBox";
  if (kind == "LISTVIEW") return L"SysListView32";
  return L"Button";
}

}  // namespace

TEST(CaptureWindowTemplate, HoldsTheTableControlsInOrderAtTheirPlaces) {
  win32::Win32Ui ui(GetModuleHandleW(nullptr));
  ui.InitCommonControls();
  Idle handler;
  auto window = ui.CreateModeless(IDD_CAPTURE_WINDOW, handler, nullptr);
  ASSERT_NE(window, nullptr);
  HWND dialog = static_cast<win32::Win32Window*>(window.get())->Handle();
  EXPECT_FALSE(IsWindowVisible(dialog)) << "created without the visible style";
  EXPECT_EQ(window->Caption(), u"Prismel");

  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  ASSERT_EQ(children.size(), 53u);

  for (size_t i = 0; i < kCaptureWindow.size(); ++i) {
    const Expected& e = kCaptureWindow[i];
    SCOPED_TRACE(e.id);
    HWND control = children[i];
    EXPECT_EQ(GetDlgCtrlID(control), e.id);
    EXPECT_EQ(ClassOf(control), ExpectedClass(e.kind));
    EXPECT_EQ((GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0, e.visible);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, e.enabled);

    // Position and size are mapped from dialog units separately.
    RECT place{e.left, e.top, e.width, e.height};
    MapDialogRect(dialog, &place);
    const platform::Rect actual = window->ControlRect(e.id);
    EXPECT_EQ(actual.left, place.left);
    EXPECT_EQ(actual.top, place.top);
    EXPECT_EQ(actual.Width(), place.right);
    // A drop-down list's height is that of its edit field, not of the template.
    if (std::string(e.kind) != "COMBO") {
      EXPECT_EQ(actual.Height(), place.bottom);
    }
  }
  EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_EXIT, DC_HASDEFID));
}

TEST(OtherTemplates, ExistWithTheirControls) {
  win32::Win32Ui ui(GetModuleHandleW(nullptr));
  for (int id : {IDD_ABOUTBOX, IDD_MERGE_PREVIEW, IDD_MERGE_OPTIONS, IDD_RECEIVE_DS_MESSAGES}) {
    Idle handler;
    auto window = ui.CreateModeless(id, handler, nullptr);
    EXPECT_NE(window, nullptr) << id;
  }
  // The preview hosts are child windows: they exist only inside a parent.
  Idle parentHandler;
  auto parent = ui.CreateModeless(IDD_CAPTURE_WINDOW, parentHandler, nullptr);
  for (int id : {IDD_MAIN_PREVIEW_HOST, IDD_SECONDARY_PREVIEW_HOST}) {
    Idle handler;
    auto window = ui.CreateModeless(id, handler, parent.get());
    EXPECT_NE(window, nullptr) << id;
  }
  Idle handler;
  auto merge = ui.CreateModeless(IDD_MERGE_PREVIEW, handler, nullptr);
  EXPECT_TRUE(merge->HasControl(IDC_MERGE_FIRST_PANE));
  EXPECT_TRUE(merge->HasControl(IDC_MERGE_SECOND_PANE));
  // The merge options: two mode boxes, eight outside and five inside
  // radios, OK and Cancel.
  Idle optionsHandler;
  auto options = ui.CreateModeless(IDD_MERGE_OPTIONS, optionsHandler, nullptr);
  ASSERT_NE(options, nullptr);
  for (int id : {1068, 1069, 1059, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1050, 1053, 1049,
                 1057, 1056, IDOK, IDCANCEL}) {
    EXPECT_TRUE(options->HasControl(id)) << id;
  }
}

TEST(StringsAndIcon, AreInTheResources) {
  wchar_t text[64] = {};
  ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64), 0);
  EXPECT_STREQ(text, L"About Tessivue(&A)...");
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
}

TEST(VersionResource, CarriesTheProjectVersion) {
  win32::Win32Os os;
  const auto version = os.OwnProductVersion();
  ASSERT_TRUE(version);
  EXPECT_EQ(*version, (platform::ProductVersion{PRISMEL_VERSION_MAJOR, PRISMEL_VERSION_MINOR,
                                                PRISMEL_VERSION_PATCH, PRISMEL_VERSION_TWEAK}));
}
