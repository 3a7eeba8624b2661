// A restarted process gets its own arguments back, so it finds the same
// data source.
#include <gtest/gtest.h>

#include "app/RestartArguments.h"

TEST(RestartArguments, AreTheCommandLineAfterTheProgramName) {
  EXPECT_EQ(RestartArguments(u"C:\\Prismel\\Prismel.exe ;Scanner 2;"), u";Scanner 2;");
  EXPECT_EQ(RestartArguments(u"\"C:\\Program Files\\Prismel\\Prismel.exe\"  ;DS; x"), u";DS; x");
  EXPECT_EQ(RestartArguments(u"Prismel.exe\t;T;"), u";T;");
  EXPECT_EQ(RestartArguments(u"Prismel.exe"), u"");
  EXPECT_EQ(RestartArguments(u"\"unterminated name ;T;"), u"");
  EXPECT_EQ(RestartArguments(u""), u"");
}

TEST(RestartArguments, ThatWouldNotFitWholeAreNotRegistered) {
  const std::u16string fits(1023, u'a');
  const std::u16string tooLong(1024, u'a');
  EXPECT_EQ(RestartArguments(u"P.exe " + fits), fits);
  EXPECT_EQ(RestartArguments(u"P.exe " + tooLong), std::nullopt);
}
