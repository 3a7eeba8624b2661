#include "capture/WorkFolder.h"

#include <vector>

#include "camera/CameraLibrary.h"
#include "capture/CaptureNames.h"
#include "dslink/DSMessageRecord.h"
#include "platform/Os.h"

namespace capture {

namespace {

// Diagnostic texts, GBK-encoded: "目录为:" and "删除" ... "目录失败！". They end
// in the two characters "/n", not in a line break.
constexpr char kEnteringFolderText[] = "\xc4\xbf\xc2\xbc\xce\xaa:";
constexpr char kRemoveFailedPrefix[] = "\xc9\xbe\xb3\xfd";
constexpr char kRemoveFailedSuffix[] = "\xc4\xbf\xc2\xbc\xca\xa7\xb0\xdc\xa3\xa1";
constexpr char kDiagnosticEnd[] = "/n";
// What follows the temp path, whose own separator makes the backslash double.
constexpr char kFolderName[] = "\\Dorvel";

// The text as a fixed buffer of `size` bytes holds it with its terminating
// zero; nothing when it would not fit.
std::optional<std::string> FitBuffer(std::string text, size_t size) {
  if (text.size() >= size) return std::nullopt;
  return text;
}

template <typename Text>
bool EndsWithSeparator(const Text& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The work folder under `temp` (wide, with its trailing separator) as an
// 8-bit path, when that path names the folder exactly and the longest name
// a capture writes there fits a record, as wide text and as 8-bit text
// (which a double-byte code page makes longer); nothing otherwise.
std::optional<std::string> SoundWorkFolder(const platform::Os& os, const std::u16string& temp) {
  const std::string ansiTemp = os.WideToAnsi(temp);
  if (ansiTemp.empty() || os.AnsiToWide(ansiTemp) != temp) return std::nullopt;
  if (!FitBuffer(ansiTemp, kTempPathBufferSize)) return std::nullopt;
  const std::string folder = ansiTemp + kFolderName;
  const size_t longestWide = os.AnsiToWide(folder).size() + kLongestNameInFolder;
  const size_t longestAnsi = folder.size() + kLongestNameInFolder;
  if (longestWide > kDSLongestText || longestAnsi > kDSLongestText) return std::nullopt;
  return folder;
}

// A link is removed as itself: a link to a folder goes like an empty folder,
// a link to a file like a file. Neither call follows it.
void RemoveLink(platform::Os& os, const std::string& path) {
  if (!os.RemoveFolder(path)) (void)os.RemoveFile(path);
}

}  // namespace

std::optional<std::string> WorkFolder(const platform::Os& os) {
  const std::optional<std::u16string> temp = os.TempPath();
  if (!temp || !EndsWithSeparator(*temp)) return std::nullopt;
  if (std::optional<std::string> folder = SoundWorkFolder(os, *temp)) return folder;
  // The same folder by its short name. A volume without short names gives
  // the long path back, which is no better, and then there is no work folder.
  std::optional<std::u16string> shortTemp = os.ShortPathName(*temp);
  if (!shortTemp || shortTemp->empty()) return std::nullopt;
  if (!EndsWithSeparator(*shortTemp)) shortTemp->push_back(u'\\');
  return SoundWorkFolder(os, *shortTemp);
}

bool IsFolder(const platform::Os& os, const std::string& path) {
  if (!FitBuffer(path + "//*", kFolderTestBufferSize)) return false;
  return os.IsFolder(path);
}

bool EmptyAndRemove(platform::Os& os, const std::string& path) {
  // A folder whose search pattern would not fit is not searched; its removal
  // below then fails unless it is already empty.
  if (FitBuffer(path + "//*.*", kFolderSearchBufferSize)) {
    // The listing itself never goes through a link, so a work folder that is
    // a link yields nothing here and only the link is removed below.
    const std::vector<platform::FolderEntry> entries = os.ListFolder(path).value_or(
        std::vector<platform::FolderEntry>{});
    for (const platform::FolderEntry& entry : entries) {
      if (entry.name.empty() || entry.name == "." || entry.name == "..") continue;
      const std::optional<std::string> child =
          FitBuffer(path + "//" + entry.name, kEntryPathBufferSize);
      if (!child) continue;
      if (entry.isLink) {
        RemoveLink(os, *child);
      } else if (entry.isFolder) {
        os.WriteStandardOutput(kEnteringFolderText + *child + kDiagnosticEnd);
        (void)EmptyAndRemove(os, *child);
      } else {
        (void)os.RemoveFile(*child);
      }
    }
  }
  if (os.RemoveFolder(path)) return true;
  os.WriteStandardOutput(kRemoveFailedPrefix + path + kRemoveFailedSuffix + kDiagnosticEnd);
  return false;
}

std::optional<std::string> RecreateWorkFolder(platform::Os& os, camera::CameraLibrary& library) {
  std::optional<std::string> folder = WorkFolder(os);
  if (!folder) return std::nullopt;
  (void)EmptyAndRemove(os, *folder);
  (void)library.camCreateDirectory(folder->c_str());
  // A library that lacks the export, or fails it, would leave every capture
  // without a folder to be written to: the program makes the folder itself.
  // Without a folder there is no work folder, and a capture says so.
  if (!IsFolder(os, *folder) && !os.CreateFolder(*folder)) return std::nullopt;
  return folder;
}

}  // namespace capture
