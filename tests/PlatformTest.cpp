#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "ini/INIFileNameHash.h"
#include "platform/NoCase.h"
#include <brevant/CString.h>

TEST(Platform, StringFormatsAppendsAndEmpties) {
    CString text;
    text.Format("%3.4i|%s", 7, "50% off");
    text += "x";
    EXPECT_EQ(text, "0007|50% offx");
    EXPECT_EQ(text.GetLength(), 13);
    text.Empty();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_STREQ(static_cast<const char*>(text), "");
}

TEST(Platform, NoCaseFoldsAsciiOnlyUnderAnyLocale) {
    const char* turkish = std::setlocale(LC_ALL, "tr_TR.UTF-8");
    EXPECT_EQ(CompareNoCase("HOOPS.Hoop1", "hoops.hoop1"), 0);
    EXPECT_EQ(CompareNoCase("I", "i"), 0); // no dotless i under a Turkish locale
    EXPECT_LT(CompareNoCase("a", "b"), 0);
    EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0); // bytes above 0x7F are not folded
    // Names of every length, so that the last bytes of a name count in both ways of reading them.
    std::string upper = "HOOPS.HOOP12.MOUNTS.MOUNT7", lower = "hoops.hoop12.mounts.mount7";
    for (size_t length = 1; length <= upper.size(); ++length) {
        EXPECT_EQ(HashNoCase(upper.substr(0, length).c_str()), HashNoCase(lower.substr(0, length).c_str()));
        std::string other = lower.substr(0, length);
        other.back() ^= 1;
        EXPECT_NE(HashNoCase(other.c_str()), HashNoCase(lower.substr(0, length).c_str())) << other;
    }
    std::setlocale(LC_ALL, "C");
    if (!turkish)
        GTEST_SKIP() << "tr_TR.UTF-8 is not installed";
}
