// Feeds arbitrary WM_COPYDATA blocks to a connected link controller. The
// first two bytes choose the kind; the rest is the block, of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dslink/CScanTwainControl.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

struct IgnoringWindow : ITwainShowWindow {
  int NoOperation() override { return 1; }
  int ShowTwainWindow(int) override { return 1; }
  int CaptureOne() override { return 1; }
  int EnableMergeOption(int) override { return 1; }
  int CloseTwainWindow() override { return 1; }
  int ShowByMode() override { return 1; }
};

constexpr uint32_t kKinds[] = {kDSKindTextMessage, kDSKindScanSettings, kDSKindIgnored, 0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static headless::HeadlessPlatform host;
  static IgnoringWindow window;
  static CScanTwainControl link(host.platform);
  [[maybe_unused]] static const int connected = link.Connect(&window);

  const uint32_t kind = kKinds[data[0] % 4];
  std::vector<uint8_t> block(data + 2, data + size);
  // 0xFF in the second byte sends a null block of that size.
  link.Dispatch(kind, data[1] == 0xFF ? nullptr : block.data(), static_cast<uint32_t>(block.size()));
  return 0;
}
