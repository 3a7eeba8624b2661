#include "platform/win32/Win32Os.h"

#include "platform/win32/WindowsHeaders.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace win32 {
namespace {

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string FromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// Converts with the length asked for first, so that no text is cut.
std::u16string ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return FromWide(wide.data(), wide.size());
}

std::string FromWideTo(UINT codePage, const std::u16string& text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(codePage, 0, Wide(text), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, Wide(text), static_cast<int>(text.size()), narrow.data(),
                      length, nullptr, nullptr);
  return narrow;
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

}  // namespace

std::u16string Win32Os::CommandLine() const {
  const wchar_t* line = GetCommandLineW();
  return line != nullptr ? FromWide(line, wcslen(line)) : std::u16string();
}

std::optional<std::string> Win32Os::ModuleFileName() const {
  // Grows the buffer until the whole path fits: a cut path would name
  // another folder.
  for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return std::nullopt;
    if (length < size) return std::string(buffer.data(), length);
  }
  return std::nullopt;
}

std::optional<platform::ProductVersion> Win32Os::OwnProductVersion() const {
  wchar_t path[32768];
  const DWORD length = GetModuleFileNameW(nullptr, path, 32768);
  if (length == 0 || length >= 32768) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return std::nullopt;
  std::vector<uint8_t> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) ||
      info == nullptr || infoSize < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return platform::ProductVersion{HIWORD(info->dwProductVersionMS), LOWORD(info->dwProductVersionMS),
                                  HIWORD(info->dwProductVersionLS), LOWORD(info->dwProductVersionLS)};
}

void Win32Os::WriteStandardOutput(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

std::optional<std::u16string> Win32Os::TempPath() const {
  // Grows the buffer until the whole path fits: a long temp path can still
  // be used under its short name.
  for (DWORD size = MAX_PATH + 1; size <= 32768; size *= 2) {
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetTempPathW(size, buffer.data());
    if (length == 0) return std::nullopt;
    if (length < size) return FromWide(buffer.data(), length);
  }
  return std::nullopt;
}

std::optional<std::u16string> Win32Os::ShortPathName(const std::u16string& path) const {
  if (path.empty()) return std::nullopt;
  const DWORD size = GetShortPathNameW(Wide(path), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::vector<wchar_t> buffer(size);
  const DWORD length = GetShortPathNameW(Wide(path), buffer.data(), size);
  // The path may have changed between the two calls: only a whole answer counts.
  if (length == 0 || length >= size) return std::nullopt;
  return FromWide(buffer.data(), length);
}

std::u16string Win32Os::CurrentDirectory() const {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  return length > 0 && length < size ? FromWide(buffer.data(), length) : std::u16string();
}

bool Win32Os::ChangeDirectory(const std::string& folder) {
  return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

bool Win32Os::ChangeDirectory(const std::u16string& folder) {
  return SetCurrentDirectoryW(Wide(folder)) != FALSE;
}

bool Win32Os::IsFolder(const std::string& path) const {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Os::FileExists(const std::u16string& path) const {
  return GetFileAttributesW(Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::vector<platform::FolderEntry>> Win32Os::ListFolder(
    const std::string& folder) const {
  // A folder that is itself a junction or symbolic link is not listed: a
  // search through it would reach the entries of its target.
  const DWORD folderAttributes = GetFileAttributesA(folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || IsLink(folderAttributes)) return std::nullopt;
  WIN32_FIND_DATAA data;
  const std::string pattern = folder + "\\*";
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<platform::FolderEntry> entries;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    platform::FolderEntry entry;
    entry.name = name;
    entry.isLink = IsLink(data.dwFileAttributes);
    entry.isFolder = !entry.isLink && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entries.push_back(entry);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return entries;
}

bool Win32Os::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32Os::RenameFile(const std::string& from, const std::string& to) {
  const std::u16string source = ToWide(CP_ACP, from);
  const std::u16string target = ToWide(CP_ACP, to);
  if (source.empty() || target.empty()) return false;
  // Without MOVEFILE_REPLACE_EXISTING an existing target refuses the move.
  return MoveFileExW(Wide(source), Wide(target), MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Os::RemoveFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  // A junction or a symbolic link to a folder is removed as a folder entry;
  // RemoveDirectory never descends into its target. A link to a file is a
  // file.
  if (IsLink(attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return DeleteFileA(path.c_str()) != FALSE;
  }
  return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool Win32Os::CreateFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Os::WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) break;
    done += wrote;
  }
  // The data must be on the disk before a move makes it the live file.
  const bool flushed = done == bytes.size() && FlushFileBuffers(file) != FALSE;
  return CloseHandle(file) != FALSE && flushed;
}

bool Win32Os::ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) {
  const std::u16string from = ToWide(CP_ACP, tempPath);
  const std::u16string to = ToWide(CP_ACP, finalPath);
  if (from.empty() || to.empty()) return false;
  return MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Os::ShellOpen(const std::u16string& path) {
  const auto result = reinterpret_cast<intptr_t>(
      ShellExecuteW(nullptr, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

uint32_t Win32Os::TickCount() const { return GetTickCount(); }

void Win32Os::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

platform::LocalTime Win32Os::Now() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return platform::LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                             t.wMilliseconds};
}

uint16_t Win32Os::UserUiLanguage() const { return GetUserDefaultUILanguage(); }

std::u16string Win32Os::AnsiToWide(const std::string& text) const { return ToWide(CP_ACP, text); }
std::string Win32Os::WideToAnsi(const std::u16string& text) const {
  return FromWideTo(CP_ACP, text);
}
std::u16string Win32Os::Utf8ToWide(const std::string& text) const {
  return ToWide(CP_UTF8, text);
}
std::string Win32Os::WideToUtf8(const std::u16string& text) const {
  return FromWideTo(CP_UTF8, text);
}

void* Win32Os::LoadModule(const std::string& path) {
  return reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
}

void* Win32Os::ResolveSymbol(void* module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

bool Win32Os::UnloadModule(void* module) {
  return module != nullptr && FreeLibrary(static_cast<HMODULE>(module)) != FALSE;
}

}  // namespace win32
