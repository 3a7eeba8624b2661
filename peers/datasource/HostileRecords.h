// Records of random kinds, sizes and contents, as any process on the
// desktop can send them with WM_COPYDATA.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

struct HostileRecord {
  uint32_t kind = 0;
  std::vector<uint8_t> data;
  // The text-message code at the start of the data, when there are 4 bytes.
  bool hasCode = false;
  int32_t code = 0;
};

// The next record of the sequence `random` makes. Codes 211 and 212 are
// never made: they are documented to end the session.
HostileRecord NextHostileRecord(std::mt19937& random);
