// The work folder on Windows: a file another program holds open stays, and
// the clean-up goes on around it; a temp folder whose name the code page
// cannot hold, or whose path is long, is used under its short name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "camera/CameraLibrary.h"
#include "support/KelpraHooks.h"
#include "support/RecordingOs.h"
#include "support/TestFolder.h"
#include "capture/WorkFolder.h"
#include "platform/win32/Win32Os.h"
#include "platform/win32/WindowsHeaders.h"

namespace {

namespace fs = std::filesystem;

std::string EnteringLine(const std::string& folder) {
  return "\xc4\xbf\xc2\xbc\xce\xaa:" + folder + "/n";
}
std::string RemoveFailedLine(const std::string& folder) {
  return "\xc9\xbe\xb3\xfd" + folder + "\xc4\xbf\xc2\xbc\xca\xa7\xb0\xdc\xa3\xa1/n";
}

TEST(WorkFolderOnWindows, AFileHeldOpenSurvivesAndTheRestIsCleanedUp) {
  testing_support::TestFolder folder;
  win32::Win32Os real;
  testing_support::RecordingOs os(real);
  // The temp path as the system gives it: backslashes, one at the end.
  const std::string temp = folder.Path().string() + "\\";
  os.tempPath = real.AnsiToWide(temp);
  const std::string work = temp + "\\Dorvel";
  const fs::path workOnDisk = folder.Path() / "Dorvel";
  folder.WriteFile("Dorvel/1_100.bmp");
  folder.WriteFile("Dorvel/sub/2_100.bmp");
  folder.WriteFile("Dorvel/sub/deeper/Merge_100.bmp");
  // The C runtime opens files without delete sharing, as a viewer would.
  std::ofstream held(workOnDisk / "held.bmp", std::ios::binary);
  held << "still being read";
  held.flush();
  ASSERT_TRUE(held.is_open());

  EXPECT_FALSE(capture::EmptyAndRemove(os, work));

  EXPECT_TRUE(fs::exists(workOnDisk / "held.bmp"));
  EXPECT_FALSE(fs::exists(workOnDisk / "1_100.bmp"));
  EXPECT_FALSE(fs::exists(workOnDisk / "sub"));
  const std::string& out = os.standardOutput;
  EXPECT_NE(out.find(EnteringLine(work + "//sub")), std::string::npos) << out;
  EXPECT_NE(out.find(EnteringLine(work + "//sub//deeper")), std::string::npos) << out;
  EXPECT_EQ(out.find("\xc9\xbe\xb3\xfd"), out.rfind(RemoveFailedLine(work))) << out;

  // Start-up goes on: the library is asked to create the folder regardless.
  camera::CameraLibrary library(os);
  const std::string module = os.ModuleFileName().value_or("");
  ASSERT_TRUE(library.Load(module.substr(0, module.rfind('\\')) + "\\Kelpra.dll"));
  testing_support::KelpraHooks hooks(library);
  ASSERT_TRUE(hooks.ClearCallLog());
  EXPECT_EQ(capture::RecreateWorkFolder(os, library), work);
  EXPECT_EQ(hooks.CallLog(), "camCreateDirectory(\"" + work + "\")\n");
  EXPECT_TRUE(fs::is_directory(workOnDisk));
  EXPECT_TRUE(fs::exists(workOnDisk / "held.bmp"));

  // Once the file is closed, the next start-up finds nothing left.
  held.close();
  EXPECT_TRUE(capture::EmptyAndRemove(os, work));
  EXPECT_FALSE(fs::exists(workOnDisk));
}

// TMP set to another folder for the life of the object, as a user's
// environment sets it; the temp path of this process follows it.
class TempVariable {
 public:
  explicit TempVariable(const std::wstring& folder) {
    wchar_t old[32768];
    const DWORD length = GetEnvironmentVariableW(L"TMP", old, 32768);
    if (length > 0 && length < 32768) old_ = std::wstring(old, length);
    SetEnvironmentVariableW(L"TMP", folder.c_str());
  }
  ~TempVariable() { SetEnvironmentVariableW(L"TMP", old_ ? old_->c_str() : nullptr); }

 private:
  std::optional<std::wstring> old_;
};

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

bool IsAscii(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

TEST(WorkFolderOnWindows, ACyrillicOrLongTempFolderIsUsedUnderItsShortName) {
  testing_support::TestFolder folder;
  const std::wstring base = folder.Path().wstring();
  // 237 characters: the system adds the separator to make the 238 of a
  // temp path too long for the captures' names to fit a record.
  std::wstring longFolder = base;
  while (longFolder.size() + 1 < 237) {
    // Folders of at most 100 characters; none is left empty at the end.
    const size_t left = 237 - longFolder.size() - 1;
    const size_t length = left <= 100 ? left : left > 150 ? 100 : left / 2;
    longFolder += L"\\" + std::wstring(length, L'd');
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
  }
  ASSERT_EQ(longFolder.size(), 237u);
  const std::wstring cyrillic = base + L"\\\u0412\u0440\u0435\u043c\u0435\u043d\u043d\u044b\u0435";
  ASSERT_TRUE(CreateDirectoryW(cyrillic.c_str(), nullptr));

  for (const std::wstring& user : {cyrillic, longFolder}) {
    const TempVariable tmp(user);
    win32::Win32Os os;
    const std::optional<std::u16string> temp = os.TempPath();
    ASSERT_EQ(temp, U16(user + L"\\"));
    const std::optional<std::u16string> shortTemp = os.ShortPathName(*temp);
    ASSERT_TRUE(shortTemp);
    const std::string shortAnsi = os.WideToAnsi(*shortTemp);
    EXPECT_TRUE(IsAscii(shortAnsi)) << shortAnsi;
    EXPECT_LT(shortTemp->size(), temp->size());

    const std::optional<std::string> work = capture::WorkFolder(os);
    ASSERT_EQ(work, shortAnsi + "\\Dorvel");
    // Both spellings name one folder.
    ASSERT_TRUE(os.CreateFolder(*work));
    EXPECT_TRUE(fs::is_directory(fs::path(user) / "Dorvel"));
    EXPECT_TRUE(capture::EmptyAndRemove(os, *work));
    EXPECT_FALSE(fs::exists(fs::path(user) / "Dorvel"));
  }
}

TEST(WorkFolderOnWindows, AShortNameIsThePathWhereNoneIsShorterAndNothingForAMissingPath) {
  testing_support::TestFolder folder;
  win32::Win32Os os;
  const std::u16string missing = U16(folder.Path().wstring() + L"\\missing\\");
  EXPECT_EQ(os.ShortPathName(missing), std::nullopt);
  ASSERT_TRUE(CreateDirectoryW((folder.Path().wstring() + L"\\SHORT").c_str(), nullptr));
  const std::optional<std::u16string> shortFolder =
      os.ShortPathName(U16(folder.Path().wstring() + L"\\SHORT\\"));
  ASSERT_TRUE(shortFolder);
  EXPECT_EQ(shortFolder->substr(shortFolder->size() - 7), u"\\SHORT\\");
}

}  // namespace
