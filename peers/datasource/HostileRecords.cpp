#include "HostileRecords.h"

#include <cstring>

HostileRecord NextHostileRecord(std::mt19937& random) {
  HostileRecord record;
  const uint32_t kinds[] = {1002, 1002, 1003, 1004, 0, 1001, 0xFFFFFFFFu,
                            static_cast<uint32_t>(random())};
  record.kind = kinds[random() % 8];
  const uint32_t sizes[] = {0, 1, 3, 4, 59, 60, 61, 523, 524, 525, 4096,
                            static_cast<uint32_t>(random() % 70000)};
  record.data.resize(sizes[random() % 12]);
  for (uint8_t& byte : record.data) byte = static_cast<uint8_t>(random());
  if (record.data.size() >= 4) {
    const int32_t codes[] = {202, 203, 204, 207, 208, 209, 0, -1, static_cast<int32_t>(random())};
    record.code = codes[random() % 9];
    if (record.code == 211 || record.code == 212) record.code = 0;
    std::memcpy(record.data.data(), &record.code, sizeof record.code);
    record.hasCode = true;
  }
  return record;
}
