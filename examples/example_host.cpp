// A small host program: builds a catalogue of two hoops, prints it, turns one hoop and saves the catalogue.
//
//   example_host [OUT.ini]
#include <brevant/Brevant.h>

#include <cstdio>

namespace {

void AddRoundHoop(CINIHoop& hoops) {
    int hoop = hoops.InsertHoop("Round 100 mm", "Round");
    CRect sewField(-450, 450, 450, -450), inner(-500, 500, 500, -500), outer(-560, 560, 560, -560);
    hoops.SetHoopSewField(hoop, &sewField);
    hoops.SetHoopInnerDim(hoop, &inner);
    hoops.SetHoopOuterDim(hoop, &outer);
    hoops.InsertHoopMount(hoop, "Centre", 1, 0, 0, 0, 0, 0);
}

void AddMultiPositionHoop(CINIHoop& hoops) {
    int hoop = hoops.InsertHoop("Multi-position 130 x 360 mm", "Rectangle");
    CRect sewField(-650, 600, 650, -600), outer(-760, 1950, 760, -1950);
    hoops.SetHoopSewField(hoop, &sewField);
    hoops.SetHoopOuterDim(hoop, &outer);
    hoops.InsertHoopMount(hoop, "Top", 1, 0, 0, 0, 1200, 1200);
    hoops.InsertHoopMount(hoop, "Middle", 2, 0, 0, 0, 0, 0);
    hoops.InsertHoopMount(hoop, "Bottom", 3, 0, 0, 0, -1200, -1200);
}

void Print(CINIHoop& hoops) {
    for (int hoop = 0; hoop < hoops.GetHoopCount(); ++hoop) {
        CString description, shape;
        CRect sewField, bounds;
        hoops.GetHoop(hoop, &description, &shape);
        hoops.GetHoopSewField(hoop, &sewField);
        hoops.GetHoopRect(hoop, &bounds);
        std::printf("%d  %-30s %-10s sew field %5.1f x %5.1f mm  rotation %3d  mounts %d  reach (%d, %d, %d, %d)\n",
                    hoop, description.GetString(), shape.GetString(), sewField.Width() / 10.0,
                    -sewField.Height() / 10.0, hoops.GetHoopRotation(hoop), hoops.GetHoopMountCount(hoop),
                    bounds.left, bounds.top, bounds.right, bounds.bottom);
    }
}

} // namespace

int main(int argc, char** argv) {
    CINIHoop hoops;
    if (!hoops.Create()) {
        std::fprintf(stderr, "could not create a catalogue\n");
        return 2;
    }
    AddRoundHoop(hoops);
    AddMultiPositionHoop(hoops);
    Print(hoops);

    hoops.SetHoopRotation(1, 90);
    std::printf("after turning hoop 1 by 90 degrees:\n");
    Print(hoops);

    const char* out = argc > 1 ? argv[1] : "example-hoops.ini";
    if (!hoops.SaveAs(out)) {
        std::fprintf(stderr, "could not save %s\n", out);
        return 2;
    }
    std::printf("saved %s\n", out);
    return 0;
}
