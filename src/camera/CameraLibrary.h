// The binding to the camera library: loads it at run time, resolves its
// exports by name on demand and calls them.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "camera/CameraExports.h"

namespace platform {
class Os;
}

namespace camera {

// What every integer call operation returns when its export is missing or no
// library is loaded. Callers treat it like any other failure code.
constexpr int32_t kMissingExport = -99;

class CameraLibrary {
 public:
  explicit CameraLibrary(platform::Os& os);
  ~CameraLibrary();
  CameraLibrary(const CameraLibrary&) = delete;
  CameraLibrary& operator=(const CameraLibrary&) = delete;

  // Frees a library already held (forgetting every resolved entry point), then
  // loads the one at `path`. On failure writes "LoadLibrary failed\n" to
  // standard output. The result is also what IsLoaded() reports.
  bool Load(const std::string& path);
  // Forgets the resolved entry points and frees the library. A failing free
  // keeps the handle.
  void Unload();
  bool IsLoaded() const { return loaded_; }

  // The entry address of an export; null when no library is held or the name
  // does not resolve. A found address is cached for as long as the library
  // stays loaded; a name that did not resolve is looked up again next time.
  void* Resolve(const char* name);

  // One call operation per export, named after it. Each passes its arguments
  // through unchanged and returns the library's result, or kMissingExport
  // (a null string for the two name getters) without calling anything when
  // the export cannot be resolved.
#define CAMERA_DECLARE_INT_CALL(name, params, args) int32_t name params;
  CAMERA_INT_EXPORTS(CAMERA_DECLARE_INT_CALL)
#undef CAMERA_DECLARE_INT_CALL
#define CAMERA_DECLARE_STRING_CALL(name, params, args) const char* name params;
  CAMERA_STRING_EXPORTS(CAMERA_DECLARE_STRING_CALL)
#undef CAMERA_DECLARE_STRING_CALL

 private:
  platform::Os& os_;
  void* module_ = nullptr;
  std::map<std::string, void*> entryPoints_;
  bool loaded_ = false;
};

}  // namespace camera
