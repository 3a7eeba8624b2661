#include "dialogs/ListSearch.h"

namespace dialogs {
namespace {

char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool SameIgnoringCase(const std::u16string& text, size_t length, const std::u16string& other) {
  if (text.size() < length || other.size() < length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (FoldCase(text[i]) != FoldCase(other[i])) return false;
  }
  return true;
}

}  // namespace

int FindItemWithPrefix(const std::vector<std::u16string>& items, int startAfter,
                       const std::u16string& prefix) {
  const int count = static_cast<int>(items.size());
  const int first = startAfter >= 0 && startAfter < count ? startAfter + 1 : 0;
  for (int step = 0; step < count; ++step) {
    const int index = (first + step) % count;
    if (SameIgnoringCase(items[index], prefix.size(), prefix)) return index;
  }
  return -1;
}

int FindItemNamed(const std::vector<std::u16string>& items, const std::u16string& text) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].size() == text.size() && SameIgnoringCase(items[i], text.size(), text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace dialogs
