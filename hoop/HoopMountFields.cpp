// The fourteen single-field mount members, each a thin call of GetHoopMount or SetHoopMount.
#include "hoop/HoopMounts.h"
#include <brevant/INIHoop.h>

namespace {
int GetNumber(CINIHoop& handle, int hoop, int mount, HoopMountNumber number) {
    int value = 0;
    int* outs[kMountNumbers] = {};
    outs[number] = &value;
    if (!handle.GetHoopMount(hoop, mount, nullptr, outs[0], outs[1], outs[2], outs[3], outs[4], outs[5]))
        return 0;
    return value;
}

int SetNumber(CINIHoop& handle, int hoop, int mount, HoopMountNumber number, int value) {
    int numbers[kMountNumbers];
    for (int& kept : numbers)
        kept = kKeepStoredValue;
    numbers[number] = value;
    return handle.SetHoopMount(hoop, mount, nullptr, numbers[0], numbers[1], numbers[2], numbers[3],
                               numbers[4], numbers[5]);
}
} // namespace

int CINIHoop::GetHoopMountLabel(int hoop, int mount, CString* label) {
    return GetHoopMount(hoop, mount, label, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}
int CINIHoop::SetHoopMountLabel(int hoop, int mount, const char* label) {
    return SetHoopMount(hoop, mount, label, kKeepStoredValue, kKeepStoredValue, kKeepStoredValue,
                        kKeepStoredValue, kKeepStoredValue, kKeepStoredValue);
}

int CINIHoop::GetHoopMountID(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountID);
}
int CINIHoop::SetHoopMountID(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountID, value);
}
int CINIHoop::GetHoopMountRotation(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountRotation);
}
int CINIHoop::SetHoopMountRotation(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountRotation, value);
}
int CINIHoop::GetHoopMountLowX(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountLowX);
}
int CINIHoop::SetHoopMountLowX(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountLowX, value);
}
int CINIHoop::GetHoopMountHighX(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountHighX);
}
int CINIHoop::SetHoopMountHighX(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountHighX, value);
}
int CINIHoop::GetHoopMountLowY(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountLowY);
}
int CINIHoop::SetHoopMountLowY(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountLowY, value);
}
int CINIHoop::GetHoopMountHighY(int hoop, int mount) {
    return GetNumber(*this, hoop, mount, kMountHighY);
}
int CINIHoop::SetHoopMountHighY(int hoop, int mount, int value) {
    return SetNumber(*this, hoop, mount, kMountHighY, value);
}
