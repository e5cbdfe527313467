// Classic C++: lists a catalogue's hoops with the size of their sew fields and saves a copy.
//   example_classic HOOPS.ini COPY.ini
#include <brevant/Brevant.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    CINIHoop hoops;
    if (argc != 3 || !hoops.Load(argv[1]))
        return 1;
    for (int i = 0; i < hoops.GetHoopCount(); ++i) {
        CString description;
        CRect sewField;
        hoops.GetHoop(i, &description, nullptr);
        hoops.GetHoopSewField(i, &sewField);
        std::printf("%s: %d x %d\n", description.GetString(), std::abs(sewField.Width()),
                    std::abs(sewField.Height()));
    }
    return hoops.SaveAs(argv[2]) ? 0 : 1;
}
