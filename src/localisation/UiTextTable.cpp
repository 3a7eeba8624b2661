#include "localisation/UiTextTable.h"

#include <string>

namespace localisation {
namespace {

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string PageCounterText(const UiTextTable& table, int count) {
  if (table.WordType == 0) return table.Text(UiText::Page) + u" " + Decimal(count);
  if (table.WordType == 1) {
    return Decimal(count) + u" " + table.Text(count < 2 ? UiText::Page : UiText::Pages);
  }
  return std::u16string();
}

}  // namespace localisation
