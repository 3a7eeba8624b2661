#include "localisation/LanguageList.h"

namespace localisation {

LanguageList& ProcessLanguageList() {
  static LanguageList list;
  return list;
}

}  // namespace localisation
