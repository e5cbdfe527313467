#include "hoop/HoopSectionMap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ini/INIEightBytes.h"
#include "platform/Memory.h"

namespace {

// A lowercase literal of 8 to 16 characters, compared eight bytes at a time: a byte of the text matches a
// letter of the literal in either case (setting bit 5 folds exactly the two cases of a letter onto the
// lowercase one) and any other character exactly.
struct NoCaseLiteral {
    uint64_t head, tail;         // the literal's first and last eight bytes
    uint64_t headFold, tailFold; // bit 5 of each byte that is a letter
    size_t length;
};

constexpr uint64_t WordOf(const char* text, bool fold) {
    uint64_t word = 0;
    for (int k = 0; k < 8; ++k) {
        bool letter = text[k] >= 'a' && text[k] <= 'z';
        word |= uint64_t(fold ? (letter ? 0x20 : 0) : static_cast<unsigned char>(text[k])) << (8 * k);
    }
    return word;
}

constexpr size_t LengthOf(const char* text) {
    size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

constexpr NoCaseLiteral MakeLiteral(const char* text) {
    size_t length = LengthOf(text);
    return NoCaseLiteral{WordOf(text, false), WordOf(text + length - 8, false), WordOf(text, true),
                         WordOf(text + length - 8, true), length};
}

constexpr NoCaseLiteral kHoopPrefix = MakeLiteral("hoops.hoop");
constexpr NoCaseLiteral kMountPrefix = MakeLiteral("mounts.mount");
constexpr NoCaseLiteral kRectangleNames[kHoopRectangleCount] = {
    MakeLiteral("sewfield"), MakeLiteral("innerdim"), MakeLiteral("outerdim")};
static_assert(kHoopPrefix.length >= 8 && kMountPrefix.length >= 8, "literals of eight bytes at least");

// True when the text, of which `length` bytes remain, starts with the literal; then moves it past.
bool SkipNoCase(const char*& text, size_t& length, const NoCaseLiteral& literal) {
    if (length < literal.length || (LoadEightBytes(text) | literal.headFold) != literal.head ||
        (LoadEightBytes(text + literal.length - 8) | literal.tailFold) != literal.tail)
        return false;
    text += literal.length;
    length -= literal.length;
    return true;
}

// Reads a plain decimal number without sign or leading zeros, as "%i" prints it; false when there is none.
bool ReadIndex(const char*& text, size_t& length, long long limit, int* index) {
    const char* start = text;
    if (*text < '0' || *text > '9' || (text[0] == '0' && text[1] >= '0' && text[1] <= '9'))
        return false;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value >= limit)
            return false;
    }
    *index = static_cast<int>(value);
    length -= static_cast<size_t>(text - start);
    return true;
}

// The rectangle that the rest of a name after "hoops.hoop<i>." names, or -1.
int RectangleOf(const char* rest, size_t length) {
    for (int r = 0; r < kHoopRectangleCount; ++r)
        if (length == kRectangleNames[r].length && SkipNoCase(rest, length, kRectangleNames[r]))
            return r;
    return -1;
}

} // namespace

HoopSectionMap::~HoopSectionMap() {
    MemFreeSized(hoops_, sizeof(HoopSections) * kHoopSectionCount);
    MemFreeSized(mounts_, sizeof(MountSection) * mountRoom_);
}

bool HoopSectionMap::Gather(SINIFilePool* root) {
    int sections = root->iSectionCount;
    hoops_ = static_cast<HoopSections*>(MemAllocZeroed(sizeof(HoopSections) * kHoopSectionCount));
    mountRoom_ = sections > 0 ? sections : 1;
    mounts_ = static_cast<MountSection*>(MemAlloc(sizeof(MountSection) * mountRoom_));
    if (!hoops_ || !mounts_)
        return false;
    for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        const char* name = section->caName;
        size_t length = std::strlen(name);
        int hoop = 0;
        if (!SkipNoCase(name, length, kHoopPrefix) || !ReadIndex(name, length, kHoopSectionCount, &hoop))
            continue;
        if (length == 0) {
            hoops_[hoop].hoop = section;
            continue;
        }
        if (*name != '.')
            continue;
        ++name;
        --length;
        int rectangle = RectangleOf(name, length);
        if (rectangle >= 0) {
            hoops_[hoop].rectangles[rectangle] = section;
            continue;
        }
        MountSection& mount = mounts_[mountCount_];
        if (SkipNoCase(name, length, kMountPrefix) && ReadIndex(name, length, sections, &mount.mount) &&
            length == 0) {
            mount.hoop = hoop;
            mount.section = section;
            ++mountCount_;
        }
    }
    // A saved catalogue lists its mounts in order already.
    auto before = [](const MountSection& a, const MountSection& b) {
        return a.hoop != b.hoop ? a.hoop < b.hoop : a.mount < b.mount;
    };
    if (!std::is_sorted(mounts_, mounts_ + mountCount_, before))
        std::sort(mounts_, mounts_ + mountCount_, before);
    return true;
}

const MountSection* HoopSectionMap::FirstMount(int index) const {
    return std::lower_bound(mounts_, mounts_ + mountCount_, index,
                            [](const MountSection& m, int hoop) { return m.hoop < hoop; });
}
