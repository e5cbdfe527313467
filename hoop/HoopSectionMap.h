// The sections a hoop file reader takes, found in one pass over the document's section names instead of by
// probing each formatted name: "hoops.hoop<i>", its rectangle sections "hoops.hoop<i>.sewfield", ".innerdim"
// and ".outerdim", and its mount sections "hoops.hoop<i>.mounts.mount<j>", in any letter case, for i below
// 512 and j below the document's section count. Section names are unique without regard to case, so each
// name the reader would probe matches the one section it finds here.
#pragma once

#include "ini/INIFile.h"

enum { kHoopSectionCount = 512, kHoopRectangleCount = 3 };

struct HoopSections {
    SINISectionPool* hoop;
    SINISectionPool* rectangles[kHoopRectangleCount]; // sew field, inner dimension, outer dimension
};

struct MountSection {
    int hoop;
    int mount;
    SINISectionPool* section;
};

class HoopSectionMap {
  public:
    HoopSectionMap() = default;
    HoopSectionMap(const HoopSectionMap&) = delete;
    HoopSectionMap& operator=(const HoopSectionMap&) = delete;
    ~HoopSectionMap();

    // False when memory runs out.
    bool Gather(SINIFilePool* root);
    const HoopSections& Hoop(int index) const { return hoops_[index]; }
    // The mount sections of hoop `index`, in ascending mount index.
    const MountSection* FirstMount(int index) const;
    const MountSection* EndOfMounts() const { return mounts_ + mountCount_; }

  private:
    HoopSections* hoops_ = nullptr;
    MountSection* mounts_ = nullptr;
    int mountCount_ = 0;
    size_t mountRoom_ = 0;
};
