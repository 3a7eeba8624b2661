// A user's temp folder of the kinds real machines have and the test rig has
// not: one whose name the ANSI code page cannot hold (a Cyrillic user name
// on a Western system), and one whose path is long (238 characters unless
// asked otherwise). It is
// made on disk under a test's folder; when it is to have a short name, an
// ASCII link beside it stands for that name and the headless Os answers it,
// as Windows answers GetShortPathNameW. The headless Os's temp path is set
// to the folder.
#pragma once

#include <filesystem>
#include <string>
#include <tuple>

#include "platform/headless/HeadlessOs.h"

namespace testing_support {

enum class UserTempKind { Cyrillic, Long };

struct UserTempFolder {
  std::u16string path;       // as the system gives it, with its trailing separator
  std::u16string shortPath;  // its short name with the separator; empty when it has none
  std::filesystem::path onDisk;
};

// A test's name for a case of both: "Cyrillic_WithShortName", "Long_NoShortName".
inline std::string UserTempCaseName(const std::tuple<UserTempKind, bool>& param) {
  return std::string(std::get<0>(param) == UserTempKind::Cyrillic ? "Cyrillic" : "Long") +
         (std::get<1>(param) ? "_WithShortName" : "_NoShortName");
}

// Makes the folder inside `parent` (an existing folder of the test); a long
// one's path is `length` characters with its separator.
UserTempFolder MakeUserTempFolder(headless::HeadlessOs& os, const std::filesystem::path& parent,
                                  UserTempKind kind, bool withShortName, size_t length = 238);

}  // namespace testing_support
