// Builds a one-hoop catalogue through the installed headers and library and prints what it reads back.
#include <brevant/Brevant.h>

#include <cstdio>

int main() {
    CINIHoop hoops;
    if (!hoops.Create())
        return 1;
    int hoop = hoops.InsertHoop("Round 100", "Round");
    CRect sewField(-500, 500, 500, -500);
    hoops.SetHoopSewField(hoop, &sewField);
    hoops.InsertHoopMount(hoop, "Centre", 1, 0, 0, 0, 0, 0);
    CString description;
    hoops.GetHoop(hoop, &description, nullptr);
    CINIValue value("id", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &hoop);
    std::printf("%s %d %d %d\n", description.GetString(), hoops.GetHoopCount(), hoops.GetHoopSewFieldRight(hoop),
                hoops.GetHoopMountCount(hoop) + value.iCount);
    return 0;
}
