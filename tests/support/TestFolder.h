// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace testing_support {

class TestFolder {
 public:
  TestFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("prismel-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);  // does not follow links
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as a generic 8-bit path with '/' separators.
  std::string String() const { return path_.generic_string(); }

  // Writes a small file (creating its folders) and returns its path.
  std::filesystem::path WriteFile(const std::filesystem::path& relative,
                                  const std::string& content = "x") const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
