// Operating-system services the core needs, behind one small interface.
//
// The core never includes an OS header. The Win32 implementation is the
// product; the headless one runs the same core natively for tests, with a
// fake clock so that fixed waits cost nothing.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One entry of a folder listing ("." and ".." are never listed).
struct FolderEntry {
  std::string name;        // 8-bit (ANSI) name, no folder part
  bool isFolder = false;   // a real folder, not a link to one
  bool isLink = false;     // symbolic link, junction or other reparse point
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

using ProductVersion = std::array<uint16_t, 4>;

class Os {
 public:
  virtual ~Os() = default;

  // Process and module.
  virtual std::u16string CommandLine() const = 0;
  // Full path of the running executable, 8-bit; nothing when it cannot be had whole.
  virtual std::optional<std::string> ModuleFileName() const = 0;
  // The executable's product version, most significant part first.
  virtual std::optional<ProductVersion> OwnProductVersion() const = 0;
  virtual void WriteStandardOutput(const std::string& text) = 0;

  // The user's temp path with its trailing separator, in UTF-16 as the
  // system keeps it (it may hold characters the ANSI code page lacks);
  // nothing when it cannot be had whole.
  virtual std::optional<std::u16string> TempPath() const = 0;
  // The short form of an existing path: every component that has a short
  // (8.3) name by it, the others as they are, so that a volume without short
  // names gives the path back unchanged. Nothing when the path does not
  // exist or its short form cannot be had whole.
  virtual std::optional<std::u16string> ShortPathName(const std::u16string& path) const = 0;

  // Folders and files (8-bit paths in the ANSI code page).
  virtual std::u16string CurrentDirectory() const = 0;
  virtual bool ChangeDirectory(const std::string& folder) = 0;
  virtual bool ChangeDirectory(const std::u16string& folder) = 0;
  virtual bool IsFolder(const std::string& path) const = 0;
  virtual bool FileExists(const std::u16string& path) const = 0;
  // Lists a folder without following links; nothing when it cannot be read.
  virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Gives a file another name on the same volume; false, changing nothing,
  // when it cannot be moved or something already has the new name.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Removes an empty folder, or a link (symbolic link or junction) itself.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Creates one folder (its parent must exist); false when it could not be
  // made, also when something already has that name.
  virtual bool CreateFolder(const std::string& path) = 0;
  virtual bool ShellOpen(const std::u16string& path) = 0;

  // Whole-file access for small files such as the settings file. The
  // defaults use the C library; an implementation overrides them where its
  // platform needs more (path conversion, flushing to the disk, replacing).
  // The whole file as bytes; nothing when it cannot be opened or read.
  virtual std::optional<std::string> ReadFileBytes(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
  }
  // Creates or truncates the file and writes the bytes; true only when every
  // byte reached the file and it was closed without error.
  virtual bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && flushed && closed;
  }
  // Replaces finalPath by tempPath (same folder) in one step: afterwards
  // finalPath is either the old file or the complete new one. On failure
  // both files stay as they were.
  virtual bool ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) {
    return std::rename(tempPath.c_str(), finalPath.c_str()) == 0;
  }

  // Time.
  virtual uint32_t TickCount() const = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual LocalTime Now() const = 0;

  // Language and text. ANSI means the system's 8-bit code page; characters it
  // cannot hold become the code page's default character.
  virtual uint16_t UserUiLanguage() const = 0;
  virtual std::u16string AnsiToWide(const std::string& text) const = 0;
  virtual std::string WideToAnsi(const std::u16string& text) const = 0;
  virtual std::u16string Utf8ToWide(const std::string& text) const = 0;
  virtual std::string WideToUtf8(const std::u16string& text) const = 0;

  // Run-time libraries.
  virtual void* LoadModule(const std::string& path) = 0;
  virtual void* ResolveSymbol(void* module, const char* name) = 0;
  virtual bool UnloadModule(void* module) = 0;
};

}  // namespace platform
