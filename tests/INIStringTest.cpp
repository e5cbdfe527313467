// The line utilities of the text loader.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ini/INITextString.h"
#include "support/AllocationFaults.h"
#include "support/Captured.h"

TEST(INIString, IndexOfFirst) {
    EXPECT_EQ(INIStringIndexOfFirst("a;b;c", ';'), 1);
    EXPECT_EQ(INIStringIndexOfFirst("a;b;c", 'A'), -1); // case matters
    EXPECT_EQ(INIStringIndexOfFirst("", ';'), -1);
    ExpectCall(-1, "\nFailure : INIStringIndexOfFirst() > Invalid param passed to function!",
               [] { return INIStringIndexOfFirst(nullptr, ';'); });
}

TEST(INIString, StripRemovesSpacesAndTabsOnly) {
    char text[] = "\t x\ny \t", blank[] = " \t";
    EXPECT_EQ(INIStringStripPrePostSpace(text), 1);
    EXPECT_STREQ(text, "x\ny");
    EXPECT_EQ(INIStringStripPrePostSpace(blank), 0); // nothing but blanks: left as it was
    EXPECT_STREQ(blank, " \t");
    std::string tooLong = " " + std::string(INI_LINE_CAPACITY - 1, 'x');
    std::string before = tooLong;
    ExpectCall(0, "\nFailure : INIStringStripPrePostSpace() > String too big!",
               [&] { return INIStringStripPrePostSpace(&tooLong[0]); });
    EXPECT_EQ(tooLong, before);
    ExpectCall(0, "\nFailure : INIStringStripPrePostSpace() > Invalid param passed to function!",
               [] { return INIStringStripPrePostSpace(nullptr); });
}
