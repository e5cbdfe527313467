#include "support/BinaryIni.h"

#include <cstring>

std::string LittleEndian32(uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string BigEndian16(uint32_t value) {
    return {static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string BigEndian32(uint32_t value) {
    return BigEndian16(value >> 16) + BigEndian16(value);
}

namespace {

std::string NameBytes(const std::string& name, const std::optional<uint8_t>& lengthOverride) {
    uint8_t length = lengthOverride ? *lengthOverride : static_cast<uint8_t>(name.size());
    return static_cast<char>(length) + name;
}

template <typename Element> std::string LittleEndianElements(const std::vector<Element>& elements) {
    std::string bytes;
    for (Element element : elements) {
        uint32_t word = 0;
        std::memcpy(&word, &element, sizeof word);
        bytes += LittleEndian32(word);
    }
    return bytes;
}

} // namespace

BinaryIniSection& BinaryIniSection::Value(int type, const std::string& valueName, uint32_t count,
                                          const std::string& elements) {
    BinaryIniValue value;
    value.type = type;
    value.name = valueName;
    value.count = count;
    value.elements = elements;
    values.push_back(value);
    return *this;
}

BinaryIniSection& BinaryIniSection::Ints(const std::string& valueName, const std::vector<int32_t>& ints) {
    return Value(1, valueName, static_cast<uint32_t>(ints.size()), LittleEndianElements(ints));
}

BinaryIniSection& BinaryIniSection::Chars(const std::string& valueName, const std::string& chars) {
    return Value(2, valueName, static_cast<uint32_t>(chars.size()), chars);
}

BinaryIniSection& BinaryIniSection::Reals(const std::string& valueName, const std::vector<float>& reals) {
    static_assert(sizeof(float) == 4, "real elements are 4 bytes");
    return Value(3, valueName, static_cast<uint32_t>(reals.size()), LittleEndianElements(reals));
}

BinaryIniSection& BinaryIniSection::Raw32(const std::string& valueName, const std::vector<uint32_t>& words) {
    return Value(4, valueName, static_cast<uint32_t>(words.size()), LittleEndianElements(words));
}

BinaryIniSection& BinaryIniSection::String(const std::string& valueName, const std::string& text) {
    return Value(5, valueName, static_cast<uint32_t>(text.size()), text);
}

void BinaryIniSection::AppendTo(std::string& bytes) const {
    bytes += NameBytes(name, nameLength);
    bytes += BigEndian16(valueCount ? *valueCount : static_cast<uint32_t>(values.size()));
    for (const BinaryIniValue& value : values) {
        bytes += static_cast<char>(value.type & 0xFF);
        bytes += NameBytes(value.name, value.nameLength);
        bytes += BigEndian16(value.count);
        bytes += value.elements;
    }
}

BinaryIniSection& BinaryIni::Section(const std::string& name) {
    sections.emplace_back();
    sections.back().name = name;
    return sections.back();
}

std::string BinaryIni::Header(uint32_t size) const {
    std::string header = desc0 + desc1 + BigEndian32(size);
    header += static_cast<char>(tag1);
    header += static_cast<char>(tag2);
    header += BigEndian16(tag3) + BigEndian16(version);
    header += BigEndian16(word1) + BigEndian16(word2) + BigEndian16(word3);
    header += BigEndian16(sectionCount ? *sectionCount : static_cast<uint32_t>(sections.size()));
    return header + reserved;
}

std::string BinaryIni::Bytes() const {
    std::string body;
    for (const BinaryIniSection& section : sections)
        section.AppendTo(body);
    body += trailing;
    size_t length = cutTo ? *cutTo : Header(0).size() + body.size();
    uint32_t size = isize ? *isize : static_cast<uint32_t>(static_cast<long>(length) + isizeDelta);
    return (Header(size) + body).substr(0, length);
}
