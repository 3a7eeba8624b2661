// The languages offered in the language box, read from the language list.
#pragma once

#include <string>
#include <vector>

namespace localisation {

struct LanguageEntry {
  std::u16string name;  // shown in the language box
  std::u16string code;  // stem of the language file, stored in the settings
  int IsShow = 1;
  int IsEnable = 1;
};

// In file order, which is the order of the language box.
using LanguageList = std::vector<LanguageEntry>;

}  // namespace localisation
