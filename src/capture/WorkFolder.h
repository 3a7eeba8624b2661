// The work folder: the one folder every captured file is written to, emptied
// at each start of the capture window and created again by the camera
// library.
//
// Paths are 8-bit (ANSI code page) and written Windows-style; the paths built
// here keep the fixed buffer sizes the rest of the program and the camera
// library work with, and a path that would not fit is never used cut short.
// Every file a capture writes into the folder has a path that a record to
// the data source carries whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {
class Os;
}
namespace camera {
class CameraLibrary;
}

namespace capture {

// Fixed buffers, in bytes including the terminating zero.
constexpr size_t kTempPathBufferSize = 256;       // the temp path as the system gives it
constexpr size_t kFolderTestBufferSize = 500;     // path + "//*"
constexpr size_t kFolderSearchBufferSize = 260;   // path + "//*.*"
constexpr size_t kEntryPathBufferSize = 1024;     // path + "//" + entry name

// The user's temp path as the system gives it (with its trailing separator)
// followed by "\Dorvel", in the ANSI code page. When that path would not name
// the same folder (a character the code page lacks) or leaves no room for a
// capture's names within a record's 259 characters, the same folder under
// its short name, which is plain ASCII and short. Nothing when neither form
// is sound, or the temp path cannot be had whole, is empty or lacks its
// trailing separator: a partial or wrong path must never be emptied, and a
// picture that could not be handed over must never be taken.
std::optional<std::string> WorkFolder(const platform::Os& os);

// True when `path` names a folder that can be searched.
bool IsFolder(const platform::Os& os, const std::string& path);

// Deletes every file and sub-folder inside `path`, then removes `path`
// itself; true when `path` was removed. Links (symbolic links, junctions) are
// removed themselves and never followed, so nothing outside the folder is
// touched. Files that cannot be deleted stay and only cost the removal of
// their folder. Writes one diagnostic line per sub-folder entered and one per
// folder that could not be removed.
bool EmptyAndRemove(platform::Os& os, const std::string& path);

// The start-up step: empties and removes the work folder left by an earlier
// run, then has the camera library create it again, or creates it itself
// when the library did not. Returns the work folder; nothing, and nothing
// touched, when it cannot be had; nothing when no folder could be made.
std::optional<std::string> RecreateWorkFolder(platform::Os& os, camera::CameraLibrary& library);

}  // namespace capture
