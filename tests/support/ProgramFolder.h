// A program folder as the installer leaves it: the reference camera library
// and the language files beside the executable, and a temp folder of its
// own. The headless OS is pointed at it.
#pragma once

#include <filesystem>
#include <string>

#include "support/TestFolder.h"
#include "platform/headless/HeadlessOs.h"

namespace testing_support {

class ProgramFolder {
 public:
  struct Options {
    bool withLibrary = true;
    // The library without camZooIn and camStartAutoCapture.
    bool partialLibrary = false;
    // The library installed as Kelpra.dll; empty: the full reference library.
    std::string library;
  };

  explicit ProgramFolder(headless::HeadlessOs& os) : ProgramFolder(os, Options{}) {}
  ProgramFolder(headless::HeadlessOs& os, Options options);

  std::filesystem::path File(const std::string& name) const { return folder_.Path() / name; }
  void WriteFile(const std::string& name, const std::string& content) const {
    folder_.WriteFile(name, content);
  }
  // The whole file, or empty when it does not exist.
  std::string ReadFile(const std::string& name) const { return folder_.ReadFile(name); }

 private:
  TestFolder folder_;
};

}  // namespace testing_support
