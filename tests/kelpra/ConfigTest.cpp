// The configuration file: devices, formats, sizes with their DPI, library
// settings, faults, and what happens to lines that do not parse.
#include <gtest/gtest.h>

#include <string>

#include "KelpraConfig.h"

namespace kelpra_test {
namespace {

std::string Optional(const char* key, const std::optional<int32_t>& value) {
  return value ? std::string(" ") + key + "=" + std::to_string(*value) : "";
}

// Everything a file gave, on one line per device after the library's line.
std::string Described(const std::string& text) {
  const kelpra::LibraryConfig config = kelpra::ParseConfig(text);
  std::string out = "skipped " + std::to_string(config.skippedLines) + ", tick " +
                    std::to_string(config.tickMs) + Optional("devices", config.reportedDeviceCount);
  for (const kelpra::FailRule& rule : config.failRules) {
    out += ", fail " + rule.exportName + "," + std::to_string(rule.count) + "," +
           std::to_string(rule.code);
  }
  for (const kelpra::DeviceSpec& device : config.devices) {
    out += "\n" + device.name + " (" + std::to_string(device.documents) + ")" +
           Optional("formats", device.faults.formatCount) +
           Optional("sizes", device.faults.sizeCount) +
           Optional("width", device.faults.currentWidth) +
           (device.faults.openFailure ? " open=" + std::to_string(device.faults.openFailure) : "");
    for (const kelpra::VideoFormat& format : device.formats) {
      out += " " + format.name + ":";
      for (const kelpra::FrameSize& s : format.sizes) {
        out += " " + std::to_string(s.width) + "x" + std::to_string(s.height) + "@" +
               std::to_string(s.dpi);
      }
    }
  }
  return out;
}

TEST(KelpraConfig, DevicesFormatsAndSizesAreReadInOrderWithTheirDpi) {
  EXPECT_EQ(Described("; two devices\n[Library]\nTickMs=250\nFail=camOpenDev,2,-5\n"
                      "[Device]\nName=Desk Camera\nDpi=200\nDocuments=2\nFormat=MJPG\n"
                      "Size=640x480@59\nSize = 3264 x 2448\nFormat=NV12\nSize=1920X1080@180\n"
                      "[device]\r\nName=Side Webcam\r\nFormat=YUY2\r\nSize=320x240\r\n"),
            "skipped 0, tick 250, fail camOpenDev,2,-5\n"
            "Desk Camera (2) MJPG: 640x480@59 3264x2448@200 NV12: 1920x1080@180\n"
            "Side Webcam (1) YUY2: 320x240@96");
}

TEST(KelpraConfig, AFileWithoutDevicesKeepsTheBuiltInOnes) {
  for (const char* text :
       {"", "[Library]\nTickMs=5\n", "[Device]\nName=No formats\n", "[Device]\nFormat=MJPG\n"}) {
    EXPECT_NE(Described(text).find("\nKelpra Document Camera (2) MJPG: 640x480@30 "),
              std::string::npos) << text;
  }
}

TEST(KelpraConfig, BadLinesAreSkippedAndCountedWithoutTouchingTheRest) {
  EXPECT_EQ(Described("TickMs=5\n"  // before any section
                      "[Library]\nTickMs=-1\nTickMs=12abc\n"
                      "Fail=camOpenDev,1,0\n"  // code 0 would not fail
                      "Fail=camOpenDev\n"
                      "[Device]\nName=\x01hidden\n"  // control character
                      "Size=640x480\n"               // no format yet
                      "Format=MJPG\nSize=0x480\n"
                      "Size=9000x10\n"    // wider than any camera
                      "Size=8000x8000\n"  // too many pixels
                      "Size=640x480@0\nSize=640x480@96@1\nSize=99999999999999x1\n"
                      "Documents=3\nUnknown=1\n[Mystery]\nName=ignored\n[Broken\nSize=800x600\n"
                      "[Device]\nFormat=RGB\nSize=800x600\n"),
            "skipped 20, tick 1000\nKelpra Camera 0 (1) RGB: 800x600@96");
}

TEST(KelpraConfig, FaultKeysTakeAnyIntegerButNotAnOpenFailureOfZero) {
  EXPECT_EQ(Described("[Library]\nReportedDevices=-2147483648\n"
                      "[Device]\nName=A\nReportedFormats=2147483647\nReportedSizes=-1\n"
                      "ReportedWidth=0\nOpenFails=0\n"  // would not fail
                      "ReportedSizes=2147483648\n"      // past 32 bits
                      "ReportedWidth=zero\nFormat=MJPG\nSize=640x480\n"
                      "[Device]\nName=B\nOpenFails=-5\nFormat=MJPG\nSize=640x480\n"),
            "skipped 3, tick 1000 devices=-2147483648\n"
            "A (1) formats=2147483647 sizes=-1 width=0 MJPG: 640x480@96\n"
            "B (1) open=-5 MJPG: 640x480@96");
}

}  // namespace
}  // namespace kelpra_test
