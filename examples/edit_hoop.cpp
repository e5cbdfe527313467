// A host that edits a catalogue in place: loads a hoop file, renames and reshapes its first hoop, gives it a
// mount, drops the last hoop and saves the result. It runs under the user's locale, as a host application
// does.
//
//   edit_hoop IN.ini OUT.ini
#include <brevant/Brevant.h>

#include <clocale>
#include <cstdio>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (argc != 3) {
        std::fprintf(stderr, "usage: edit_hoop IN.ini OUT.ini\n");
        return 2;
    }
    CINIHoop hoops;
    if (!hoops.Load(argv[1]) || hoops.GetHoopCount() < 2) {
        std::fprintf(stderr, "could not load a catalogue of two hoops or more from %s\n", argv[1]);
        return 2;
    }
    hoops.SetHoop(0, "Square 60 x 60 mm", "square");
    hoops.SetHoopRotation(0, 90);
    CRect sewField(-300, 300, 300, -300);
    hoops.SetHoopSewField(0, &sewField);
    CArray<POINT, POINT> outline;
    for (POINT corner : {POINT{-320, 320}, POINT{320, 320}, POINT{320, -320}, POINT{-320, -320}})
        outline.Add(corner);
    hoops.SetHoopPoints(0, &outline);
    hoops.InsertHoopMount(0, "Left arm", 7, 180, -1500, 1500, -20, 20);
    hoops.RemoveHoop(hoops.GetHoopCount() - 1);
    if (!hoops.SaveAs(argv[2])) {
        std::fprintf(stderr, "could not save %s\n", argv[2]);
        return 2;
    }
    std::printf("%d hoops saved to %s\n", hoops.GetHoopCount(), argv[2]);
    return 0;
}
