#include "RecordFiles.h"

#include <cstring>

namespace {

uint64_t Mix(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

uint64_t LittleEndianWord(const char* text) {
    uint64_t word = 0;
    for (int k = 0; k < 8; ++k)
        word |= uint64_t(static_cast<unsigned char>(text[k])) << (8 * k);
    return word;
}

// The slot count that an index at a load of at most three quarters has for `count` names.
uint32_t IndexCapacity(size_t count) {
    uint32_t capacity = 16;
    while (uint64_t(count) * 4 > uint64_t(capacity) * 3)
        capacity *= 2;
    return capacity;
}

// The candidate names: "n" followed by a number in base 36, lowest digit first, counted up one at a time with
// the name kept as the eight bytes that the hash reads, so that millions of candidates cost little.
class Candidates {
  public:
    Candidates() { digits_[0] = 0; }
    std::string Name() const {
        std::string name = "n";
        for (int k = 0; k < length_; ++k)
            name += kDigits[digits_[k]];
        return name;
    }
    // UnkeyedNameHash of the name, which is shorter than eight bytes.
    uint32_t Hash() const {
        uint64_t word = 'n';
        for (int k = 0; k < length_; ++k)
            word |= uint64_t(static_cast<unsigned char>(kDigits[digits_[k]])) << (8 * (k + 1));
        uint64_t hash = Mix(static_cast<uint64_t>(length_ + 1), word);
        return static_cast<uint32_t>(hash ^ (hash >> 32));
    }
    void Advance(uint64_t steps) {
        while (steps--)
            Next();
    }
    void Next() {
        for (int k = 0;; ++k) {
            if (k == length_) {
                digits_[length_++] = 1;
                return;
            }
            if (++digits_[k] < 36)
                return;
            digits_[k] = 0;
        }
    }

  private:
    static constexpr const char* kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
    int digits_[7] = {}; // at most seven digits keep the name shorter than eight bytes
    int length_ = 1;
};

void AppendSection(std::string& text, const std::string& name, size_t value) {
    text += '[';
    text += name;
    text += "]\nvalue=";
    text += std::to_string(value);
    text += "\n\n";
}

} // namespace

uint32_t UnkeyedNameHash(const char* name, size_t length) {
    uint64_t hash = length;
    size_t index = 0;
    for (; index + 8 <= length; index += 8)
        hash = Mix(hash, LittleEndianWord(name + index));
    if (index < length) {
        size_t rest = length - index;
        uint64_t word = 0;
        if (length >= 8) {
            word = LittleEndianWord(name + length - 8) >> (8 * (8 - rest));
        } else {
            for (size_t k = 0; k < rest; ++k)
                word |= uint64_t(static_cast<unsigned char>(name[index + k])) << (8 * k);
        }
        hash = Mix(hash, word);
    }
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

std::string TinySectionsText(size_t count) {
    std::string text;
    text.reserve(count * 30);
    for (size_t i = 0; i < count; ++i)
        AppendSection(text, "record" + std::to_string(i), i);
    return text;
}

std::string CraftedNamesText(size_t count, bool colliding) {
    const uint32_t mask = IndexCapacity(count) - 1;
    std::string text;
    text.reserve(count * 24);
    Candidates candidates;
    for (size_t i = 0; i < count; ++i) {
        // The plain names step through the candidates as far as the colliding ones reach, so that both files
        // have names of the same lengths.
        while (colliding && (candidates.Hash() & mask) != 0)
            candidates.Next();
        AppendSection(text, candidates.Name(), i);
        candidates.Advance(colliding ? 1 : uint64_t(mask) + 1);
    }
    return text;
}
