// The library's behaviour behind each export, one function per export with
// the export's own name and signature, plus the test hooks. Exports.cpp
// wraps them with the call log and failure injection.
#pragma once

#include "KelpraTestHooks.h"
#include "camera/CameraExports.h"

namespace kelpra::impl {

#define KELPRA_DECLARE_INT_IMPL(name, params, args) int32_t name params;
#define KELPRA_DECLARE_STRING_IMPL(name, params, args) const char* name params;
CAMERA_INT_EXPORTS(KELPRA_DECLARE_INT_IMPL)
CAMERA_STRING_EXPORTS(KELPRA_DECLARE_STRING_IMPL)
KELPRA_TEST_EXPORTS(KELPRA_DECLARE_INT_IMPL)
#undef KELPRA_DECLARE_INT_IMPL
#undef KELPRA_DECLARE_STRING_IMPL

}  // namespace kelpra::impl
