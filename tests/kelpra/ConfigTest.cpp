// The configuration file: devices, formats, sizes with their DPI, library
// settings, and what happens to lines that do not parse.
#include <gtest/gtest.h>

#include <string>

#include "KelpraConfig.h"

namespace kelpra_test {
namespace {

using kelpra::LibraryConfig;
using kelpra::ParseConfig;

TEST(KelpraConfig, DevicesFormatsAndSizesAreReadInOrder) {
  const LibraryConfig config = ParseConfig(
      "; two devices\n"
      "[Library]\n"
      "TickMs=250\n"
      "Fail=camOpenDev,2,-5\n"
      "[Device]\n"
      "Name=Desk Camera\n"
      "Dpi=200\n"
      "Documents=2\n"
      "Format=MJPG\n"
      "Size=640x480@59\n"
      "Size = 3264 x 2448\n"
      "Format=NV12\n"
      "Size=1920X1080@180\n"
      "[device]\r\n"
      "Name=Side Webcam\r\n"
      "Format=YUY2\r\n"
      "Size=320x240\r\n");
  EXPECT_EQ(config.skippedLines, 0);
  EXPECT_EQ(config.tickMs, 250);
  ASSERT_EQ(config.failRules.size(), 1u);
  EXPECT_EQ(config.failRules[0].exportName, "camOpenDev");
  EXPECT_EQ(config.failRules[0].count, 2);
  EXPECT_EQ(config.failRules[0].code, -5);
  ASSERT_EQ(config.devices.size(), 2u);
  const kelpra::DeviceSpec& desk = config.devices[0];
  EXPECT_EQ(desk.name, "Desk Camera");
  EXPECT_EQ(desk.documents, 2);
  ASSERT_EQ(desk.formats.size(), 2u);
  EXPECT_EQ(desk.formats[0].name, "MJPG");
  ASSERT_EQ(desk.formats[0].sizes.size(), 2u);
  EXPECT_EQ(desk.formats[0].sizes[0].dpi, 59);
  EXPECT_EQ(desk.formats[0].sizes[1].width, 3264);
  EXPECT_EQ(desk.formats[0].sizes[1].dpi, 200);  // the device's Dpi
  EXPECT_EQ(desk.formats[1].sizes[0].dpi, 180);
  EXPECT_EQ(config.devices[1].name, "Side Webcam");
  EXPECT_EQ(config.devices[1].formats[0].sizes[0].dpi, 96);  // no Dpi at all
  EXPECT_EQ(config.devices[1].documents, 1);
}

TEST(KelpraConfig, AFileWithoutDevicesKeepsTheBuiltInOnes) {
  for (const char* text :
       {"", "[Library]\nTickMs=5\n", "[Device]\nName=No formats\n", "[Device]\nFormat=MJPG\n"}) {
    const LibraryConfig config = ParseConfig(text);
    ASSERT_EQ(config.devices.size(), 2u) << text;
    EXPECT_EQ(config.devices[0].name, kelpra::DefaultDevices()[0].name);
  }
}

TEST(KelpraConfig, BadLinesAreSkippedAndCountedWithoutTouchingTheRest) {
  const LibraryConfig config = ParseConfig(
      "TickMs=5\n"  // before any section
      "[Library]\n"
      "TickMs=-1\n"            // out of range
      "TickMs=12abc\n"         // not a number
      "Fail=camOpenDev,1,0\n"  // code 0 would not fail
      "Fail=camOpenDev\n"
      "[Device]\n"
      "Name=\x01hidden\n"  // control character
      "Size=640x480\n"     // no format yet
      "Format=MJPG\n"
      "Size=0x480\n"
      "Size=9000x10\n"    // wider than any camera
      "Size=8000x8000\n"  // too many pixels
      "Size=640x480@0\n"
      "Size=640x480@96@1\n"
      "Size=99999999999999x1\n"
      "Documents=3\n"
      "Unknown=1\n"
      "[Mystery]\n"
      "Name=ignored\n"
      "[Broken\n"
      "Size=800x600\n"
      "[Device]\n"
      "Format=RGB\n"
      "Size=800x600\n");
  EXPECT_EQ(config.tickMs, 1000);
  EXPECT_TRUE(config.failRules.empty());
  EXPECT_EQ(config.skippedLines, 20);
  // The first device has no usable size and is dropped; the second stays.
  ASSERT_EQ(config.devices.size(), 1u);
  EXPECT_EQ(config.devices[0].formats[0].sizes[0].width, 800);
  EXPECT_FALSE(config.devices[0].name.empty());
}

TEST(KelpraConfig, FaultKeysTakeAnyIntegerButNotAnOpenFailureOfZero) {
  const LibraryConfig config = ParseConfig(
      "[Library]\n"
      "ReportedDevices=-2147483648\n"
      "[Device]\n"
      "ReportedFormats=2147483647\n"
      "ReportedSizes=-1\n"
      "ReportedWidth=0\n"
      "OpenFails=0\n"           // would not fail
      "ReportedSizes=2147483648\n"  // past 32 bits
      "ReportedWidth=zero\n"
      "Format=MJPG\n"
      "Size=640x480\n"
      "[Device]\n"
      "OpenFails=-5\n"
      "Format=MJPG\n"
      "Size=640x480\n");
  EXPECT_EQ(config.skippedLines, 3);
  EXPECT_EQ(config.reportedDeviceCount, -2147483647 - 1);
  ASSERT_EQ(config.devices.size(), 2u);
  const kelpra::DeviceFaults& faulty = config.devices[0].faults;
  EXPECT_EQ(faulty.formatCount, 2147483647);
  EXPECT_EQ(faulty.sizeCount, -1);
  EXPECT_EQ(faulty.currentWidth, 0);
  EXPECT_EQ(faulty.openFailure, 0);
  EXPECT_EQ(config.devices[1].faults.openFailure, -5);
  EXPECT_FALSE(config.devices[1].faults.sizeCount.has_value());
}

TEST(KelpraConfig, LimitsCapDevicesFormatsAndSizes) {
  std::string many;
  for (int d = 0; d < kelpra::limits::kMaxDevices + 3; ++d)
    many += "[Device]\nFormat=F\nSize=64x48\n";
  EXPECT_EQ(ParseConfig(many).devices.size(), static_cast<size_t>(kelpra::limits::kMaxDevices));

  std::string big = "[Device]\n";
  for (int f = 0; f < kelpra::limits::kMaxFormats + 2; ++f) {
    big += "Format=F" + std::to_string(f) + "\n";
    for (int s = 0; s < kelpra::limits::kMaxSizes + 2; ++s)
      big += "Size=" + std::to_string(100 + s) + "x100\n";
  }
  const LibraryConfig config = ParseConfig(big);
  ASSERT_EQ(config.devices.size(), 1u);
  EXPECT_EQ(config.devices[0].formats.size(), static_cast<size_t>(kelpra::limits::kMaxFormats));
  EXPECT_EQ(config.devices[0].formats[0].sizes.size(),
            static_cast<size_t>(kelpra::limits::kMaxSizes));
}

}  // namespace
}  // namespace kelpra_test
