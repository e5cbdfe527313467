// The six numbers of a mount, in the order in which the mount members take and hand them out.
#pragma once

#include "hoop/HoopRecords.h"

enum HoopMountNumber {
    kMountID,
    kMountRotation,
    kMountLowX,
    kMountHighX,
    kMountLowY,
    kMountHighY,
    kMountNumbers
};

inline constexpr int32_t MountRecord::*kMountNumberFields[kMountNumbers] = {
    &MountRecord::iID,    &MountRecord::iRotation, &MountRecord::iLowX,
    &MountRecord::iHighX, &MountRecord::iLowY,     &MountRecord::iHighY};
