// Numbers typed on the command line: decimal only, 32 bits, never empty.
#include "DecimalArgument.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseDecimal, TakesSignedDecimalsThatFit32Bits) {
    const struct {
        const char* text;
        int32_t value;
    } good[] = {{"0", 0},
                {"010", 10},
                {"-90", -90},
                {"+7", 7},
                {"2147483647", 2147483647},
                {"-2147483648", INT32_MIN},
                {"00000000000000000012", 12}};
    for (const auto& row : good) {
        int32_t value = -1;
        EXPECT_EQ(ParseDecimal(row.text, value), "") << row.text;
        EXPECT_EQ(value, row.value) << row.text;
    }
    for (const char* bad :
         {"", "-", "0x10", "1e3", "12 ", "1.5", "2147483648", "-2147483649", "99999999999"}) {
        int32_t value = 5;
        EXPECT_NE(ParseDecimal(bad, value), "") << bad;
        EXPECT_EQ(value, 5) << bad;
    }
}

TEST(DecimalInteger, HandsCLI11ThePlainForm) {
    CLI::App app;
    int number = 0;
    app.add_option("N", number)->transform(DecimalInteger());
    app.parse(std::vector<std::string>{"010"});
    EXPECT_EQ(number, 10);
    EXPECT_THROW(app.parse(std::vector<std::string>{"0x10"}), CLI::ValidationError);
}

} // namespace
