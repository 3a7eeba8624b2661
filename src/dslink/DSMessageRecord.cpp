#include "dslink/DSMessageRecord.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

DSMessageRecord MakeDSMessageRecord(int32_t code, const std::u16string& text) {
  DSMessageRecord record;
  record.code = code;
  const size_t units = std::min(text.size(), kDSLongestText);
  std::copy_n(text.data(), units, record.text);
  return record;
}

bool FitsDSMessageRecord(const std::u16string& text) {
  return text.size() <= kDSLongestText && text.find(u'\0') == std::u16string::npos;
}

std::optional<IncomingTextMessage> ReadTextMessage(const void* data, uint32_t size) {
  if (data == nullptr || size < sizeof(int32_t)) return std::nullopt;
  const auto* bytes = static_cast<const uint8_t*>(data);
  IncomingTextMessage message;
  std::memcpy(&message.code, bytes, sizeof message.code);

  const size_t unitsArrived = (size - sizeof(int32_t)) / sizeof(char16_t);
  const size_t units = std::min(unitsArrived, kDSTextUnits);
  for (size_t i = 0; i < units; ++i) {
    char16_t unit;
    std::memcpy(&unit, bytes + sizeof(int32_t) + i * sizeof(char16_t), sizeof unit);
    if (unit == u'\0') break;
    message.text.push_back(unit);
  }
  return message;
}

std::optional<DSScanSettings> ReadScanSettings(const void* data, uint32_t size) {
  if (data == nullptr || size < sizeof(DSScanSettings)) return std::nullopt;
  DSScanSettings settings;
  std::memcpy(&settings, data, sizeof settings);
  return settings;
}

std::optional<int> ResolutionToDpi(float resolution) {
  if (!std::isfinite(resolution) || resolution < 0.0f) return std::nullopt;
  // INT_MAX is not exactly representable as a float; 2^31 is the first value
  // whose truncation no longer fits.
  if (resolution >= 2147483648.0f) return std::nullopt;
  return static_cast<int>(resolution);
}
