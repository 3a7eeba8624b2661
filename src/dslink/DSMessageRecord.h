// The fixed-layout records exchanged with the data source over WM_COPYDATA.
// Integers are 32-bit little-endian, text is UTF-16LE.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Record kinds, carried in the message's dwData.
constexpr uint32_t kDSKindTextMessage = 1002;
constexpr uint32_t kDSKindScanSettings = 1003;
constexpr uint32_t kDSKindIgnored = 1004;

// Message codes of text message records.
constexpr int32_t kDSCodeConnect = 202;
constexpr int32_t kDSCodeConnected = 203;
constexpr int32_t kDSCodeUiMode = 204;
constexpr int32_t kDSCodeBracket = 207;  // "BEGIN" or "END"
constexpr int32_t kDSCodeFile = 208;
constexpr int32_t kDSCodeFileAnnouncement = 209;
constexpr int32_t kDSCodeFinishRequest = 211;
constexpr int32_t kDSCodeFinishing = 212;

// Units of the text field, the terminating NUL included.
constexpr size_t kDSTextUnits = 260;
// The longest text a record carries whole: 259 units before the NUL.
constexpr size_t kDSLongestText = kDSTextUnits - 1;

// Text message record: code and 260 UTF-16 units, NUL-terminated.
struct DSMessageRecord {
  int32_t code = 0;
  char16_t text[kDSTextUnits] = {};
};
static_assert(sizeof(DSMessageRecord) == 524, "text message record is 524 bytes");
static_assert(offsetof(DSMessageRecord, text) == 4, "text starts at offset 4");

// Scan settings pushed by the data source. Only four fields are read; the
// other bytes belong to the data source.
struct DSScanSettings {
  uint8_t notRead0[36] = {};
  int32_t pixelType = 0;     // TWAIN pixel type: 0 black and white, 1 grey
  float resolution = 0.0f;   // dots per inch
  uint8_t notRead1[4] = {};
  int32_t rotation = 0;      // index into the rotation list
  uint8_t notRead2[5] = {};
  uint8_t autoCrop = 0;      // non-zero: automatic single crop
  uint8_t notRead3[2] = {};
};
static_assert(sizeof(DSScanSettings) == 60, "scan settings record is 60 bytes");
static_assert(offsetof(DSScanSettings, pixelType) == 36, "pixel type at offset 36");
static_assert(offsetof(DSScanSettings, resolution) == 40, "resolution at offset 40");
static_assert(offsetof(DSScanSettings, rotation) == 48, "rotation at offset 48");
static_assert(offsetof(DSScanSettings, autoCrop) == 57, "auto-crop at offset 57");

// A text message as it arrived.
struct IncomingTextMessage {
  int32_t code = 0;
  std::u16string text;
};

// Builds a zero-filled record with the code and as much of the text as the
// field holds with its terminating NUL.
DSMessageRecord MakeDSMessageRecord(int32_t code, const std::u16string& text);

// True when `text` travels whole in a record: at most kDSLongestText units
// and no NUL inside, which would end it early. A file path that does not
// would reach the data source cut and name another file.
bool FitsDSMessageRecord(const std::u16string& text);

// Reads a text message from a data block of `size` bytes. Nothing when the
// block is missing or too short for the code; the text is read only within
// the bytes that arrived, up to its NUL and at most 260 units.
std::optional<IncomingTextMessage> ReadTextMessage(const void* data, uint32_t size);

// Copies a scan settings record out of a data block; nothing when the block
// is missing or shorter than the record.
std::optional<DSScanSettings> ReadScanSettings(const void* data, uint32_t size);

// The resolution as a whole DPI value, truncated toward zero. Nothing for
// values that have no such value: NaN, infinities, negatives and values
// beyond the int range.
std::optional<int> ResolutionToDpi(float resolution);
