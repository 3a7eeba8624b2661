#include "localisation/XmlReading.h"

#include <climits>

namespace localisation {

namespace {

// The number of bytes of the well-formed UTF-8 sequence at `at`, or 0.
size_t Utf8SequenceLength(const std::string& bytes, size_t at) {
  const auto byte = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
  const unsigned char lead = byte(at);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

std::string PrepareXmlText(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == 0) break;
    if (c == '\r') {
      text += '\n';
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c < 0x80) {
      text += bytes[i];
    } else if (const size_t length = Utf8SequenceLength(bytes, i)) {
      text.append(bytes, i, length);
      i += length - 1;
    } else {
      text += "\xEF\xBF\xBD";
    }
  }
  return text;
}

bool ParseXmlDocument(const std::string& bytes, TiXmlDocument& document) {
  const std::string text = PrepareXmlText(bytes);
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
