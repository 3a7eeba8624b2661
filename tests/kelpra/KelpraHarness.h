// The built reference camera library, loaded through the program's own
// binding, which passes every call through unchanged, with its test hooks.
// Each test starts from an initialised library with an empty call log and
// ends with it uninitialised.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/TestFolder.h"

namespace kelpra_test {

// Kelpra.dll, loaded once per process and never unloaded.
camera::CameraLibrary& Kelpra();

class KelpraTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string File(const std::string& name) const { return folder.File(name); }
  // Captures `device` into the folder's `name`; returns the library's
  // result. The buffer is what it left.
  int32_t Capture(const std::string& name, std::string* buffer = nullptr, int32_t device = 0);

  camera::CameraLibrary& cam = Kelpra();
  testing_support::KelpraHooks hooks{cam};
  testing_support::TestFolder folder;
};

// For the tests that read captured pictures back: the document camera
// open at 640 x 480, and the independent decoder there.
class CapturedPictureTest : public KelpraTest {
 protected:
  void SetUp() override;
};

}  // namespace kelpra_test
