#include "DecimalArgument.h"

#include "ToolOutput.h"

#include <climits>

std::string ParseDecimal(const std::string& text, int32_t& value) {
    if (text.empty())
        return "an empty value is not a number";
    size_t start = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (start == text.size() || text.find_first_not_of("0123456789", start) != std::string::npos)
        return Quoted(text) + " is not a decimal whole number";
    long long magnitude = 0;
    for (size_t index = start; index < text.size(); ++index) {
        magnitude = magnitude * 10 + (text[index] - '0');
        if (magnitude > 2147483648LL)
            return Quoted(text) + " does not fit 32 bits (-2147483648 to 2147483647)";
    }
    long long signedValue = text[0] == '-' ? -magnitude : magnitude;
    if (signedValue > INT32_MAX)
        return Quoted(text) + " does not fit 32 bits (-2147483648 to 2147483647)";
    value = static_cast<int32_t>(signedValue);
    return {};
}

CLI::Validator DecimalInteger() {
    return CLI::Validator(
        [](std::string& text) {
            int32_t value = 0;
            std::string problem = ParseDecimal(text, value);
            if (problem.empty())
                text = std::to_string(value);
            return problem;
        },
        "", "DECIMAL");
}
