// A hoop catalogue loaded from arbitrary bytes (binary INI when they begin with "INB", INI text otherwise),
// saved, and loaded again: the second load gives the catalogue of the first, and saving it gives the same
// bytes; so does a save whose writer cannot allocate its buffer. A clone of the first catalogue equals it
// too.
//
// What the saved text cannot carry, so that such catalogues are only loaded again, not compared:
// - a text holding a CR, an LF or the byte 0xFF: the byte ends the line that carries the text;
// - a number below -999999999: it is written with 11 characters, one more than the decimal reader takes, so
//   the whole value that holds it is refused;
// - a line of more than 16383 characters (a long points list or text): the reader stops at that line.
#include <climits>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "support/AllocationFaults.h"

namespace {

const int kSmallestWritable = -999999999;
const size_t kLongestLine = 16383;

bool HasLineEnd(const std::string& text) {
    return text.find_first_of("\r\n\xff") != std::string::npos;
}

bool TextsWritable(const HoopSnapshot& hoop) {
    if (HasLineEnd(hoop.description) || HasLineEnd(hoop.shape))
        return false;
    for (const MountSnapshot& mount : hoop.mounts)
        if (HasLineEnd(mount.label))
            return false;
    return true;
}

bool NumbersWritable(const HoopSnapshot& hoop) {
    for (const auto& rect : hoop.rects)
        for (int edge : rect)
            if (edge < kSmallestWritable)
                return false;
    for (const POINT& point : hoop.points)
        if (point.x < kSmallestWritable || point.y < kSmallestWritable)
            return false;
    for (const MountSnapshot& mount : hoop.mounts)
        for (int field : mount.fields)
            if (field < kSmallestWritable)
                return false;
    return true;
}

bool LinesReadable(const std::string& saved) {
    size_t line = 0;
    for (char c : saved) {
        bool ends = c == '\r' || c == '\n' || c == '\xff';
        line = ends ? 0 : line + 1;
        if (line > kLongestLine)
            return false;
    }
    return true;
}

bool Writable(const CatalogueSnapshot& catalogue, const std::string& saved) {
    for (const HoopSnapshot& hoop : catalogue)
        if (!TextsWritable(hoop) || !NumbersWritable(hoop))
            return false;
    return LinesReadable(saved);
}

// The clone stores no rectangle edge of -2147483648 (the setters take it as "keep"): those edges are 0.
CatalogueSnapshot AsCloned(CatalogueSnapshot catalogue) {
    for (HoopSnapshot& hoop : catalogue)
        for (auto& rect : hoop.rects)
            for (int& edge : rect)
                if (edge == INT_MIN)
                    edge = 0;
    return catalogue;
}

void CheckClone(CINIHoop& first, const CatalogueSnapshot& loaded) {
    CINIHoop clone;
    FUZZ_EXPECT(first.CloneTo(&clone) == 1);
    FUZZ_EXPECT(SameCatalogue(TakeSnapshot(clone), AsCloned(loaded), false));
    if (clone.GetHoopCount() > 0) { // appending the last hoop again gives one more, equal hoop
        int last = clone.GetHoopCount() - 1;
        FUZZ_EXPECT(clone.AppendHoop(&clone, last) == 1);
        CatalogueSnapshot appended = TakeSnapshot(clone);
        FUZZ_EXPECT(appended.size() == loaded.size() + 1);
        FUZZ_EXPECT(SameCatalogue({appended.back()}, {appended[size_t(last)]}, false));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLibraryDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    bool binary = size >= 3 && std::memcmp(data, "INB", 3) == 0;
    std::string input = ScratchPath(binary ? "input.inb" : "input.ini");
    FUZZ_EXPECT(WriteWholeFile(input, data, size));
    CINIHoop first;
    if (first.Load(input.c_str()) != 1) {
        FUZZ_EXPECT(first.GetHoopCount() == 0);
        return 0;
    }
    CatalogueSnapshot loaded = TakeSnapshot(first);
    FUZZ_EXPECT(loaded.size() <= 512);

    std::string output = ScratchPath("saved.ini");
    FUZZ_EXPECT(first.SaveAs(output.c_str()) == 1);
    std::string saved = ReadWholeFile(output);
    MemFailAt(1); // without its large buffer the writer gives the same bytes in smaller pieces
    FUZZ_EXPECT(first.SaveAs(output.c_str()) == 1);
    MemFailAt(0);
    FUZZ_EXPECT(ReadWholeFile(output) == saved);
    CINIHoop second;
    FUZZ_EXPECT(second.Load(output.c_str()) == 1); // the saved file always begins with [hoops]
    if (Writable(loaded, saved)) {
        FUZZ_EXPECT(SameCatalogue(TakeSnapshot(second), loaded, true));
        std::string again = ScratchPath("again.ini");
        FUZZ_EXPECT(second.SaveAs(again.c_str()) == 1);
        FUZZ_EXPECT(ReadWholeFile(again) == saved);
    }
    CheckClone(first, loaded);
    return 0;
}
