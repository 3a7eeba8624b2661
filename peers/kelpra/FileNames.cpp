// File-name helpers and whole-file input and output.
#include "FileNames.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kelpra {

std::string NativePath(const std::string& path) {
#if defined(_WIN32)
  return path;
#else
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
#endif
}

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string NumberedName(const std::string& path, int number) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of("\\/");
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  const std::string stem = hasExtension ? path.substr(0, dot) : path;
  const std::string ext = hasExtension ? path.substr(dot) : "";
  return stem + "_" + std::to_string(number) + ext;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
  FILE* file = std::fopen(NativePath(path).c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  char buffer[65536];
  size_t got;
  bool ok = true;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + got > maxBytes) {
      ok = false;
      break;
    }
    bytes.append(buffer, got);
  }
  if (std::ferror(file)) ok = false;
  std::fclose(file);
  return ok;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
  const std::string native = NativePath(path);
  FILE* file = std::fopen(native.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0) ok = false;
  if (!ok) std::remove(native.c_str());
  return ok;
}

namespace {

bool IsFolder(const std::string& path) {
#if defined(_WIN32)
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

bool MakeOneFolder(const std::string& path) {
#if defined(_WIN32)
  return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
#else
  return mkdir(path.c_str(), 0777) == 0 || IsFolder(path);
#endif
}

}  // namespace

bool CreateFolderTree(const std::string& path) {
  std::string native = NativePath(path);
  while (native.size() > 1 && (native.back() == '/' || native.back() == '\\')) native.pop_back();
  if (native.empty()) return false;
  if (IsFolder(native)) return true;
  // Create each missing parent in turn, from the root down.
  for (size_t i = 1; i < native.size(); ++i) {
    if (native[i] != '/' && native[i] != '\\') continue;
    const std::string parent = native.substr(0, i);
    if (parent.size() == 2 && parent[1] == ':') continue;  // drive letter
    if (!IsFolder(parent)) MakeOneFolder(parent);
  }
  return MakeOneFolder(native);
}

}  // namespace kelpra
