// The reference camera library's configuration file (Kelpra.ini).
#include <cstddef>
#include <cstdint>
#include <string>

#include "KelpraConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const kelpra::LibraryConfig config =
      kelpra::ParseConfig(std::string(reinterpret_cast<const char*>(data), size));
  // Whatever the file says, the result stays within the library's limits.
  if (config.devices.empty() ||
      config.devices.size() > static_cast<size_t>(kelpra::limits::kMaxDevices))
    __builtin_trap();
  for (const kelpra::DeviceSpec& device : config.devices) {
    if (device.formats.empty() || device.name.empty()) __builtin_trap();
    for (const kelpra::VideoFormat& format : device.formats) {
      if (format.sizes.empty()) __builtin_trap();
      for (const kelpra::FrameSize& s : format.sizes) {
        if (s.width < 1 || s.height < 1 || s.width > kelpra::limits::kMaxSide ||
            s.height > kelpra::limits::kMaxSide || s.dpi < 1)
          __builtin_trap();
      }
    }
  }
  if (config.tickMs < 0 || config.tickMs > kelpra::limits::kMaxTickMs) __builtin_trap();
  return 0;
}
