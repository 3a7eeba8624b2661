#include "platform/headless/HeadlessOs.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "PrismelVersion.h"
#include "platform/headless/TextConversions.h"

namespace headless {

namespace fs = std::filesystem;

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

HeadlessOs::HeadlessOs() {
  std::error_code error;
  std::string temp = fs::temp_directory_path(error).string();
  if (error) temp = "/tmp";
  if (temp.empty() || temp.back() != '/') temp += '/';
  tempPath = Utf8ToUtf16(temp);
  // Windows-style, as the program sees its own path: folder, backslash, name.
  moduleFileName = temp.substr(0, temp.size() - 1) + "\\Prismel.exe";
  productVersion = platform::ProductVersion{PRISMEL_VERSION_MAJOR, PRISMEL_VERSION_MINOR,
                                            PRISMEL_VERSION_PATCH, PRISMEL_VERSION_TWEAK};
}

std::optional<std::u16string> HeadlessOs::ShortPathName(const std::u16string& path) const {
  const auto entered = shortPaths.find(path);
  if (entered != shortPaths.end()) return entered->second;
  struct stat info {};
  if (::stat(NativePath(Utf16ToUtf8(path)).c_str(), &info) != 0) return std::nullopt;
  return path;
}

std::u16string HeadlessOs::CurrentDirectory() const {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  return error ? std::u16string() : Utf8ToUtf16(current.string());
}

bool HeadlessOs::ChangeDirectory(const std::string& folder) {
  return ::chdir(NativePath(folder).c_str()) == 0;
}

bool HeadlessOs::ChangeDirectory(const std::u16string& folder) {
  return ::chdir(NativePath(Utf16ToUtf8(folder)).c_str()) == 0;
}

bool HeadlessOs::IsFolder(const std::string& path) const {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool HeadlessOs::FileExists(const std::u16string& path) const {
  return ::access(NativePath(Utf16ToUtf8(path)).c_str(), F_OK) == 0;
}

std::optional<std::vector<platform::FolderEntry>> HeadlessOs::ListFolder(
    const std::string& folder) const {
  // A folder that is itself a link is not listed: its entries are not ours.
  struct stat info {};
  if (::lstat(NativePath(folder).c_str(), &info) != 0 || S_ISLNK(info.st_mode)) {
    return std::nullopt;
  }
  std::error_code error;
  fs::directory_iterator it(NativePath(folder), error);
  if (error) return std::nullopt;
  std::vector<platform::FolderEntry> entries;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    platform::FolderEntry entry;
    entry.name = it->path().filename().string();
    const fs::file_status status = it->symlink_status(error);
    entry.isLink = fs::is_symlink(status);
    entry.isFolder = !entry.isLink && fs::is_directory(status);
    entries.push_back(entry);
  }
  return entries;
}

bool HeadlessOs::RemoveFile(const std::string& path) {
  return ::unlink(NativePath(path).c_str()) == 0;
}

bool HeadlessOs::RenameFile(const std::string& from, const std::string& to) {
  // Never over an existing file, as MoveFileEx without replacing.
  return ::renameat2(AT_FDCWD, NativePath(from).c_str(), AT_FDCWD, NativePath(to).c_str(),
                     RENAME_NOREPLACE) == 0;
}

bool HeadlessOs::RemoveFolder(const std::string& path) {
  const std::string native = NativePath(path);
  struct stat info {};
  if (::lstat(native.c_str(), &info) != 0) return false;
  // A link is removed itself; what it points to is never touched.
  if (S_ISLNK(info.st_mode)) return ::unlink(native.c_str()) == 0;
  return ::rmdir(native.c_str()) == 0;
}

bool HeadlessOs::CreateFolder(const std::string& path) {
  return ::mkdir(NativePath(path).c_str(), 0755) == 0;
}

bool HeadlessOs::ShellOpen(const std::u16string& path) {
  shellOpened.push_back(path);
  return true;
}

void HeadlessOs::Sleep(uint32_t milliseconds) {
  sleeps.push_back(milliseconds);
  tickCount += milliseconds;
  if (onSleep) onSleep(milliseconds);
}

std::u16string HeadlessOs::AnsiToWide(const std::string& text) const {
  return Cp1252ToUtf16(text);
}
std::string HeadlessOs::WideToAnsi(const std::u16string& text) const {
  return Utf16ToCp1252(text);
}
std::u16string HeadlessOs::Utf8ToWide(const std::string& text) const { return Utf8ToUtf16(text); }
std::string HeadlessOs::WideToUtf8(const std::u16string& text) const { return Utf16ToUtf8(text); }

void* HeadlessOs::LoadModule(const std::string& path) {
  return ::dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* HeadlessOs::ResolveSymbol(void* module, const char* name) {
  return module == nullptr ? nullptr : ::dlsym(module, name);
}

bool HeadlessOs::UnloadModule(void* module) { return module != nullptr && ::dlclose(module) == 0; }

std::optional<std::string> HeadlessOs::ReadFileBytes(const std::string& path) const {
  const int file = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  ssize_t got = 0;
  while ((got = ::read(file, chunk, sizeof chunk)) > 0) bytes.append(chunk, static_cast<size_t>(got));
  ::close(file);
  if (got < 0) return std::nullopt;
  return bytes;
}

bool HeadlessOs::WriteFileBytes(const std::string& path, const std::string& bytes) {
  const int file = ::open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(file, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) break;
    done += static_cast<size_t>(wrote);
  }
  // The data must be on the disk before a rename makes it the live file.
  const bool synced = done == bytes.size() && ::fsync(file) == 0;
  return ::close(file) == 0 && synced;
}

bool HeadlessOs::ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) {
  const std::string native = NativePath(finalPath);
  if (::rename(NativePath(tempPath).c_str(), native.c_str()) != 0) return false;
  // Make the rename itself durable; the replace has happened either way.
  const size_t slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : native.substr(0, slash);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace headless

