#include "thumbnails/AsideFiles.h"

#include <algorithm>

namespace thumbnails {
namespace {

// A name taken in the folder (a file left there by an earlier session that
// could not be removed) is skipped; this many numbers are tried.
constexpr int kNameAttempts = 16;

}  // namespace

std::optional<std::u16string> AsideFiles::SetAside(const std::u16string& path) {
  if (!os_.FileExists(path)) return std::nullopt;
  const std::string from = os_.WideToAnsi(path);
  const size_t slash = path.find_last_of(u"\\/");
  if (slash != std::u16string::npos) {
    // The folder is written with the separator the path itself uses.
    const std::u16string folder = path.substr(0, slash + 1) + kAsideFolderName;
    const std::string narrowFolder = os_.WideToAnsi(folder);
    const bool known =
        std::find(folders_.begin(), folders_.end(), narrowFolder) != folders_.end();
    if (!known && (os_.IsFolder(narrowFolder) || os_.CreateFolder(narrowFolder))) {
      folders_.push_back(narrowFolder);
    }
    const std::u16string name = path.substr(slash + 1);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      const std::string number = std::to_string(nextNumber_++);
      const std::u16string aside = folder + path[slash] +
                                   std::u16string(number.begin(), number.end()) + u'_' + name;
      if (os_.RenameFile(from, os_.WideToAnsi(aside))) return aside;
    }
  }
  // Nowhere to keep it: the picture is deleted as the user asked.
  (void)os_.RemoveFile(from);
  return std::nullopt;
}

bool AsideFiles::BringBack(const std::u16string& asidePath, const std::u16string& path) {
  return os_.RenameFile(os_.WideToAnsi(asidePath), os_.WideToAnsi(path));
}

void AsideFiles::DeleteForGood(const std::u16string& asidePath) {
  (void)os_.RemoveFile(os_.WideToAnsi(asidePath));
}

void AsideFiles::RemoveEmptyFolders() {
  // A folder that still holds something stays; the next start empties the
  // work folder whole.
  folders_.erase(std::remove_if(folders_.begin(), folders_.end(),
                                [this](const std::string& folder) {
                                  return os_.RemoveFolder(folder) || !os_.IsFolder(folder);
                                }),
                 folders_.end());
}

}  // namespace thumbnails
