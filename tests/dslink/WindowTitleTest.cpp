#include <gtest/gtest.h>

#include "dslink/DSWindowTitle.h"

TEST(DSWindowTitle, IsTheTextBetweenTheFirstTwoSemicolons) {
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"Prismel.exe ;Scanner;"), u"Scanner");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u";A;B;C;"), u"A");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"x;  spaced title ;y"), u"  spaced title ");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"x;\u6587\u6863;"), u"\u6587\u6863");
}

TEST(DSWindowTitle, FallsBackToTheDefaultTitle) {
  EXPECT_EQ(DSWindowTitleFromCommandLine(u""), u"TWAINDSWINDOWS");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"Prismel.exe"), u"TWAINDSWINDOWS");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"Prismel.exe ;Scanner"), u"TWAINDSWINDOWS");
  EXPECT_EQ(DSWindowTitleFromCommandLine(u"Prismel.exe ;;Scanner;"), u"TWAINDSWINDOWS");
}
