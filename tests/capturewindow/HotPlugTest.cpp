// A camera unplugged and plugged back while the window runs: the camera
// that is opened afterwards gets the choices the window shows, and the
// secondary camera comes back with a second camera, as the user left it.
#include <cstdio>
#include <optional>

#include "DeviceSteps.h"
#include "platform/headless/TextConversions.h"

namespace {

using namespace device_steps;

const std::vector<std::string> kOptionCalls = {
    "camOpenDev",          "camSetImageColorStyle",  "camSetImageAdjust",
    "camSetImageAutoCrop", "camSetImageCusCropRect", "camSetImageFillBorder",
    "camSetImageRotateMode"};

// The calls from `mark` on that name one of `names`, in their order.
Lines CallsOf(CaptureWindowHarness& h, size_t mark, const std::vector<std::string>& names) {
  Lines picked;
  for (const std::string& line : CallsSince(h, mark)) {
    const std::string name = line.substr(0, line.find('('));
    if (std::find(names.begin(), names.end(), name) != names.end()) picked.push_back(line);
  }
  return picked;
}

std::string Handle(platform::Window* window) {
  return window != nullptr ? std::to_string(window->NativeHandle()) : "none";
}

struct Bitmap {
  int width = 0;
  int height = 0;
  bool grey = true;  // every pixel has equal red, green and blue
};

// Reads a 24-bit BMP as the reference library writes it; nothing on a file
// of another kind.
std::optional<Bitmap> ReadBitmap(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::vector<unsigned char> bytes;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    bytes.push_back(static_cast<unsigned char>(c));
  }
  std::fclose(file);
  auto at = [&](size_t offset, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
    return value;
  };
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || at(28, 2) != 24) {
    return std::nullopt;
  }
  Bitmap bitmap;
  bitmap.width = static_cast<int>(at(18, 4));
  bitmap.height = static_cast<int>(at(22, 4));
  const size_t stride = (static_cast<size_t>(bitmap.width) * 3 + 3) / 4 * 4;
  const size_t data = at(10, 4);
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bytes.size() < data + stride * static_cast<size_t>(bitmap.height)) {
    return std::nullopt;
  }
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const unsigned char* pixel = &bytes[data + y * stride + x * 3];
      bitmap.grey = bitmap.grey && pixel[0] == pixel[1] && pixel[1] == pixel[2];
    }
  }
  return bitmap;
}

settings::SessionSettings ReadSavedSettings(CaptureWindowHarness& h) {
  settings::SessionSettings saved;
  EXPECT_TRUE(settings::LoadSessionSettingsFile(
      h.host.os, h.ProgramFile("LastSetting.xml").string(), saved));
  return saved;
}

TEST(HotPlug, UnpluggingTheDocumentCameraGivesTheWebcamTheChoicesTheListsShow) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 5000;
  size_t mark = 0;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_TRUE(w.UserSelect(IDC_COLOR_MODE, 1));  // grey
    ASSERT_TRUE(w.UserSelect(IDC_CROP_MODE, 0));   // no cropping
    ASSERT_TRUE(w.UserSelect(IDC_ROTATE, 1));      // a quarter turn
    ASSERT_TRUE(w.UserClick(IDC_FILL_BORDER));
    mark = Mark(h);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.UnplugDevice(0), 1);
  });
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(Items(h, IDC_DEVICE), Texts{u"Kelpra Webcam"});
    // The webcam, now the main camera, is opened first and then hears every
    // choice, as a camera does at start-up.
    EXPECT_EQ(CallsOf(h, mark, kOptionCalls),
              (Lines{"camOpenDev(0,0,0,0)", "camOpenDev(0,0,640,480)",
                     "camSetImageColorStyle(0,1)", "camSetImageAdjust(0,3)",
                     "camSetImageAutoCrop(0,0)", "camSetImageRotateMode(0,1)",
                     "camSetImageCusCropRect(0,0,0,0,0)", "camSetImageAutoCrop(0,0)",
                     "camSetImageFillBorder(0,1)"}));
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 1);
    EXPECT_EQ(w.Selection(IDC_CROP_MODE), 0);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_TRUE(w.IsChecked(IDC_FILL_BORDER));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());

    // The webcam's 640 x 480 picture comes out grey and turned upright.
    ASSERT_TRUE(w.UserClick(IDC_CAPTURE));
    const std::optional<Bitmap> picture =
        ReadBitmap(headless::NativePath(h.WorkFile("1_5000.bmp")));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 480);
    EXPECT_EQ(picture->height, 640);
    EXPECT_TRUE(picture->grey);
  });
  h.Run();
}

// How the second camera went missing before it is plugged in.
enum class Missing { UnpluggedDuringTheSession, AbsentAtStartUp };

class SecondaryCameraComesBack : public testing::TestWithParam<Missing> {};

TEST_P(SecondaryCameraComesBack, WithTheSecondCameraAndIsSavedAsOn) {
  CaptureWindowHarness h;
  h.host.os.tickCount = 7000;
  if (GetParam() == Missing::AbsentAtStartUp) {
    h.WriteProgramFile("Kelpra.ini", "[Device]\nName=Desk Camera\nFormat=MJPG\nSize=640x480\n");
  }
  settings::SessionSettings saved;
  saved.Webcam.isEnable = true;
  saved.Webcam.WebcamWidth = 1280;
  saved.Webcam.WebcamHeight = 720;
  SaveSettings(h, saved);
  size_t mark = 0;
  h.Then([&] {
    mark = Mark(h);
    if (GetParam() == Missing::UnpluggedDuringTheSession) {
      ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
      testing_support::KelpraHooks hooks(h.dialog->Camera());
      ASSERT_EQ(hooks.UnplugDevice(1), 1);
    }
  });
  h.Then([&] {
    auto& w = h.Window();
    const capturewindow::DeviceSession& devices = h.dialog->Devices();
    ASSERT_EQ(w.ItemCount(IDC_DEVICE), 1);
    // The check stays as the user left it; nothing of the camera is shown
    // or usable while it is missing, and no camera is opened for it.
    EXPECT_TRUE(w.IsChecked(IDC_SECONDARY_CAMERA));
    EXPECT_FALSE(w.IsEnabled(IDC_SECONDARY_CAMERA));
    EXPECT_FALSE(w.IsControlVisible(IDC_SECONDARY_CAPTURE));
    EXPECT_FALSE(devices.SecondaryPreviewHost()->IsVisible());
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_MERGE_SETTINGS,
                   IDC_SECONDARY_MERGE}) {
      EXPECT_FALSE(w.IsEnabled(id)) << id;
    }
    EXPECT_EQ(devices.SecondaryDeviceIndex(), -1);
    EXPECT_EQ(CountCalls(CallsSince(h, mark), "camOpenDev(1,"), 0u);

    // A capture takes the main camera's picture alone.
    mark = Mark(h);
    ASSERT_TRUE(w.UserClick(IDC_CAPTURE));
    EXPECT_EQ(CallsOf(h, mark, {"camCaptureImageFile"}),
              Lines{"camCaptureImageFile(0,\"" + h.WorkFile("1_7000.bmp") + "\")"});
    ASSERT_TRUE(w.UserClick(IDC_SAVE));
    EXPECT_TRUE(ReadSavedSettings(h).Webcam.isEnable);

    mark = Mark(h);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    ASSERT_EQ(hooks.PlugDevice("Visitor"), 2);
  });
  h.Then([&] {
    auto& w = h.Window();
    const capturewindow::DeviceSession& devices = h.dialog->Devices();
    // The plugged camera opens at the saved size in the secondary camera's
    // picture.
    const Lines calls = CallsSince(h, mark);
    EXPECT_EQ(CountCalls(calls, "camOpenDev(1,"), 1u);
    EXPECT_EQ(FirstOf(FromLast(calls, "camOpenDev(1,"), 2),
              (Lines{"camOpenDev(1,0,1280,720)",
                     "camSetPreviewWindow(1," + Handle(devices.SecondaryPreviewHost()) + ")"}));
    EXPECT_EQ(devices.SecondaryDeviceIndex(), 1);
    EXPECT_EQ(w.ItemText(IDC_SECONDARY_DEVICE, 1), u"Visitor");
    EXPECT_TRUE(w.IsChecked(IDC_SECONDARY_CAMERA));
    EXPECT_TRUE(w.IsEnabled(IDC_SECONDARY_CAMERA));
    EXPECT_TRUE(w.IsControlVisible(IDC_SECONDARY_CAPTURE));
    EXPECT_TRUE(devices.SecondaryPreviewHost()->IsVisible());
    for (int id : {IDC_SECONDARY_DEVICE, IDC_SECONDARY_FRAME_SIZE, IDC_SECONDARY_MERGE}) {
      EXPECT_TRUE(w.IsEnabled(id)) << id;
    }
  });
  h.Run();
  EXPECT_TRUE(ReadSavedSettings(h).Webcam.isEnable);
}

INSTANTIATE_TEST_SUITE_P(HotPlug, SecondaryCameraComesBack,
                         testing::Values(Missing::UnpluggedDuringTheSession,
                                         Missing::AbsentAtStartUp),
                         [](const testing::TestParamInfo<Missing>& info) {
                           return info.param == Missing::AbsentAtStartUp
                                      ? "AbsentAtStartUp"
                                      : "UnpluggedDuringTheSession";
                         });

TEST(HotPlug, UnpluggingTheSecondaryWebcamRebuildsTheSessionAndKeepsTheChoicesShown) {
  CaptureWindowHarness h;
  settings::SessionSettings saved;
  saved.Webcam.isEnable = true;
  SaveSettings(h, saved);
  size_t mark = 0;
  h.Then([&] {
    auto& w = h.Window();
    ASSERT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    ASSERT_TRUE(w.UserSelect(IDC_UNIT, 1));
    ASSERT_TRUE(w.UserSelect(IDC_COLOR_MODE, 2));
    ASSERT_TRUE(w.UserSelect(IDC_ROTATE, 1));
    ASSERT_TRUE(w.UserSelect(IDC_AUTO_CAPTURE_MODE, 0));
    w.SetChecked(IDC_SECONDARY_MERGE, true);
    mark = Mark(h);
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    EXPECT_EQ(hooks.UnplugDevice(1), 1);
  });
  h.Then([&] {
    auto& w = h.Window();
    EXPECT_EQ(Items(h, IDC_DEVICE), Texts{u"Kelpra Document Camera"});
    EXPECT_EQ(Items(h, IDC_SECONDARY_DEVICE), Texts{u"Kelpra Document Camera"});
    EXPECT_EQ(FirstOf(CallsSince(h, mark), 7),
              (Lines{"camStopCameraLib()", "camUpdateCameraLib()", "camGetDevCount(&)",
                     "camGetDevName(0)", "camCloseDev(-1)", "camOpenDev(0,0,0,0)",
                     "camOpenDev(0,0,640,480)"}));
    EXPECT_EQ(h.dialog->Devices().MainDeviceIndex(), 0);
    // The option controls show what they showed before.
    EXPECT_EQ(w.Selection(IDC_UNIT), 1);
    EXPECT_EQ(Items(h, IDC_FRAME_SIZE), (Texts{u"300", u"260", u"250", u"200", u"100"}));
    EXPECT_EQ(w.Selection(IDC_COLOR_MODE), 2);
    EXPECT_EQ(w.Selection(IDC_ROTATE), 1);
    EXPECT_EQ(w.Selection(IDC_AUTO_CAPTURE_MODE), 0);
    EXPECT_TRUE(w.IsChecked(IDC_SECONDARY_MERGE));
    EXPECT_TRUE(h.host.ui.messageBoxes.empty());
  });
  h.Run();
}

TEST(HotPlug, APluggedCameraCanBeTheSecondaryCameraAgain) {
  CaptureWindowHarness h;
  h.Then([&] {
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    EXPECT_EQ(hooks.UnplugDevice(1), 1);
  });
  h.Then([&] {
    EXPECT_FALSE(h.Window().IsEnabled(IDC_SECONDARY_CAMERA));
    testing_support::KelpraHooks hooks(h.dialog->Camera());
    EXPECT_EQ(hooks.PlugDevice("Visitor"), 2);
  });
  h.Then([&] {
    // Off before, off now: the plugged camera waits for the user.
    EXPECT_TRUE(h.Window().IsEnabled(IDC_SECONDARY_CAMERA));
    EXPECT_FALSE(h.Window().IsChecked(IDC_SECONDARY_CAMERA));
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), -1);
    CommandToggle(h, IDC_SECONDARY_CAMERA);
    EXPECT_EQ(h.dialog->Devices().SecondaryDeviceIndex(), 1);
    EXPECT_EQ(h.Window().ItemText(IDC_SECONDARY_DEVICE, 1), u"Visitor");
  });
  h.Run();
}

}  // namespace
