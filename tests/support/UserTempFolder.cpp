#include "support/UserTempFolder.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

constexpr size_t kLongestComponent = 100;

// Folder names that take `parent/` to `length` characters with a trailing
// '/', none longer than a file system allows.
fs::path PaddedFolders(const std::string& parent, size_t length) {
  const size_t remaining = length - parent.size();
  const size_t count = (remaining + kLongestComponent) / (kLongestComponent + 1);
  const size_t each = (remaining - count) / count;
  size_t first = remaining - count - each * (count - 1);
  fs::path padded;
  for (size_t i = 0; i < count; ++i, first = each) padded /= std::string(first, 'd');
  return padded;
}

}  // namespace

UserTempFolder MakeUserTempFolder(headless::HeadlessOs& os, const fs::path& parent,
                                  UserTempKind kind, bool withShortName, size_t length) {
  const std::string base = parent.generic_string() + "/";
  UserTempFolder temp;
  // On disk the headless platform keeps a wide path as UTF-8.
  const fs::path relative = kind == UserTempKind::Cyrillic
                                ? fs::path(u8"Временные файлы Пользователя")
                                : PaddedFolders(base, length);
  temp.onDisk = parent / relative;
  fs::create_directories(temp.onDisk);
  temp.path = os.Utf8ToWide(base + relative.generic_string() + "/");
  if (withShortName) {
    const char* shortName = kind == UserTempKind::Cyrillic ? "VREMEN~1" : "DDDDDD~1";
    fs::create_directory_symlink(temp.onDisk, parent / shortName);
    temp.shortPath = os.Utf8ToWide(base + shortName + "/");
    os.shortPaths[temp.path] = temp.shortPath;
  }
  os.tempPath = temp.path;
  return temp;
}

}  // namespace testing_support
