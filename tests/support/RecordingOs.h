// An Os that forwards to a real one and records what the core asked of it:
// symbol look-ups, module loads and frees, standard output, folder listings,
// file and folder removals and folder creations.
// A few answers can be overridden to reach paths a real system rarely takes.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Os.h"

namespace testing_support {

class RecordingOs : public platform::Os {
 public:
  explicit RecordingOs(platform::Os& real) : real_(real) {}

  // What was asked.
  std::vector<std::string> resolvedNames;  // every ResolveSymbol call, in order
  std::vector<void*> loadedModules;        // every LoadModule result
  std::vector<void*> freedModules;         // every UnloadModule argument
  std::string standardOutput;
  mutable std::vector<std::string> listedFolders;  // ListFolder is const
  std::vector<std::string> removedFiles;
  std::vector<std::string> removedFolders;
  std::vector<std::string> createdFolders;

  // Overrides.
  bool failNextFree = false;
  std::optional<std::optional<std::u16string>> tempPath;  // set: TempPath answers this
  // Extra entries appended to the listing of a folder, by the path as asked.
  std::map<std::string, std::vector<platform::FolderEntry>> extraEntries;

  size_t ResolveCount(const std::string& name) const {
    return static_cast<size_t>(std::count(resolvedNames.begin(), resolvedNames.end(), name));
  }

  std::u16string CommandLine() const override { return real_.CommandLine(); }
  std::optional<std::string> ModuleFileName() const override { return real_.ModuleFileName(); }
  std::optional<platform::ProductVersion> OwnProductVersion() const override {
    return real_.OwnProductVersion();
  }
  void WriteStandardOutput(const std::string& text) override { standardOutput += text; }

  std::optional<std::u16string> TempPath() const override {
    return tempPath ? *tempPath : real_.TempPath();
  }
  std::optional<std::u16string> ShortPathName(const std::u16string& path) const override {
    return real_.ShortPathName(path);
  }
  std::u16string CurrentDirectory() const override { return real_.CurrentDirectory(); }
  bool ChangeDirectory(const std::string& folder) override { return real_.ChangeDirectory(folder); }
  bool ChangeDirectory(const std::u16string& folder) override {
    return real_.ChangeDirectory(folder);
  }
  bool IsFolder(const std::string& path) const override { return real_.IsFolder(path); }
  bool FileExists(const std::u16string& path) const override { return real_.FileExists(path); }
  std::optional<std::vector<platform::FolderEntry>> ListFolder(
      const std::string& folder) const override {
    listedFolders.push_back(folder);
    std::optional<std::vector<platform::FolderEntry>> entries = real_.ListFolder(folder);
    const auto extra = extraEntries.find(folder);
    if (extra != extraEntries.end()) {
      if (!entries) entries.emplace();
      entries->insert(entries->end(), extra->second.begin(), extra->second.end());
    }
    return entries;
  }
  bool RemoveFile(const std::string& path) override {
    removedFiles.push_back(path);
    return real_.RemoveFile(path);
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    return real_.RenameFile(from, to);
  }
  bool RemoveFolder(const std::string& path) override {
    removedFolders.push_back(path);
    return real_.RemoveFolder(path);
  }
  bool CreateFolder(const std::string& path) override {
    createdFolders.push_back(path);
    return real_.CreateFolder(path);
  }
  bool ShellOpen(const std::u16string& path) override { return real_.ShellOpen(path); }
  std::optional<std::string> ReadFileBytes(const std::string& path) const override {
    return real_.ReadFileBytes(path);
  }
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override {
    return real_.WriteFileBytes(path, bytes);
  }
  bool ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) override {
    return real_.ReplaceFileAtomically(tempPath, finalPath);
  }

  uint32_t TickCount() const override { return real_.TickCount(); }
  void Sleep(uint32_t milliseconds) override { real_.Sleep(milliseconds); }
  platform::LocalTime Now() const override { return real_.Now(); }

  uint16_t UserUiLanguage() const override { return real_.UserUiLanguage(); }
  std::u16string AnsiToWide(const std::string& text) const override {
    return real_.AnsiToWide(text);
  }
  std::string WideToAnsi(const std::u16string& text) const override {
    return real_.WideToAnsi(text);
  }
  std::u16string Utf8ToWide(const std::string& text) const override {
    return real_.Utf8ToWide(text);
  }
  std::string WideToUtf8(const std::u16string& text) const override {
    return real_.WideToUtf8(text);
  }

  void* LoadModule(const std::string& path) override {
    void* module = real_.LoadModule(path);
    loadedModules.push_back(module);
    return module;
  }
  void* ResolveSymbol(void* module, const char* name) override {
    resolvedNames.push_back(name);
    return real_.ResolveSymbol(module, name);
  }
  bool UnloadModule(void* module) override {
    freedModules.push_back(module);
    if (failNextFree) {
      failNextFree = false;
      return false;
    }
    return real_.UnloadModule(module);
  }

 private:
  platform::Os& real_;
};

}  // namespace testing_support
