// Catalogues saved and loaded again come back unchanged, but for what the file format cannot carry.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "support/Captured.h"
#include "support/HoopFields.h"

namespace {

// What a save and a load give back of a field: a number of more than ten characters drops its whole list
// (points become none, the other lists zeros), and the first hoop without points gets the default outline.
std::vector<HoopField> Expected(std::vector<HoopField> fields, CINIHoop& loaded) {
    static const std::regex kNumbers(" rect \\d$| id$|rotation$|limits$|points$"), kTooLong("[^,;]{11}");
    for (auto& [name, text] : fields) {
        bool points = name.find("points") != std::string::npos;
        if (std::regex_search(name, kNumbers) && std::regex_search(text, kTooLong))
            text = points ? ""
                   : name.find("rotation") != std::string::npos || name.find(" id") != std::string::npos
                       ? "0"
                       : "0,0,0,0";
        if (name == "hoop 0 points" && text.empty())
            text = DefaultOutline(loaded);
    }
    return fields;
}

} // namespace

TEST(HoopRoundTrip, RandomCataloguesComeBackAsTheFormatAllows) {
    TempDir dir;
    std::string path = dir.Path("round.ini");
    std::mt19937 random;
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // Mostly small coordinates, sometimes the extremes of the type and numbers of ten and eleven characters.
    auto number = [&] {
        const int extremes[] = {INT_MAX, INT_MIN, INT_MIN + 1, -1000000000, -999999999, 999999999};
        return between(0, 2) ? between(-5000, 5000) : extremes[between(0, 5)];
    };
    // Texts of any single-byte character but those that end a line; sometimes null or empty.
    std::string texts[3];
    auto text = [&](int slot) -> const char* {
        int kind = between(0, 9);
        texts[slot].clear();
        for (int n = kind < 2 ? 0 : between(1, 30); n > 0; --n) {
            char c = static_cast<char>(between(1, 252));
            texts[slot] += c == '\r' || c == '\n' ? '\xFD' : c;
        }
        return kind == 0 ? nullptr : texts[slot].c_str();
    };
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE(seed);
        random.seed(seed);
        CINIHoop original, loaded;
        ASSERT_EQ(original.Create(), 1);
        for (int i = 0; i < static_cast<int>(seed % 7); ++i) {
            int hoop = original.InsertHoop(text(0), text(1));
            CArray<POINT, POINT> points;
            for (int k = between(0, 3) == 0 ? 0 : between(1, 40); k > 0; --k)
                points.Add(POINT{number(), number()});
            original.SetHoopPoints(hoop, &points);
            CRect sew(number(), number(), number(), number()), inner(number(), number(), number(), number()),
                outer(number(), number(), number(), number());
            original.SetHoopSewField(hoop, &sew);
            original.SetHoopInnerDim(hoop, &inner);
            original.SetHoopOuterDim(hoop, &outer);
            for (int j = between(0, 4); j > 0; --j)
                original.InsertHoopMount(hoop, text(2), number(), number(), number(), number(), number(),
                                         number());
            original.SetHoopRotation(hoop, between(0, 1) ? 0 : between(-720, 720));
        }
        ASSERT_EQ(original.SaveAs(path.c_str()), 1);
        int result = 0;
        std::string printed = CapturedDiagnostics([&] { result = loaded.Load(path.c_str()); });
        ASSERT_EQ(result, 1) << printed;
        EXPECT_EQ(Expected(HoopFields(original), loaded), HoopFields(loaded));
        for (int i = 0; i < loaded.GetHoopCount(); ++i)
            EXPECT_EQ(loaded.GetHoopRotation(i), 0);
        if (HasFailure())
            break;
    }
}
