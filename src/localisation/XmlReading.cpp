#include "localisation/XmlReading.h"

#include <climits>

namespace localisation {

bool ParseXmlDocument(const std::string& bytes, TiXmlDocument& document) {
  // CR LF and lone CR become LF, as TinyXML does when it reads a file.
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      text += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      text += bytes[i];
    }
  }
  TiXmlBase::SetCondenseWhiteSpace(true);
  document.Clear();
  document.ClearError();
  document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
  return !document.Error() && document.RootElement() != nullptr;
}

int LeadingInteger(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  // Accumulate as a negative number: its range includes INT_MIN.
  int value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const int digit = *p - '0';
    if (value < (INT_MIN + digit) / 10) {
      value = INT_MIN;
      while (p[1] >= '0' && p[1] <= '9') ++p;
      break;
    }
    value = value * 10 - digit;
  }
  if (negative) return value;
  return value == INT_MIN ? INT_MAX : -value;
}

const TiXmlElement* ChildElement(const TiXmlNode* parent, const char* name) {
  return parent ? parent->FirstChildElement(name) : nullptr;
}

std::optional<std::string> ElementText(const TiXmlElement* element) {
  if (!element) return std::nullopt;
  const char* text = element->GetText();
  if (!text) return std::nullopt;
  return std::string(text);
}

}  // namespace localisation
