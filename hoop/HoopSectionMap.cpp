#include "hoop/HoopSectionMap.h"

#include <algorithm>

#include "platform/Memory.h"
#include "platform/NoCase.h"

namespace {

const char* const kRectangleNames[kHoopRectangleCount] = {"sewfield", "innerdim", "outerdim"};

// Reads a plain decimal number without sign or leading zeros, as "%i" prints it; false when there is none.
bool ReadIndex(const char*& text, long long limit, int* index) {
    if (*text < '0' || *text > '9' || (text[0] == '0' && text[1] >= '0' && text[1] <= '9'))
        return false;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value >= limit)
            return false;
    }
    *index = static_cast<int>(value);
    return true;
}

bool SkipNoCase(const char*& text, const char* literal) {
    for (; *literal; ++literal, ++text)
        if (FoldAscii(static_cast<unsigned char>(*text)) != static_cast<unsigned char>(*literal))
            return false;
    return true;
}

bool IsRest(const char* text, const char* literal) {
    return SkipNoCase(text, literal) && *text == '\0';
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
        int hoop = 0;
        if (!SkipNoCase(name, "hoops.hoop") || !ReadIndex(name, kHoopSectionCount, &hoop))
            continue;
        if (*name == '\0') {
            hoops_[hoop].hoop = section;
            continue;
        }
        if (!SkipNoCase(name, "."))
            continue;
        for (int r = 0; r < kHoopRectangleCount; ++r)
            if (IsRest(name, kRectangleNames[r]))
                hoops_[hoop].rectangles[r] = section;
        MountSection& mount = mounts_[mountCount_];
        if (SkipNoCase(name, "mounts.mount") && ReadIndex(name, sections, &mount.mount) && *name == '\0') {
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
