// Numbers on the command line are decimal: "010" is ten, and "0x10" or an empty text is an error.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

// Reads an optionally signed decimal integer that fits 32 bits; answers an empty text, or what is wrong.
std::string ParseDecimal(const std::string& text, int32_t& value);

// A CLI11 transform that refuses any text but a decimal integer and hands CLI11 its plain form ("010" becomes
// "10"), since CLI11 itself would read a leading 0 as octal and 0x as hexadecimal.
CLI::Validator DecimalInteger();
