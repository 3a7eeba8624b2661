// The operating system as native tests see it: real files (Windows-style
// paths have their backslashes read as '/'), dlopen, a fake clock whose
// sleeps cost nothing, and process facts that tests set.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Os.h"

namespace headless {

class HeadlessOs : public platform::Os {
 public:
  HeadlessOs();

  // What tests set.
  std::u16string commandLine = u"Prismel.exe";
  std::optional<std::string> moduleFileName;  // default: "<temp>/Prismel.exe"
  // The temp path in UTF-16, as Windows keeps it; default: the system temp
  // folder. On disk a wide path is its UTF-8 form.
  std::optional<std::u16string> tempPath;
  // Short names by long path, for ShortPathName: a test makes the short
  // path (a link to the long folder, say) and enters it here. A path not
  // entered that exists has no short form and comes back as it is, as on a
  // volume without short names; one that does not exist has none at all.
  std::map<std::u16string, std::u16string> shortPaths;
  std::optional<platform::ProductVersion> productVersion;  // default: the build's
  uint16_t uiLanguage = 0x0409;
  platform::LocalTime localTime{2026, 12, 7, 9, 30, 0, 0};
  // Runs during each sleep, with its length: what other threads and
  // processes do while this one waits.
  std::function<void(uint32_t)> onSleep;

  // What tests read.
  std::string standardOutput;
  std::vector<uint32_t> sleeps;
  std::vector<std::u16string> shellOpened;
  uint32_t tickCount = 1000;

  std::u16string CommandLine() const override { return commandLine; }
  std::optional<std::string> ModuleFileName() const override { return moduleFileName; }
  std::optional<platform::ProductVersion> OwnProductVersion() const override {
    return productVersion;
  }
  void WriteStandardOutput(const std::string& text) override { standardOutput += text; }

  std::optional<std::u16string> TempPath() const override { return tempPath; }
  std::optional<std::u16string> ShortPathName(const std::u16string& path) const override;
  std::u16string CurrentDirectory() const override;
  bool ChangeDirectory(const std::string& folder) override;
  bool ChangeDirectory(const std::u16string& folder) override;
  bool IsFolder(const std::string& path) const override;
  bool FileExists(const std::u16string& path) const override;
  std::optional<std::vector<platform::FolderEntry>> ListFolder(
      const std::string& folder) const override;
  bool RemoveFile(const std::string& path) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  bool RemoveFolder(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool ShellOpen(const std::u16string& path) override;
  std::optional<std::string> ReadFileBytes(const std::string& path) const override;
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override;
  bool ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) override;

  uint32_t TickCount() const override { return tickCount; }
  void Sleep(uint32_t milliseconds) override;
  platform::LocalTime Now() const override { return localTime; }

  uint16_t UserUiLanguage() const override { return uiLanguage; }
  std::u16string AnsiToWide(const std::string& text) const override;
  std::string WideToAnsi(const std::u16string& text) const override;
  std::u16string Utf8ToWide(const std::string& text) const override;
  std::string WideToUtf8(const std::u16string& text) const override;

  void* LoadModule(const std::string& path) override;
  void* ResolveSymbol(void* module, const char* name) override;
  bool UnloadModule(void* module) override;
};

// A Windows-style 8-bit path as a native one: backslashes become '/'.
std::string NativePath(const std::string& path);

}  // namespace headless
