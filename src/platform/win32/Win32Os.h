// The operating system of the product.
#pragma once

#include "platform/Os.h"

namespace win32 {

class Win32Os : public platform::Os {
 public:
  std::u16string CommandLine() const override;
  std::optional<std::string> ModuleFileName() const override;
  std::optional<platform::ProductVersion> OwnProductVersion() const override;
  void WriteStandardOutput(const std::string& text) override;

  std::optional<std::u16string> TempPath() const override;
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
  bool WriteFileBytes(const std::string& path, const std::string& bytes) override;
  bool ReplaceFileAtomically(const std::string& tempPath, const std::string& finalPath) override;

  uint32_t TickCount() const override;
  void Sleep(uint32_t milliseconds) override;
  platform::LocalTime Now() const override;

  uint16_t UserUiLanguage() const override;
  std::u16string AnsiToWide(const std::string& text) const override;
  std::string WideToAnsi(const std::u16string& text) const override;
  std::u16string Utf8ToWide(const std::string& text) const override;
  std::string WideToUtf8(const std::u16string& text) const override;

  void* LoadModule(const std::string& path) override;
  void* ResolveSymbol(void* module, const char* name) override;
  bool UnloadModule(void* module) override;
};

}  // namespace win32
