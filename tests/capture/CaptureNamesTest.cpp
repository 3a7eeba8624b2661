// The names one capture writes its files under.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "capture/CaptureNames.h"

using capture::ExtensionOf;
using capture::FreeCaptureNames;
using capture::MakeCaptureNames;

TEST(CaptureNames, ShareOneNumberAndTheExtensionOfTheFormatList) {
  const auto names = MakeCaptureNames("C:\\temp\\\\Dorvel", 12345, ExtensionOf(1));
  ASSERT_TRUE(names);
  EXPECT_EQ(names->main, "C:\\temp\\\\Dorvel\\1_12345.jpg");
  EXPECT_EQ(names->secondary, "C:\\temp\\\\Dorvel\\2_12345.jpg");
  EXPECT_EQ(names->merge, "C:\\temp\\\\Dorvel\\Merge_12345.jpg");
  // The format list's entries in order; none outside it.
  const std::vector<std::string> extensions = {ExtensionOf(-1), ExtensionOf(0), ExtensionOf(1),
                                               ExtensionOf(2),  ExtensionOf(3), ExtensionOf(4)};
  EXPECT_EQ(extensions, (std::vector<std::string>{"", ".bmp", ".jpg", ".png", ".tif", ""}));
}

TEST(CaptureNames, ASecondCaptureInTheSameTickTakesTheNextFreeNumber) {
  std::set<std::string> taken = {"W\\1_700.bmp", "W\\Merge_701.bmp", "W\\1_702_1.bmp",
                                 "W\\2_703_1.bmp"};
  const auto exists = [&taken](const std::string& path) { return taken.count(path) > 0; };
  const auto names = FreeCaptureNames("W", 700, ".bmp", exists);
  ASSERT_TRUE(names);
  // 700 is taken by a main file, 701 by a merge, 702 and 703 by the first
  // files of multiple crops: all three names move on together.
  EXPECT_EQ(names->main, "W\\1_704.bmp");
  EXPECT_EQ(names->secondary, "W\\2_704.bmp");
  EXPECT_EQ(names->merge, "W\\Merge_704.bmp");
  // A tick above the signed range gives a minus sign; past the largest tick
  // the number wraps to the negative ones.
  EXPECT_EQ(FreeCaptureNames("W", 0x80000005u, ".bmp", exists)->main, "W\\1_-2147483643.bmp");
  taken = {"W\\2_-1.bmp"};
  EXPECT_EQ(FreeCaptureNames("W", 0xFFFFFFFFu, ".bmp", exists)->main, "W\\1_0.bmp");
}

TEST(CaptureNames, ANameThatWouldNotFitItsBufferIsRefusedAndABufferIsReadWithinItsSize) {
  // "\\Merge_1.bmp" is 12 bytes: with a 1012-byte folder it needs 1024 + 1.
  EXPECT_FALSE(MakeCaptureNames(std::string(1012, 'f'), 1, ".bmp"));
  EXPECT_TRUE(MakeCaptureNames(std::string(1011, 'f'), 1, ".bmp"));
  // A buffer is read up to its zero and never past its size.
  EXPECT_EQ(capture::NameBuffer("abc").size(), capture::kNameBufferSize);
  EXPECT_EQ(capture::BufferText(capture::NameBuffer("abc")), "abc");
  const std::string unterminated(2000, 'x');
  EXPECT_EQ(capture::BufferText(unterminated).size(), capture::kNameBufferSize - 1);
}

TEST(CaptureNames, AMultipleCropListsItsFilesAndNoEmptyOne) {
  using Files = std::vector<std::string>;
  // Each name followed by ';' leaves an empty last part, which names no file.
  EXPECT_EQ(capture::MultipleCropFiles("a.bmp;b.bmp;"), (Files{"a.bmp", "b.bmp"}));
  EXPECT_EQ(capture::MultipleCropFiles("a.bmp;b.bmp"), (Files{"a.bmp", "b.bmp"}));
  // One part: the buffer names a single file, or is as it was.
  EXPECT_FALSE(capture::MultipleCropFiles("W\\1_5.bmp"));
}
