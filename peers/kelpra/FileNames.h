// File names as the capture window passes them: 8-bit, with either slash.
#pragma once

#include <string>

namespace kelpra {

// The name as the file system of this build wants it. Natively the
// backslashes a Windows caller writes become slashes.
std::string NativePath(const std::string& path);

// The extension in lower case, including its dot ("" when there is none).
std::string LowerExtension(const std::string& path);

// "dir\stem.ext" -> "dir\stem_<n>.ext", keeping the caller's separators.
std::string NumberedName(const std::string& path, int number);

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes);
bool WriteWholeFile(const std::string& path, const void* data, size_t size);

// Creates the folder and any missing parents; true when it exists after.
bool CreateFolderTree(const std::string& path);

}  // namespace kelpra
