#include "localisation/DefaultLanguage.h"

#include <initializer_list>

namespace localisation {
namespace {

struct CodeIds {
  const char* code;
  std::initializer_list<uint16_t> ids;
};

const CodeIds kCodes[] = {
    {"CN", {1028, 2052, 3076, 4100}},
    {"DE", {1031, 2055, 3079, 4103, 5127}},
    {"ES", {1034, 2058, 3082, 4106, 5130, 6154, 7178, 8202, 9226, 10250, 11274, 12298, 13322,
            14346, 15370, 16394, 17418, 18442, 19466, 20490}},
    {"FR", {1036, 2060, 3084, 4108, 5132}},
    {"IT", {1040, 2064}},
    {"KO", {1042, 2066}},
    {"DU", {1043, 2067}},
    {"PT", {1046, 2070}},
};

}  // namespace

std::string DefaultLanguageCode(uint16_t languageId) {
  for (const CodeIds& entry : kCodes) {
    for (uint16_t id : entry.ids) {
      if (id == languageId) return entry.code;
    }
  }
  return "EN";
}

}  // namespace localisation
