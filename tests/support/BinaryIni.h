// Writes binary INI files for tests: describe the sections and values, take the bytes. Every field is
// written as described, so a test can also write damaged files (wrong descriptors, sizes, lengths, counts).
//
//   BinaryIni file;
//   auto& hoop = file.Section("hoops.hoop0");
//   hoop.Ints("rect", {-500, -500, 500, 500}).String("description", "Round 100");
//   std::string bytes = file.Bytes();
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// One value as written: type byte, name length, name, element count (16 bits), element bytes.
struct BinaryIniValue {
    int type = 1; // written as one byte, also when it is not a valid storage type
    std::string name;
    uint32_t count = 0;                // written as 16 bits
    std::string elements;              // the element bytes, little-endian
    std::optional<uint8_t> nameLength; // written instead of the name's length
};

struct BinaryIniSection {
    std::string name;
    std::optional<uint8_t> nameLength;  // written instead of the name's length
    std::optional<uint16_t> valueCount; // written instead of the number of values
    std::vector<BinaryIniValue> values;

    BinaryIniSection& Ints(const std::string& valueName, const std::vector<int32_t>& ints);
    BinaryIniSection& Chars(const std::string& valueName, const std::string& chars);
    BinaryIniSection& Reals(const std::string& valueName, const std::vector<float>& reals);
    BinaryIniSection& Raw32(const std::string& valueName, const std::vector<uint32_t>& words);
    // A string value: its characters without a terminator, the count being the length.
    BinaryIniSection& String(const std::string& valueName, const std::string& text);
    // A value exactly as given: any type byte, any count, any element bytes.
    BinaryIniSection& Value(int type, const std::string& valueName, uint32_t count,
                            const std::string& elements);

    BinaryIniValue& Last() { return values.back(); }
    void AppendTo(std::string& bytes) const;
};

class BinaryIni {
  public:
    // Appends a section; the reference stays valid while more sections are added.
    BinaryIniSection& Section(const std::string& name);

    std::string Bytes() const;

    // Header fields as written. isize is the length of the bytes (plus isizeDelta) unless set.
    std::string desc0 = "INB";
    std::string desc1 = std::string("\x08\x0D\x01", 3);
    std::optional<uint32_t> isize;
    long isizeDelta = 0;
    uint8_t tag1 = 0;
    uint8_t tag2 = 0;
    uint16_t tag3 = 0;
    uint16_t version = 1;
    uint16_t word1 = 0;
    uint16_t word2 = 0;
    uint16_t word3 = 0;
    std::optional<uint16_t> sectionCount; // written instead of the number of sections
    std::string reserved = std::string(8, '\0');
    std::string trailing; // bytes after the last value
    // The file ends after this many bytes, isize stating that length: a file that ends early although its
    // size field matches.
    std::optional<size_t> cutTo;

    std::deque<BinaryIniSection> sections;

  private:
    std::string Header(uint32_t size) const;
};

// Little- and big-endian pieces, for tests that spell out bytes themselves.
std::string LittleEndian32(uint32_t value);
std::string BigEndian16(uint32_t value);
std::string BigEndian32(uint32_t value);
