// The language code that matches the user's UI language.
#pragma once

#include <cstdint>
#include <string>

namespace localisation {

// The code for a Windows language identifier (primary and sub-language
// compared together); "EN" for every identifier without a language file.
std::string DefaultLanguageCode(uint16_t languageId);

}  // namespace localisation
