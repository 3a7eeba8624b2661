#include "camera/CameraLibrary.h"

#include "platform/Os.h"

namespace camera {

CameraLibrary::CameraLibrary(platform::Os& os) : os_(os) {}

CameraLibrary::~CameraLibrary() { Unload(); }

bool CameraLibrary::Load(const std::string& path) {
  if (module_ != nullptr) {
    entryPoints_.clear();
    (void)os_.UnloadModule(module_);
    module_ = nullptr;
  }
  module_ = os_.LoadModule(path);
  loaded_ = module_ != nullptr;
  if (!loaded_) os_.WriteStandardOutput("LoadLibrary failed\n");
  return loaded_;
}

void CameraLibrary::Unload() {
  entryPoints_.clear();
  if (module_ != nullptr && os_.UnloadModule(module_)) module_ = nullptr;
}

void* CameraLibrary::Resolve(const char* name) {
  if (module_ == nullptr) return nullptr;
  const auto cached = entryPoints_.find(name);
  if (cached != entryPoints_.end()) return cached->second;
  void* entry = os_.ResolveSymbol(module_, name);
  if (entry != nullptr) entryPoints_.emplace(name, entry);
  return entry;
}

// Each call operation resolves its export on every call; the cache makes all
// but the first cheap. The entry address is cast to the export's exact
// signature, taken from the same table the library is built from.
#define CAMERA_DEFINE_INT_CALL(name, params, args)            \
  int32_t CameraLibrary::name params {                        \
    using Function = int32_t(CAM_CALL*) params;               \
    void* entry = Resolve(#name);                             \
    if (entry == nullptr) return kMissingExport;              \
    return reinterpret_cast<Function>(entry) args;            \
  }
CAMERA_INT_EXPORTS(CAMERA_DEFINE_INT_CALL)
#undef CAMERA_DEFINE_INT_CALL

#define CAMERA_DEFINE_STRING_CALL(name, params, args)         \
  const char* CameraLibrary::name params {                    \
    using Function = const char*(CAM_CALL*) params;           \
    void* entry = Resolve(#name);                             \
    if (entry == nullptr) return nullptr;                     \
    return reinterpret_cast<Function>(entry) args;            \
  }
CAMERA_STRING_EXPORTS(CAMERA_DEFINE_STRING_CALL)
#undef CAMERA_DEFINE_STRING_CALL

}  // namespace camera
