// The built reference camera library, loaded with dlopen, with every export
// and test hook resolved by name. Each test starts from an initialised
// library with an empty call log and ends with it uninitialised.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "KelpraTestHooks.h"
#include "camera/CameraExports.h"
#include "support/TestFolder.h"

namespace kelpra_test {

struct KelpraApi {
#define KELPRA_API_INT(name, params, args) int32_t(CAM_CALL* name) params = nullptr;
#define KELPRA_API_STRING(name, params, args) const char*(CAM_CALL * name) params = nullptr;
  CAMERA_INT_EXPORTS(KELPRA_API_INT)
  CAMERA_STRING_EXPORTS(KELPRA_API_STRING)
  KELPRA_TEST_EXPORTS(KELPRA_API_INT)
#undef KELPRA_API_INT
#undef KELPRA_API_STRING
};

// Kelpra.dll's exports, loaded once per process and never unloaded; a
// missing export stays null.
const KelpraApi& Kelpra();

class KelpraTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string File(const std::string& name) const { return folder.File(name); }
  // Captures `device` into the folder's `name`; returns the library's
  // result. The buffer is what it left.
  int32_t Capture(const std::string& name, std::string* buffer = nullptr, int32_t device = 0);
  std::string CallLog() const;

  const KelpraApi& cam = Kelpra();
  testing_support::TestFolder folder;
};

// For the tests that read captured pictures back: the document camera
// open at 640 x 480, and the independent decoder there.
class CapturedPictureTest : public KelpraTest {
 protected:
  void SetUp() override;
};

}  // namespace kelpra_test
