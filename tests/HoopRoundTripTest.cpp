// Catalogues saved and loaded again come back unchanged, but for what the file format cannot carry.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "hoop/INIHoop.h"
#include "support/Captured.h"

namespace {

struct Mount {
    std::string label;
    int fields[6]; // id, rotation, low x, high x, low y, high y
};

struct Hoop {
    std::string description, shape;
    std::vector<POINT> points;
    int rects[3][4]; // sew field, inner dimension, outer dimension
    std::vector<Mount> mounts;
};

using Catalogue = std::vector<Hoop>;

// Rectangle r of a hoop: 0 the sew field, 1 the inner dimension, 2 the outer dimension.
int GetRect(CINIHoop& hoops, int r, int hoop, CRect* rect) {
    return r == 0   ? hoops.GetHoopSewField(hoop, rect)
           : r == 1 ? hoops.GetHoopInnerDim(hoop, rect)
                    : hoops.GetHoopOuterDim(hoop, rect);
}
int SetRect(CINIHoop& hoops, int r, int hoop, const CRect* rect) {
    return r == 0   ? hoops.SetHoopSewField(hoop, rect)
           : r == 1 ? hoops.SetHoopInnerDim(hoop, rect)
                    : hoops.SetHoopOuterDim(hoop, rect);
}

Catalogue Read(CINIHoop& hoops) {
    Catalogue catalogue(static_cast<size_t>(hoops.GetHoopCount()));
    for (int i = 0; i < hoops.GetHoopCount(); ++i) {
        Hoop& hoop = catalogue[static_cast<size_t>(i)];
        CString description, shape;
        hoops.GetHoop(i, &description, &shape);
        hoop.description = description.GetString();
        hoop.shape = shape.GetString();
        CArray<POINT, POINT> points;
        hoops.GetHoopPoints(i, &points);
        hoop.points.assign(points.GetData(), points.GetData() + points.GetSize());
        for (int r = 0; r < 3; ++r) {
            CRect rect;
            GetRect(hoops, r, i, &rect);
            int edges[4] = {rect.left, rect.top, rect.right, rect.bottom};
            std::copy(edges, edges + 4, hoop.rects[r]);
        }
        for (int j = 0; j < hoops.GetHoopMountCount(i); ++j) {
            Mount mount;
            CString label;
            int* f = mount.fields;
            hoops.GetHoopMount(i, j, &label, &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
            mount.label = label.GetString();
            hoop.mounts.push_back(mount);
        }
    }
    return catalogue;
}

// What the text loader keeps of a list: a number of more than ten characters drops the whole list.
bool ListSurvives(const int* numbers, size_t count) {
    for (size_t k = 0; k < count; ++k)
        if (std::to_string(numbers[k]).size() > 10)
            return false;
    return true;
}

// The catalogue as a save and a load give it back.
Catalogue Expected(Catalogue catalogue) {
    for (Hoop& hoop : catalogue) {
        std::vector<int> flat;
        for (POINT p : hoop.points) {
            flat.push_back(p.x);
            flat.push_back(p.y);
        }
        if (!ListSurvives(flat.data(), flat.size()))
            hoop.points.clear();
        for (auto& rect : hoop.rects)
            if (!ListSurvives(rect, 4))
                std::fill(rect, rect + 4, 0);
        for (Mount& mount : hoop.mounts) {
            for (int f = 0; f < 2; ++f)
                if (!ListSurvives(&mount.fields[f], 1))
                    mount.fields[f] = 0;
            if (!ListSurvives(&mount.fields[2], 4))
                std::fill(mount.fields + 2, mount.fields + 6, 0);
        }
    }
    return catalogue;
}

void Compare(const Catalogue& expected, const Catalogue& actual, CINIHoop& loaded) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Hoop& e = expected[i];
        const Hoop& a = actual[i];
        EXPECT_EQ(e.description, a.description);
        EXPECT_EQ(e.shape, a.shape);
        if (i == 0 && e.points.empty()) {
            CRect bounds;
            loaded.GetHoopRect(0, &bounds);
            ASSERT_EQ(a.points.size(), 5u);
            EXPECT_EQ(a.points[2].x, static_cast<int>(static_cast<unsigned>(bounds.right) * 4u));
            EXPECT_EQ(a.points[2].y, static_cast<int>(static_cast<unsigned>(bounds.bottom) * 4u));
        } else {
            ASSERT_EQ(e.points.size(), a.points.size()) << "hoop " << i;
            for (size_t k = 0; k < e.points.size(); ++k)
                EXPECT_TRUE(e.points[k].x == a.points[k].x && e.points[k].y == a.points[k].y)
                    << i << "/" << k;
        }
        for (int r = 0; r < 3; ++r)
            EXPECT_TRUE(std::equal(e.rects[r], e.rects[r] + 4, a.rects[r])) << "hoop " << i << " rect " << r;
        ASSERT_EQ(e.mounts.size(), a.mounts.size());
        for (size_t j = 0; j < e.mounts.size(); ++j) {
            EXPECT_EQ(e.mounts[j].label, a.mounts[j].label);
            EXPECT_TRUE(std::equal(e.mounts[j].fields, e.mounts[j].fields + 6, a.mounts[j].fields))
                << i << "/" << j;
        }
    }
}

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    void Fill(CINIHoop& hoops, int hoopCount) {
        for (int i = 0; i < hoopCount; ++i) {
            int hoop = hoops.InsertHoop(Text(), Text());
            CArray<POINT, POINT> points;
            for (int k = Between(0, 3) == 0 ? 0 : Between(1, 40); k > 0; --k)
                points.Add(POINT{Number(), Number()});
            hoops.SetHoopPoints(hoop, &points);
            for (int r = 0; r < 3; ++r) {
                CRect rect(Number(), Number(), Number(), Number());
                SetRect(hoops, r, hoop, &rect);
            }
            for (int j = Between(0, 4); j > 0; --j)
                hoops.InsertHoopMount(hoop, Text(), Number(), Number(), Number(), Number(), Number(),
                                      Number());
            hoops.SetHoopRotation(hoop, Between(0, 1) ? 0 : Between(-720, 720));
        }
    }

  private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Mostly small coordinates, sometimes the extremes of the type.
    int Number() {
        switch (Between(0, 9)) {
        case 0:
            return INT_MAX - Between(0, 2);
        case 1:
            return INT_MIN + Between(0, 2);
        case 2:
            return Between(-1000000000, -999999990);
        case 3:
            return Between(-99999999, 999999999);
        default:
            return Between(-5000, 5000);
        }
    }

    // Texts of any single-byte character but those that end a line; sometimes null or empty.
    const char* Text() {
        int kind = Between(0, 9);
        if (kind == 0)
            return nullptr;
        text_.clear();
        for (int n = kind == 1 ? 0 : Between(1, 30); n > 0; --n) {
            char c;
            do
                c = static_cast<char>(Between(1, 254));
            while (c == '\r' || c == '\n');
            text_ += c;
        }
        return text_.c_str();
    }

    std::mt19937 random_;
    std::string text_;
};

} // namespace

TEST(HoopRoundTrip, RandomCataloguesComeBackAsTheFormatAllows) {
    TempDir dir;
    std::string path = dir.Path("round.ini");
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE(seed);
        Generator generator(seed);
        CINIHoop original, loaded;
        ASSERT_EQ(original.Create(), 1);
        generator.Fill(original, static_cast<int>(seed % 7));
        ASSERT_EQ(original.SaveAs(path.c_str()), 1);
        int result = 0;
        std::string printed = CapturedDiagnostics([&] { result = loaded.Load(path.c_str()); });
        ASSERT_EQ(result, 1) << printed;
        Compare(Expected(Read(original)), Read(loaded), loaded);
        for (int i = 0; i < loaded.GetHoopCount(); ++i)
            EXPECT_EQ(loaded.GetHoopRotation(i), 0);
        if (HasFailure())
            break;
    }
}
