// Editing a catalogue: the handle's lifecycle, hoops and their texts, the rectangles, the mounts, and copying
// hoops between catalogues.
#include <array>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "ini/INIFile.h"
#include "support/AllocationFaults.h"
#include "support/HoopFields.h"
#include <brevant/INIHoop.h>

namespace {
constexpr int kKeep = INT_MIN;

// The catalogue as its getters show it: each hoop as "description/shape", then each of its mounts as
// "{label:id,rotation,low x,high x,low y,high y}".
std::string Listed(CINIHoop& h) {
    std::string text;
    for (int i = 0; i < h.GetHoopCount(); ++i) {
        CString description("unset"), shape("unset"), label;
        EXPECT_EQ(h.GetHoop(i, &description, &shape), 1);
        text += (i ? " " : "") + std::string(description.GetString()) + "/" + shape.GetString();
        for (int j = 0; j < h.GetHoopMountCount(i); ++j) {
            int n[6];
            label = "unset";
            EXPECT_EQ(h.GetHoopMount(i, j, &label, &n[0], &n[1], &n[2], &n[3], &n[4], &n[5]), 1);
            text += "{" + std::string(label.GetString()) + ":" +
                    JoinNumbers({n[0], n[1], n[2], n[3], n[4], n[5]}) + "}";
        }
    }
    return text;
}

struct Edit {
    std::function<int(CINIHoop&)> edit; // run with a fresh copy of the start catalogue
    int result;
    std::string was, now; // the part of the start's listing that changes, and what it becomes
};
#define EDIT(expression) [](CINIHoop& h) { return expression; }
} // namespace

// Hoops and mounts are appended, changed and removed in place: removal shifts the later entries down and
// keeps the lists linked at both ends, null texts keep what is stored, the keep value keeps a number, and a
// text that cannot be copied is lost, the old one included.
TEST(CatalogueEdits, EachEditChangesOnlyItsPart) {
    const std::string start = "a/A{m:1,2,3,4,5,6} b/B c/C{x:1,0,0,0,0,0}{y:2,0,0,0,0,0}{z:3,0,0,0,0,0}";
    const std::string cMounts = "{x:1,0,0,0,0,0}{y:2,0,0,0,0,0}{z:3,0,0,0,0,0}";
    const Edit edits[] = {
        {EDIT(h.InsertHoop(nullptr, nullptr)), 3, "", " /"},
        {EDIT(h.InsertHoop("50% off %s %n", "")), 3, "", " 50% off %s %n/"},
        {EDIT(h.SetHoop(1, "new", nullptr)), 1, "b/B", "new/B"},
        {EDIT(h.SetHoop(1, nullptr, nullptr)), 1, "", ""},
        {EDIT(h.SetHoop(1, nullptr, "")), 1, "b/B", "b/"},
        {EDIT(h.GetHoop(1, nullptr, nullptr)), 1, "", ""},
        {EDIT(h.RemoveHoop(1)), 1, " b/B", ""},
        {EDIT(h.RemoveHoop(0) + h.InsertHoop("e", nullptr)), 3, "a/A{m:1,2,3,4,5,6} b/B c/C" + cMounts,
         "b/B c/C" + cMounts + " e/"},
        {EDIT(h.RemoveHoop(2) + h.InsertHoop("e", nullptr)), 3, " c/C" + cMounts, " e/"},
        {EDIT(h.RemoveHoop(0) + h.RemoveHoop(0) + h.RemoveHoop(0) + h.InsertHoop("again", nullptr)), 3, start,
         "again/"},
        {EDIT(h.InsertHoopMount(1, "first", 1, 2, 3, 4, 5, 6)), 0, "b/B", "b/B{first:1,2,3,4,5,6}"},
        {EDIT(h.InsertHoopMount(1, nullptr, 1, kKeep, 0, 0, 0, 0)), 0, "b/B", "b/B{:1,-2147483648,0,0,0,0}"},
        {EDIT(h.InsertHoopMount(2, "w", 4, 0, 0, 0, 0, 0)), 3, "", "{w:4,0,0,0,0,0}"},
        {EDIT(h.SetHoopMount(0, 0, nullptr, 7, kKeep, kKeep, kKeep, kKeep, kKeep)), 1, "m:1", "m:7"},
        {EDIT(h.SetHoopMount(0, 0, "", kKeep, 0, -1, kKeep + 1, kKeep, 9)), 1, "m:1,2,3,4,5,6",
         ":1,0,-1,-2147483647,5,9"},
        {EDIT(h.SetHoopMountLabel(0, 0, "%s label")), 1, "m:", "%s label:"},
        {EDIT(h.SetHoopMountLabel(0, 0, nullptr)), 1, "", ""},
        {EDIT(h.RemoveHoopMount(2, 1)), 1, "{y:2,0,0,0,0,0}", ""},
        {EDIT(h.RemoveHoopMount(2, 2) + h.InsertHoopMount(2, "w", 4, 0, 0, 0, 0, 0)), 3, "{z:3", "{w:4"},
        {EDIT(h.RemoveHoopMount(2, 0) + h.InsertHoopMount(2, "w", 4, 0, 0, 0, 0, 0)), 3, cMounts,
         "{y:2,0,0,0,0,0}{z:3,0,0,0,0,0}{w:4,0,0,0,0,0}"},
        {EDIT(h.RemoveHoopMount(2, 0) + h.RemoveHoopMount(2, 0) + h.RemoveHoopMount(2, 0) +
              h.InsertHoopMount(2, "w", 4, 0, 0, 0, 0, 0)),
         3, cMounts, "{w:4,0,0,0,0,0}"},
        {EDIT((MemFailAt(1), h.InsertHoop("x", "y"))), -1, "", ""}, // the record: nothing is appended
        {EDIT((MemFailAt(2), h.InsertHoop("lost", "kept"))), 3, "", " /kept"},
        {EDIT((MemFailAt(1), h.SetHoop(0, nullptr, "lost"))), 1, "a/A", "a/"},
        {EDIT((MemFailAt(1), h.InsertHoopMount(1, "m", 1, 2, 3, 4, 5, 6))), -1, "", ""},
        {EDIT((MemFailAt(2), h.InsertHoopMount(1, "lost", 1, 2, 3, 4, 5, 6))), 0, "b/B", "b/B{:1,2,3,4,5,6}"},
        {EDIT((MemFailAt(1), h.SetHoopMountLabel(0, 0, "lost"))), 1, "m:", ":"},
    };
    for (const Edit& e : edits) {
        CINIHoop handle;
        ASSERT_EQ(handle.Create(), 1);
        for (const char* texts : {"aA", "bB", "cC"})
            handle.InsertHoop(std::string(1, texts[0]).c_str(), texts + 1);
        handle.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6);
        for (int id : {1, 2, 3})
            handle.InsertHoopMount(2, std::string(1, "xyz"[id - 1]).c_str(), id, 0, 0, 0, 0, 0);
        ASSERT_EQ(Listed(handle), start);
        int result = e.edit(handle);
        MemFailAt(0);
        std::string expected = start;
        if (e.was.empty())
            expected += e.now;
        else
            expected.replace(expected.find(e.was), e.was.size(), e.now);
        EXPECT_EQ(result, e.result) << expected;
        EXPECT_EQ(Listed(handle), expected);
    }
}

namespace {
using Edges = std::array<int, 4>; // left, top, right, bottom

struct Family {
    const char* name;
    int (CINIHoop::*getWhole)(int, CRect*);
    int (CINIHoop::*setWhole)(int, const CRect*);
    std::array<int (CINIHoop::*)(int), 4> getEdge;
    std::array<int (CINIHoop::*)(int, int), 4> setEdge;
};

#define HOOP_RECT_FAMILY(Name)                                                                               \
    Family {                                                                                                 \
#Name, &CINIHoop::GetHoop##Name, &CINIHoop::SetHoop##Name,                                           \
            {&CINIHoop::GetHoop##Name##Left, &CINIHoop::GetHoop##Name##Top, &CINIHoop::GetHoop##Name##Right, \
             &CINIHoop::GetHoop##Name##Bottom },                                                             \
             {&CINIHoop::SetHoop##Name##Left, &CINIHoop::SetHoop##Name##Top,                                 \
              &CINIHoop::SetHoop##Name##Right, &CINIHoop::SetHoop##Name##Bottom },                           \
    }
const Family kFamilies[] = {HOOP_RECT_FAMILY(SewField), HOOP_RECT_FAMILY(InnerDim),
                            HOOP_RECT_FAMILY(OuterDim)};

// A hoop's three rectangles, whole and edge by edge; the two readings must agree.
std::string Rectangles(CINIHoop& h, int hoop) {
    std::string text;
    for (const Family& family : kFamilies) {
        CRect rect(7, 7, 7, 7);
        EXPECT_EQ((h.*family.getWhole)(hoop, &rect), 1);
        Edges edges{rect.left, rect.top, rect.right, rect.bottom};
        for (int e = 0; e < 4; ++e)
            EXPECT_EQ((h.*family.getEdge[e])(hoop), edges[e]);
        text += JoinNumbers({edges[0], edges[1], edges[2], edges[3]}) + ";";
    }
    return text;
}
} // namespace

// The rectangle setters store unordered edges and keep an edge given the keep value; each edge member reaches
// its own edge of its own rectangle only.
TEST(CatalogueEdits, RectangleMembersReachOnlyTheirEdges) {
    for (int f = 0; f < 3; ++f) {
        const Family& family = kFamilies[f];
        CINIHoop h;
        ASSERT_EQ(h.Create() + h.InsertHoop("first", nullptr) + h.InsertHoop("second", nullptr), 2);
        auto set = [&](int hoop, Edges e) {
            CRect rect(e[0], e[1], e[2], e[3]);
            return (h.*family.setWhole)(hoop, &rect);
        };
        auto only = [&](const std::string& edges) {
            std::string all;
            for (int g = 0; g < 3; ++g)
                all += (g == f ? edges : "0,0,0,0") + ";";
            return all;
        };
        EXPECT_EQ(set(1, {100, 0, -100, 50}), 1);
        EXPECT_EQ(Rectangles(h, 1) + Rectangles(h, 0), only("100,0,-100,50") + only("0,0,0,0"))
            << family.name;
        EXPECT_EQ(set(1, {5, kKeep, 7, kKeep}) + set(1, {kKeep, kKeep, kKeep, kKeep}), 2);
        EXPECT_EQ(Rectangles(h, 1), only("5,0,7,50")) << family.name;
        const char* changed[] = {"250,20,30,-40", "-10,250,30,-40", "-10,20,250,-40", "-10,20,30,250"};
        for (int e = 0; e < 4; ++e) {
            ASSERT_EQ(set(0, {-10, 20, 30, -40}), 1);
            EXPECT_EQ((h.*family.setEdge[e])(0, 250) + (h.*family.setEdge[e])(0, kKeep), 2);
            EXPECT_EQ(Rectangles(h, 0), only(changed[e])) << family.name << " edge " << e;
        }
    }
}

namespace {
struct NumberField {
    int (CINIHoop::*get)(int, int);
    int (CINIHoop::*set)(int, int, int);
};
const NumberField kNumberFields[] = {
    {&CINIHoop::GetHoopMountID, &CINIHoop::SetHoopMountID},
    {&CINIHoop::GetHoopMountRotation, &CINIHoop::SetHoopMountRotation},
    {&CINIHoop::GetHoopMountLowX, &CINIHoop::SetHoopMountLowX},
    {&CINIHoop::GetHoopMountHighX, &CINIHoop::SetHoopMountHighX},
    {&CINIHoop::GetHoopMountLowY, &CINIHoop::SetHoopMountLowY},
    {&CINIHoop::GetHoopMountHighY, &CINIHoop::SetHoopMountHighY},
};

} // namespace

// Each single-field mount member reaches its own field only, and its setter keeps the field given the keep
// value.
TEST(CatalogueEdits, EachSingleFieldMountMemberReachesOnlyItsField) {
    for (int field = 0; field < 6; ++field) {
        CINIHoop h;
        ASSERT_EQ(h.Create() + h.InsertHoop("a", nullptr), 1);
        for (const char* label : {"m", "n"})
            h.InsertHoopMount(0, label, 1, 2, 3, 4, 5, 6);
        EXPECT_EQ((h.*kNumberFields[field].set)(0, 1, -77), 1);
        EXPECT_EQ((h.*kNumberFields[field].set)(0, 1, kKeep), 1);
        EXPECT_EQ((h.*kNumberFields[field].get)(0, 1), -77);
        std::string numbers = "1,2,3,4,5,6";
        numbers.replace(2 * field, 1, "-77");
        EXPECT_EQ(Listed(h), "a/{m:1,2,3,4,5,6}{n:" + numbers + "}") << field;
    }
}

namespace {
// Everything a hoop copy carries, read through the public members, with its rotation.
using HoopImage = std::vector<HoopField>;
HoopImage ReadHoop(CINIHoop& handle, int hoop) {
    HoopImage image = HoopFieldsOf(handle, hoop);
    image.push_back({"rotation", std::to_string(handle.GetHoopRotation(hoop))});
    return image;
}

std::vector<HoopImage> ReadAll(CINIHoop& handle) {
    std::vector<HoopImage> hoops;
    for (int hoop = 0; hoop < handle.GetHoopCount(); ++hoop)
        hoops.push_back(ReadHoop(handle, hoop));
    return hoops;
}

bool HasNoCatalogue(CINIHoop& handle) {
    return handle.GetHoopCount() == 0 && handle.InsertHoop("x", "y") == -1;
}

struct HoopCopying : testing::Test {
    CINIHoop source;
    // Three hoops: a full one, a bare one with null texts, and one with several mounts and a null label.
    void SetUp() override {
        ASSERT_EQ(source.Create(), 1);
        ASSERT_EQ(source.InsertHoop("Round 100% cotton", "oval"), 0);
        CRect sew(-100, 50, 100, -50), inner(-120, 70, 120, -70), outer(-140, 90, 140, -90);
        source.SetHoopSewField(0, &sew);
        source.SetHoopInnerDim(0, &inner);
        source.SetHoopOuterDim(0, &outer);
        CArray<POINT, POINT> points;
        for (int i = 0; i < 5; ++i)
            points.Add(POINT{i, -i * i});
        source.SetHoopPoints(0, &points);
        ASSERT_EQ(source.InsertHoopMount(0, "clamp", 1, 90, -10, 10, -20, 20), 0);
        ASSERT_EQ(source.InsertHoopMount(0, "", 2, 0, INT_MIN, 0, 0, INT_MAX), 1);
        ASSERT_EQ(source.InsertHoop(nullptr, nullptr), 1);
        ASSERT_EQ(source.InsertHoop("many", "square"), 2);
        for (int j = 0; j < 4; ++j)
            ASSERT_EQ(source.InsertHoopMount(2, j == 2 ? nullptr : "m", j, j, j, j, j, j), j);
    }
};
} // namespace

// Appending and cloning carry every field but the hoop's rotation and a rectangle edge of the keep value; an
// append copies the hoop as it was before the call, also from the catalogue itself.
TEST_F(HoopCopying, CopiesCarryAllButTheRotationAndKeepValueEdges) {
    ASSERT_EQ(source.SetHoopRotation(0, 90), 1);
    // A turn beyond the 32-bit range leaves -2147483648 in edges, which the rectangle setters cannot store.
    CRect huge(-INT_MAX, -INT_MAX, -INT_MAX, -INT_MAX);
    ASSERT_EQ(source.SetHoopOuterDim(1, &huge), 1);
    ASSERT_EQ(source.SetHoopRotation(1, 45), 1);
    ASSERT_EQ(source.GetHoopOuterDimLeft(1), INT_MIN);
    EXPECT_EQ(source.AppendHoop(&source, 2), 1);
    EXPECT_EQ(ReadHoop(source, 3), ReadHoop(source, 2));

    CINIHoop target, empty;
    EXPECT_EQ(target.AppendHoop(&source, 4), 0);
    EXPECT_EQ(target.AppendHoop(&empty, 0), 0);
    EXPECT_TRUE(HasNoCatalogue(target));
    ASSERT_EQ(target.AppendHoop(&source, 0), 1); // makes the catalogue that the clone then replaces
    ASSERT_EQ(source.CloneTo(&target), 1);
    ASSERT_EQ(target.AppendHoop(&source, 0), 1);
    std::vector<HoopImage> expected = ReadAll(source);
    expected.push_back(expected[0]);
    for (HoopImage& hoop : expected)
        for (HoopField& field : hoop) {
            field.second = field.first == "rotation" ? "0" : field.second;
            if (field.first.rfind("rect", 0) == 0)
                field.second = std::regex_replace(field.second, std::regex("-2147483648"), "0");
        }
    EXPECT_EQ(ReadAll(target), expected);
}

// Copies share nothing with their source; a clone replaces the target's catalogue, also one it shares.
TEST_F(HoopCopying, CopiesAreIndependentAndACloneReplacesTheTarget) {
    CINIHoop appended, cloned, sharing, empty;
    ASSERT_EQ(appended.AppendHoop(&source, 0), 1);
    ASSERT_EQ(source.CloneTo(&cloned), 1);
    sharing = source;
    EXPECT_EQ(source.CloneTo(&sharing), 1);
    std::vector<HoopImage> before = ReadAll(source);
    EXPECT_EQ(sharing.RemoveHoop(0), 1);
    EXPECT_EQ(ReadAll(source), before);
    source.SetHoop(0, "changed", "changed");
    source.SetHoopMountLabel(0, 0, "changed");
    source.SetHoopSewFieldLeft(0, 1);
    source.RemoveHoop(2);
    EXPECT_EQ(source.CloneTo(&source), 1);
    EXPECT_EQ(source.GetHoopCount(), 0);
    EXPECT_EQ(ReadHoop(appended, 0), before[0]);
    EXPECT_EQ(ReadAll(cloned), before);
    EXPECT_EQ(empty.CloneTo(&cloned), 1);
    EXPECT_EQ(cloned.GetHoopCount(), 0);
}

// Every member refuses a hoop or mount index out of range and a missing argument, and so does every member of
// a handle without a catalogue: each answers its failure value and changes nothing.
TEST(HoopRefusals, BadIndexesAndMissingArgumentsChangeNothing) {
    CINIHoop handle, empty;
    ASSERT_EQ(handle.Create(), 1);
    ASSERT_EQ(handle.InsertHoop("a", "b"), 0);
    ASSERT_EQ(handle.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6), 0);
    CRect rect(1, 2, 3, 4);
    CArray<POINT, POINT> points;
    points.Add(POINT{5, 6});
    ASSERT_EQ(handle.SetHoopPoints(0, &points), 1);
    for (const Family& f : kFamilies)
        ASSERT_EQ((handle.*f.setWhole)(0, &rect), 1);
    const std::vector<HoopField> before = HoopFields(handle);
    CString text("untouched");
    int n = 99;
    using Call = std::function<int(CINIHoop&, int hoop, int mount)>;
    std::vector<std::pair<Call, int>> hoopCalls = {
        {[&](CINIHoop& h, int i, int) { return h.GetHoop(i, &text, &text); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoop(i, "x", "y"); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.RemoveHoop(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopRotation(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoopRotation(i, 90); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopRect(i, &rect); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopPoints(i, &points); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.SetHoopPoints(i, &points); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.GetHoopMountCount(i); }, 0},
        {[&](CINIHoop& h, int i, int) { return h.InsertHoopMount(i, "x", 0, 0, 0, 0, 0, 0); }, -1},
    };
    for (const Family& f : kFamilies) {
        hoopCalls.push_back({[&](CINIHoop& h, int i, int) { return (h.*f.getWhole)(i, &rect); }, 0});
        hoopCalls.push_back({[&](CINIHoop& h, int i, int) { return (h.*f.setWhole)(i, &rect); }, 0});
        for (int e = 0; e < 4; ++e) {
            hoopCalls.push_back({[&f, e](CINIHoop& h, int i, int) { return (h.*f.getEdge[e])(i); }, 0});
            hoopCalls.push_back({[&f, e](CINIHoop& h, int i, int) { return (h.*f.setEdge[e])(i, 5); }, 0});
        }
    }
    std::vector<std::pair<Call, int>> mountCalls = {
        {[&](CINIHoop& h, int i, int j) { return h.GetHoopMount(i, j, &text, &n, &n, &n, &n, &n, &n); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.SetHoopMount(i, j, "x", 0, 0, 0, 0, 0, 0); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.RemoveHoopMount(i, j); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.GetHoopMountLabel(i, j, &text); }, 0},
        {[&](CINIHoop& h, int i, int j) { return h.SetHoopMountLabel(i, j, "x"); }, 0},
    };
    for (const NumberField& f : kNumberFields) {
        mountCalls.push_back({[&f](CINIHoop& h, int i, int j) { return (h.*f.get)(i, j); }, 0});
        mountCalls.push_back({[&f](CINIHoop& h, int i, int j) { return (h.*f.set)(i, j, 7); }, 0});
    }
    for (size_t k = 0; k < hoopCalls.size(); ++k)
        for (auto [h, i] : {std::pair{&handle, -1}, {&handle, 1}, {&empty, 0}})
            EXPECT_EQ(hoopCalls[k].first(*h, i, 0), hoopCalls[k].second)
                << "hoop member " << k << " at " << i;
    for (size_t k = 0; k < mountCalls.size(); ++k)
        for (auto [h, i, j] :
             {std::tuple{&handle, -1, 0}, {&handle, 1, 0}, {&handle, 0, -1}, {&handle, 0, 1}, {&empty, 0, 0}})
            EXPECT_EQ(mountCalls[k].first(*h, i, j), mountCalls[k].second)
                << "mount member " << k << " at " << i << "," << j;
    const std::pair<std::function<int()>, int> missing[] = {
        {[&] { return handle.GetHoopRect(0, nullptr); }, 0},
        {[&] { return handle.GetHoopPoints(0, nullptr); }, 0},
        {[&] { return handle.SetHoopPoints(0, nullptr); }, 0},
        {[&] { return handle.CloneTo(nullptr); }, 0},
        {[&] { return handle.AppendHoop(nullptr, 0); }, 0},
        {[&] { return handle.AppendHoop(&handle, 1); }, 0},
        {[&] { return handle.AppendHoop(&empty, 0); }, 0},
        {[&] { return empty.InsertHoop("a", "b"); }, -1},
        {[&] { return (handle.*kFamilies[0].getWhole)(0, nullptr); }, 0},
        {[&] { return (handle.*kFamilies[1].setWhole)(0, nullptr); }, 0},
    };
    for (size_t k = 0; k < std::size(missing); ++k)
        EXPECT_EQ(missing[k].first(), missing[k].second) << "missing argument " << k;
    EXPECT_EQ(text, "untouched");
    EXPECT_EQ(n, 99);
    EXPECT_EQ(rect, CRect(1, 2, 3, 4));
    EXPECT_EQ(points.GetSize(), 1);
    EXPECT_EQ(HoopFields(handle), before);
    EXPECT_EQ(empty.GetHoopCount(), 0);
}

// Create and Release in any order; assigned handles share one catalogue until the last of them lets it go.
TEST(HoopLifecycle, CreateReleaseAndAssignedHandles) {
    CINIHoop a, b, c;
    EXPECT_EQ(a.Release(), 1);
    ASSERT_EQ(a.Create() + a.InsertHoop("a", "b") + a.InsertHoopMount(0, "m", 1, 2, 3, 4, 5, 6), 1);
    ASSERT_EQ(a.Create(), 1); // releases the filled catalogue first
    EXPECT_EQ(a.GetHoopCount(), 0);
    EXPECT_EQ(a.Release() + a.Release(), 2);
    EXPECT_TRUE(HasNoCatalogue(a));
    ASSERT_EQ(a.Create() + b.Create(), 2);
    b = a; // frees b's own catalogue
    EXPECT_EQ(b.InsertHoop("through b", nullptr), 0);
    EXPECT_EQ(a.GetHoopCount(), 1);
    EXPECT_EQ(a.RemoveHoop(0), 1);
    EXPECT_EQ(b.GetHoopCount(), 0);
    EXPECT_EQ(a.InsertHoop("kept", nullptr), 0);
    CINIHoop& same = a; // self-assignment and assignment between sharing handles change nothing
    a = same;
    a = b;
    c = b;
    a.Release(); // a was the owner: the catalogue lives on in b and c
    EXPECT_TRUE(HasNoCatalogue(a));
    EXPECT_EQ(c.GetHoopCount(), 1);
    b = a;
    EXPECT_EQ(c.GetHoopCount(), 1);
    c = CINIHoop();
    EXPECT_TRUE(HasNoCatalogue(c));
}
