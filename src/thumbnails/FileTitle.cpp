#include "thumbnails/FileTitle.h"

namespace thumbnails {

std::u16string FileTitle(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  const size_t nameStart = slash == std::u16string::npos ? 0 : slash + 1;
  std::u16string name = path.substr(nameStart);
  const size_t dot = name.find_last_of(u'.');
  if (dot != std::u16string::npos) name.erase(dot);
  return name;
}

}  // namespace thumbnails
