// Devices and behaviour of the reference camera library, as read from its
// configuration file (Kelpra.ini beside the library) or built in.
//
// File format (one setting per line, ';' or '#' starts a comment line):
//
//   [Library]
//   TickMs=1000                  auto-capture tick in milliseconds (1..60000);
//                                0: no clock, ticks only by kelpraTestAutoCaptureTick
//   Fail=camOpenDev,1,-5         the next 1 call of camOpenDev fails with -5
//   ReportedDevices=100000       camGetDevCount reports this count
//
//   [Device]                     each section adds one device, in order
//   Name=Desk Camera             up to 63 printable characters
//   Dpi=300                      native DPI of sizes without their own
//   Documents=2                  documents lying on the desk (1 or 2)
//   Format=MJPG                  starts a video format (up to 15 characters)
//   Size=640x480                 a frame size of the last format ...
//   Size=3264x2448@300           ... optionally with its own native DPI
//   OpenFails=-5                 every camOpenDev of the device fails so
//   ReportedFormats=-3           camGetMediaTypeCount reports this count
//   ReportedSizes=0              camGetResolutionCount reports this count
//   ReportedWidth=0              camGetCurResolution reports this width
//
// The Reported... keys and OpenFails describe a faulty camera or driver for
// tests of the caller: what is reported differs from what the device has
// (an index past the real list is refused as usual). Their values are any
// 32-bit integers (OpenFails: not 0).
//
// A file without any [Device] section keeps the built-in devices. Lines that
// do not parse are skipped and counted; nothing in the file can make the
// library use more than the limits below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelpra {

struct FrameSize {
  int width = 0;
  int height = 0;
  int dpi = 0;  // native DPI at this size
};

struct VideoFormat {
  std::string name;
  std::vector<FrameSize> sizes;
};

// What a faulty device reports in place of the truth.
struct DeviceFaults {
  std::optional<int32_t> formatCount;
  std::optional<int32_t> sizeCount;
  std::optional<int32_t> currentWidth;
  int32_t openFailure = 0;  // 0: opening works
};

struct DeviceSpec {
  std::string name;
  int documents = 1;
  std::vector<VideoFormat> formats;
  DeviceFaults faults;
};

struct FailRule {
  std::string exportName;
  int count = 0;
  int32_t code = 0;
};

struct LibraryConfig {
  int tickMs = 1000;
  std::optional<int32_t> reportedDeviceCount;
  std::vector<DeviceSpec> devices;
  std::vector<FailRule> failRules;
  int skippedLines = 0;
};

namespace limits {
constexpr int kMaxDevices = 16;
constexpr int kMaxFormats = 8;
constexpr int kMaxSizes = 32;
constexpr int kMaxSide = 8192;
constexpr int64_t kMaxPixels = 40 * 1000 * 1000;
constexpr int kMaxDpi = 4800;
constexpr size_t kMaxNameLength = 63;
constexpr size_t kMaxFormatNameLength = 15;
constexpr size_t kMaxFileBytes = 64 * 1024;
constexpr int kMaxFailRules = 64;
constexpr int kMaxTickMs = 60000;
}  // namespace limits

// Parses the text of a configuration file. Devices without any usable
// format are dropped; when none remain the built-in devices are used.
LibraryConfig ParseConfig(const std::string& text);

// The built-in devices: a document camera and a webcam.
std::vector<DeviceSpec> DefaultDevices();
DeviceSpec DefaultWebcam(const std::string& name);

}  // namespace kelpra
