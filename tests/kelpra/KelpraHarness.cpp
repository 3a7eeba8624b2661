#include "KelpraHarness.h"

#include <stdlib.h>

#include <cstring>

#include "IdentifiedImage.h"
#include "platform/headless/HeadlessOs.h"
#include "support/CameraExportList.h"

namespace kelpra_test {

camera::CameraLibrary& Kelpra() {
  static headless::HeadlessOs os;
  static camera::CameraLibrary library(os);
  // Quick ticks for auto capture, and no configuration file of the host's.
  static const bool loaded = [] {
    setenv("KELPRA_TICK_MS", "20", 1);
    setenv("KELPRA_CONFIG", "/nonexistent/Kelpra.ini", 1);
    return library.Load(KELPRA_LIBRARY_PATH);
  }();
  EXPECT_TRUE(loaded) << KELPRA_LIBRARY_PATH;
  return library;
}

void KelpraTest::SetUp() {
  ASSERT_TRUE(cam.IsLoaded());
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  ASSERT_TRUE(hooks.ClearCallLog());
}

void KelpraTest::TearDown() {
  cam.camUnInitCameraLib();
  for (const auto& e : testing_support::kCameraExports) hooks.FailNext(e.name, 0, 0);
  hooks.ClearCallLog();
}

void CapturedPictureTest::SetUp() {
  KelpraTest::SetUp();
  ASSERT_TRUE(ImageMagickInstalled());
  ASSERT_EQ(cam.camOpenDev(0, 0, 640, 480), 0);
}

int32_t KelpraTest::Capture(const std::string& name, std::string* buffer, int32_t device) {
  char path[1024] = {};
  std::strncpy(path, File(name).c_str(), sizeof path - 1);
  const int32_t result = cam.camCaptureImageFile(device, path);
  if (buffer) *buffer = path;
  return result;
}

}  // namespace kelpra_test
