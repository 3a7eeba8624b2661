#include "localisation/UiTextTable.h"

#include <string>

namespace localisation {
namespace {

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string Decimal(int value) { return Widen(std::to_string(value)); }

}  // namespace

UiTextEntry* UiTextTable::Find(const std::string& key) {
  for (size_t i = 0; i < kUiTextKeyCount; ++i) {
    if (key == kUiTextKeys[i]) return &entries_[i];
  }
  return nullptr;
}

const UiTextEntry* UiTextTable::Find(const std::string& key) const {
  return const_cast<UiTextTable*>(this)->Find(key);
}

const UiTextEntry& UiTextTable::At(const std::string& key) const {
  static const UiTextEntry kNone;
  const UiTextEntry* entry = Find(key);
  return entry ? *entry : kNone;
}

UiTextTable& ProcessUiTextTable() {
  static UiTextTable table;
  return table;
}

std::u16string PageCounterText(const UiTextTable& table, int count) {
  if (table.WordType == 0) return table.At("Page").text + u" " + Decimal(count);
  if (table.WordType == 1) return Decimal(count) + u" " + table.At(count < 2 ? "Page" : "Pages").text;
  return std::u16string();
}

}  // namespace localisation
