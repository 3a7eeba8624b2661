// The exported functions: each logs its call, honours an injected failure,
// then runs the behaviour in Library.cpp. Names and signatures come from the
// one export table, so they cannot drift from the binding's.
#include "CallLog.h"
#include "FailRules.h"
#include "KelpraPartial.h"
#include "Library.h"

#if defined(_WIN32)
#define KELPRA_EXPORT __declspec(dllexport)
#else
#define KELPRA_EXPORT __attribute__((visibility("default")))
#endif

#define KELPRA_DEFINE_INT_EXPORT(name, params, args)                               \
  KELPRA_IF_EXPORTED(name)                                                         \
  (extern "C" KELPRA_EXPORT int32_t CAM_CALL name params {                         \
    kelpra::AppendCallLog(std::string(#name "(") + kelpra::FormatArgs args + ")"); \
    int32_t injected = 0;                                                          \
    if (kelpra::TakeFailure(#name, injected)) return injected;                     \
    return kelpra::impl::name args;                                                \
  })

#define KELPRA_DEFINE_STRING_EXPORT(name, params, args)                            \
  KELPRA_IF_EXPORTED(name)                                                         \
  (extern "C" KELPRA_EXPORT const char* CAM_CALL name params {                     \
    kelpra::AppendCallLog(std::string(#name "(") + kelpra::FormatArgs args + ")"); \
    int32_t injected = 0;                                                          \
    if (kelpra::TakeFailure(#name, injected)) return nullptr;                      \
    return kelpra::impl::name args;                                                \
  })

// Test hooks are neither logged nor subject to injected failures.
#define KELPRA_DEFINE_TEST_EXPORT(name, params, args) \
  extern "C" KELPRA_EXPORT int32_t CAM_CALL name params { return kelpra::impl::name args; }

CAMERA_INT_EXPORTS(KELPRA_DEFINE_INT_EXPORT)
CAMERA_STRING_EXPORTS(KELPRA_DEFINE_STRING_EXPORT)
KELPRA_TEST_EXPORTS(KELPRA_DEFINE_TEST_EXPORT)
