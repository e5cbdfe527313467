// Reading a catalogue from a hoop file in either form. The reader probes the hoop sections "hoops.hoop0" to
// "hoops.hoop511" in ascending order and, for each hoop found, its rectangle sections and its mount sections
// "hoops.hoop<i>.mounts.mount<j>" for every j below the document's section count, in ascending order.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "hoop/HoopRecords.h"
#include "hoop/HoopRectangles.h"
#include "hoop/INIHoop.h"
#include "ini/INIFile.h"
#include "platform/Memory.h"
#include "platform/NoCase.h"

namespace {

const int kHoopSections = 512;

// A mount section found among the document's sections, by its hoop and mount index.
struct MountSection {
    int hoop;
    int mount;
    const char* name;
};

// Reads a plain decimal number without sign or leading zeros, as "%i" prints it; false when there is none.
bool ReadIndex(const char*& text, long long limit, int* index) {
    if (*text < '0' || *text > '9' || (text[0] == '0' && text[1] >= '0' && text[1] <= '9'))
        return false;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value >= limit)
            return false;
    }
    *index = static_cast<int>(value);
    return true;
}

bool SkipNoCase(const char*& text, const char* literal) {
    for (; *literal; ++literal, ++text)
        if (FoldAscii(static_cast<unsigned char>(*text)) != static_cast<unsigned char>(*literal))
            return false;
    return true;
}

// Recognises exactly the names that "hoops.hoop%i.mounts.mount%i" gives for i below 512 and j below
// `sections`, in any letter case.
bool ParseMountSection(const char* name, int sections, MountSection* found) {
    found->name = name;
    return SkipNoCase(name, "hoops.hoop") && ReadIndex(name, kHoopSections, &found->hoop) &&
           SkipNoCase(name, ".mounts.mount") && ReadIndex(name, sections, &found->mount) && *name == '\0';
}

// The mount sections of the whole document, sorted by hoop and mount index: one pass instead of probing
// every mount index of every hoop by name.
class MountSections {
  public:
    MountSections() = default;
    MountSections(const MountSections&) = delete;
    ~MountSections() { MemFree(items_); }

    bool Gather(SINIFilePool* root) {
        int sections = root->iSectionCount;
        items_ = static_cast<MountSection*>(MemAlloc(sizeof(MountSection) * (sections > 0 ? sections : 1)));
        if (!items_)
            return false;
        for (SINISectionPool* s = root->opFirstSection; s && count_ < sections; s = s->opNext)
            if (ParseMountSection(s->caName, sections, &items_[count_]))
                ++count_;
        std::sort(items_, items_ + count_, [](const MountSection& a, const MountSection& b) {
            return a.hoop != b.hoop ? a.hoop < b.hoop : a.mount < b.mount;
        });
        return true;
    }
    const MountSection* begin() const { return items_; }
    const MountSection* end() const { return items_ + count_; }

  private:
    MountSection* items_ = nullptr;
    int count_ = 0;
};

// The value `key` of the current section when it has the storage type and, unless `count` is 0, that
// element count; null otherwise.
const CINIValue* ReadValue(CINIFile* file, CINIValue* value, const char* key, int type, int count) {
    if (file->ValueExists(key) != 1 || file->ValueGet(key, value) != 1)
        return nullptr;
    if (value->iType != type || (count != 0 && value->iCount != count))
        return nullptr;
    return value;
}

char* CopyStringValue(const CINIValue* value) {
    if (!value)
        return nullptr;
    size_t length = strnlen(static_cast<const char*>(value->opData), static_cast<size_t>(value->iCount));
    char* text = static_cast<char*>(MemAlloc(static_cast<size_t>(value->iCount) + 1));
    if (text) {
        std::memcpy(text, value->opData, length);
        text[length] = '\0';
    }
    return text;
}

void ReadFour(const CINIValue* value, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    if (!value)
        return;
    const int32_t* elements = static_cast<const int32_t*>(value->opData);
    *a = elements[0];
    *b = elements[1];
    *c = elements[2];
    *d = elements[3];
}

bool GotoSection(CINIFile* file, const char* name) {
    return file->SectionExists(name) == 1 && file->SectionGoto(name) == 1;
}

bool ReadPoints(CINIFile* file, CINIValue* value, HoopRecord* hoop) {
    const CINIValue* points = ReadValue(file, value, "points", INI_TYPE_INTEGER, 0);
    if (!points || points->iCount <= 0 || points->iCount % 2 != 0)
        return false;
    int count = points->iCount / 2;
    hoop->opPoints = static_cast<POINT*>(MemAlloc(sizeof(POINT) * static_cast<size_t>(count)));
    if (!hoop->opPoints)
        return false;
    const int32_t* elements = static_cast<const int32_t*>(points->opData);
    for (int k = 0; k < count; ++k)
        hoop->opPoints[k] = POINT{elements[2 * k], elements[2 * k + 1]};
    hoop->iPointCount = count;
    return true;
}

// The three rectangle sections of a hoop, by the name that follows "hoops.hoop<i>." and the edges they fill.
const struct {
    const char* section;
    const HoopRectFields& edges;
} kRectangleSections[] = {
    {"sewfield", kSewFieldEdges}, {"innerdim", kInnerDimEdges}, {"outerdim", kOuterDimEdges}};

void ReadRectangles(CINIFile* file, CINIValue* value, HoopRecord* hoop, int index) {
    for (const auto& rectangle : kRectangleSections) {
        char name[64];
        std::snprintf(name, sizeof name, "hoops.hoop%i.%s", index, rectangle.section);
        if (!GotoSection(file, name))
            continue;
        const HoopRectFields& edges = rectangle.edges;
        ReadFour(ReadValue(file, value, "rect", INI_TYPE_INTEGER, 4), &(hoop->*edges.left),
                 &(hoop->*edges.top), &(hoop->*edges.right), &(hoop->*edges.bottom));
    }
}

void ReadMount(CINIFile* file, CINIValue* value, MountRecord* mount) {
    if (const CINIValue* id = ReadValue(file, value, "id", INI_TYPE_INTEGER, 1))
        mount->iID = *static_cast<const int32_t*>(id->opData);
    mount->caLabel = CopyStringValue(ReadValue(file, value, "label", INI_TYPE_STRING, 0));
    if (const CINIValue* rotation = ReadValue(file, value, "rotation", INI_TYPE_INTEGER, 1))
        mount->iRotation = *static_cast<const int32_t*>(rotation->opData);
    ReadFour(ReadValue(file, value, "lowhighxy", INI_TYPE_INTEGER, 4), &mount->iLowX, &mount->iHighX,
             &mount->iLowY, &mount->iHighY);
}

// Appends the mounts of hoop `index` from the gathered mount sections; false when a record cannot be
// allocated.
bool ReadMounts(CINIFile* file, CINIValue* value, HoopRecord* hoop, int index, const MountSections& mounts) {
    const MountSection* first =
        std::lower_bound(mounts.begin(), mounts.end(), index,
                         [](const MountSection& m, int hoopIndex) { return m.hoop < hoopIndex; });
    for (const MountSection* m = first; m != mounts.end() && m->hoop == index; ++m) {
        if (!GotoSection(file, m->name))
            continue;
        MountRecord* mount = static_cast<MountRecord*>(MemAllocZeroed(sizeof(MountRecord)));
        if (!mount)
            return false;
        mount->opPrev = hoop->opLastMount;
        if (hoop->opLastMount)
            hoop->opLastMount->opNext = mount;
        else
            hoop->opFirstMount = mount;
        hoop->opLastMount = mount;
        ++hoop->iMountCount;
        ReadMount(file, value, mount);
    }
    return true;
}

// Four times each edge of the hoop's bounding rectangle, wrapping like 32-bit arithmetic.
int32_t TimesFour(int32_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) * 4u);
}

void SetDefaultOutline(CINIHoop* owner, HoopRecord* hoop, int catalogueIndex) {
    POINT* points = static_cast<POINT*>(MemAlloc(sizeof(POINT) * 5));
    if (!points)
        return;
    CRect bounds;
    owner->GetHoopRect(catalogueIndex, &bounds);
    int32_t l = TimesFour(bounds.left), t = TimesFour(bounds.top), r = TimesFour(bounds.right),
            b = TimesFour(bounds.bottom);
    points[0] = POINT{l, t};
    points[1] = POINT{r, t};
    points[2] = POINT{r, b};
    points[3] = POINT{l, b};
    points[4] = POINT{l, t};
    hoop->opPoints = points;
    hoop->iPointCount = 5;
}

HoopRecord* AppendHoopRecord(HoopCatalogue* catalogue) {
    HoopRecord* hoop = static_cast<HoopRecord*>(MemAllocZeroed(sizeof(HoopRecord)));
    if (!hoop)
        return nullptr;
    hoop->opPrev = catalogue->opLastHoop;
    if (catalogue->opLastHoop)
        catalogue->opLastHoop->opNext = hoop;
    else
        catalogue->opFirstHoop = hoop;
    catalogue->opLastHoop = hoop;
    ++catalogue->iHoopCount;
    return hoop;
}

bool ReadHoops(CINIHoop* owner, HoopCatalogue* catalogue) {
    CINIFile* file = catalogue->opINIFile;
    MountSections mounts;
    if (!mounts.Gather(file->Root()))
        return false;
    void* room = MemAlloc(sizeof(CINIValue)); // 16 KiB: kept off the stack
    if (!room)
        return false;
    CINIValue* value = new (room) CINIValue;
    bool defaultOutline = true;
    bool ok = true;
    char name[32];
    for (int index = 0; index < kHoopSections && ok; ++index) {
        std::snprintf(name, sizeof name, "hoops.hoop%i", index);
        if (!GotoSection(file, name))
            continue;
        HoopRecord* hoop = AppendHoopRecord(catalogue);
        if (!hoop) {
            ok = false;
            break;
        }
        hoop->caDescription = CopyStringValue(ReadValue(file, value, "description", INI_TYPE_STRING, 0));
        hoop->caShape = CopyStringValue(ReadValue(file, value, "shape", INI_TYPE_STRING, 0));
        if (ReadPoints(file, value, hoop))
            defaultOutline = false;
        ReadRectangles(file, value, hoop, index);
        ok = ReadMounts(file, value, hoop, index, mounts);
        if (ok && defaultOutline)
            SetDefaultOutline(owner, hoop, catalogue->iHoopCount - 1);
        defaultOutline = false;
    }
    value->~CINIValue();
    MemFree(room);
    return ok;
}

bool FirstSectionIsHoops(CINIFile* file) {
    CString first;
    if (!file->GetCount() || !file->SectionFirst() || !file->SectionGetName(&first))
        return false;
    return CompareNoCaseMultiByte(reinterpret_cast<const unsigned char*>(first.GetString()),
                                  reinterpret_cast<const unsigned char*>("hoops")) == 0;
}

} // namespace

int CINIHoop::Load(const char* path) {
    if (!path)
        return 0;
    if (opCatalogue)
        Release();
    HoopCatalogue* catalogue = static_cast<HoopCatalogue*>(MemAllocZeroed(sizeof(HoopCatalogue)));
    if (!catalogue)
        return 0;
    catalogue->opOwner = this;
    catalogue->iHandles = 1;
    CINIFile* file = new (std::nothrow) CINIFile;
    if (!file) {
        MemFree(catalogue);
        return 0;
    }
    catalogue->opINIFile = file;
    opCatalogue = catalogue;
    if (!file->Load(path) || !FirstSectionIsHoops(file) || !ReadHoops(this, catalogue)) {
        Release();
        return 0;
    }
    file->Destroy();
    delete file;
    catalogue->opINIFile = nullptr;
    return 1;
}
