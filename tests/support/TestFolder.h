// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testing_support {

// The whole file, or empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

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
  // The folder as a generic 8-bit path with '/' separators, and a file in it.
  std::string String() const { return path_.generic_string(); }
  std::string File(const std::string& name) const { return String() + "/" + name; }
  // The whole file, or empty when it does not exist.
  std::string ReadFile(const std::string& name) const { return ReadWholeFile(path_ / name); }

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
