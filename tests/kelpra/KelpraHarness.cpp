#include "KelpraHarness.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace kelpra_test {

void* OpenLibrary(const char* path) {
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!library) ADD_FAILURE() << "dlopen " << path << ": " << dlerror();
  return library;
}

KelpraApi ResolveApi(void* library) {
  KelpraApi api;
  if (!library) return api;
#define KELPRA_RESOLVE(name, params, args) \
  api.name = reinterpret_cast<decltype(api.name)>(dlsym(library, #name));
  CAMERA_INT_EXPORTS(KELPRA_RESOLVE)
  CAMERA_STRING_EXPORTS(KELPRA_RESOLVE)
  KELPRA_TEST_EXPORTS(KELPRA_RESOLVE)
#undef KELPRA_RESOLVE
  return api;
}

const KelpraApi& Kelpra() {
  // Quick ticks for auto capture, and no configuration file of the host's.
  static const bool environment = [] {
    setenv("KELPRA_TICK_MS", "20", 1);
    setenv("KELPRA_CONFIG", "/nonexistent/Kelpra.ini", 1);
    return true;
  }();
  (void)environment;
  static const KelpraApi api = ResolveApi(OpenLibrary(KELPRA_LIBRARY_PATH));
  return api;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelpra-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data())) path_ = buffer.data();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

void KelpraTest::SetUp() {
  ASSERT_NE(cam.camInitCameraLib, nullptr);
  ASSERT_FALSE(folder.Path().empty());
  ASSERT_EQ(cam.camInitCameraLib(), 0);
  cam.kelpraTestClearCallLog();
}

void KelpraTest::TearDown() {
  cam.camUnInitCameraLib();
  for (const char* name : {"camOpenDev", "camCaptureImageFile", "camGetDevName"})
    cam.kelpraTestFailNext(name, 0, 0);
  cam.kelpraTestClearCallLog();
}

int32_t KelpraTest::Capture(const std::string& name, std::string* buffer, int32_t device) {
  char path[1024] = {};
  const std::string full = folder.File(name);
  std::strncpy(path, full.c_str(), sizeof path - 1);
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
