// thumbnails/AsideFiles.h: the files of pictures deleted from the list while
// the deletion can still be taken back. Each is moved into a folder
// "Deleted" beside it (in the work folder, so on the same volume: a move is
// a rename), and either moved back or deleted for good later. Owns the
// folders it made.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Os.h"

namespace thumbnails {

// The folder a deleted file waits in, beside the file.
inline constexpr char16_t kAsideFolderName[] = u"Deleted";

class AsideFiles {
 public:
  explicit AsideFiles(platform::Os& os) : os_(os) {}

  // Moves the file at `path` aside; the path it has there, or nothing when
  // there was no file. A file that cannot be moved is deleted for good, as
  // a delete always did, and gives nothing too.
  std::optional<std::u16string> SetAside(const std::u16string& path);
  // Moves a file set aside back to `path`; false, leaving it aside, when
  // something has that name now or the move fails.
  bool BringBack(const std::u16string& asidePath, const std::u16string& path);
  void DeleteForGood(const std::u16string& asidePath);
  // Removes the folders this made that are empty now.
  void RemoveEmptyFolders();

 private:
  platform::Os& os_;
  std::vector<std::string> folders_;
  // Names in the folder start with a number of their own, so that two
  // files of one name can wait there together.
  uint64_t nextNumber_ = 1;
};

}  // namespace thumbnails
