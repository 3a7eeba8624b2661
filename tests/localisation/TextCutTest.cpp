#include <gtest/gtest.h>

#include "localisation/TextCut.h"

TEST(TextCut, Utf16CutsNeverSplitASurrogatePair) {
  const std::u16string pair = u"\U0001F4F7";
  EXPECT_EQ(localisation::CutUtf16(u"abc", 5), u"abc");
  EXPECT_EQ(localisation::CutUtf16(u"abc", 2), u"ab");
  EXPECT_EQ(localisation::CutUtf16(u"a" + pair, 2), u"a");
  EXPECT_EQ(localisation::CutUtf16(u"a" + pair, 3), u"a" + pair);
  EXPECT_EQ(localisation::CutUtf16(pair + pair, 3), pair);
  EXPECT_EQ(localisation::CutUtf16(pair, 1), u"");
  EXPECT_EQ(localisation::CutUtf16(u"abc", 0), u"");
}
