#include "KelpraHarness.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <cstring>
#include <vector>

#include "IdentifiedImage.h"
#include "support/CameraExportList.h"

namespace kelpra_test {
namespace {

constexpr char kNoConfig[] = "/nonexistent/Kelpra.ini";

KelpraApi LoadApi(const char* path) {
  KelpraApi api;
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    ADD_FAILURE() << "dlopen " << path << ": " << dlerror();
    return api;
  }
#define KELPRA_RESOLVE(name, params, args) \
  api.name = reinterpret_cast<decltype(api.name)>(dlsym(library, #name));
  CAMERA_INT_EXPORTS(KELPRA_RESOLVE)
  CAMERA_STRING_EXPORTS(KELPRA_RESOLVE)
  KELPRA_TEST_EXPORTS(KELPRA_RESOLVE)
#undef KELPRA_RESOLVE
  return api;
}

}  // namespace

const KelpraApi& Kelpra() {
  // Quick ticks for auto capture, and no configuration file of the host's.
  static const bool environment = [] {
    setenv("KELPRA_TICK_MS", "20", 1);
    setenv("KELPRA_CONFIG", kNoConfig, 1);
    return true;
  }();
  (void)environment;
  static const KelpraApi api = LoadApi(KELPRA_LIBRARY_PATH);
  return api;
}

void KelpraTest::SetUp() {
  ASSERT_NE(cam.camInitCameraLib, nullptr);
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  cam.kelpraTestClearCallLog();
}

void KelpraTest::TearDown() {
  cam.camUnInitCameraLib();
  for (const auto& e : testing_support::kCameraExports) cam.kelpraTestFailNext(e.name, 0, 0);
  cam.kelpraTestClearCallLog();
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

std::string KelpraTest::CallLog() const {
  const int32_t length = cam.kelpraTestGetCallLog(nullptr, 0);
  std::vector<char> text(static_cast<size_t>(length) + 1);
  cam.kelpraTestGetCallLog(text.data(), static_cast<int32_t>(text.size()));
  return text.data();
}

}  // namespace kelpra_test
