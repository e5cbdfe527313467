// Reading a catalogue from a hoop file in either form. The reader takes the hoop sections "hoops.hoop0" to
// "hoops.hoop511" in ascending order and, for each hoop found, its rectangle sections and its mount sections
// "hoops.hoop<i>.mounts.mount<j>" for every j below the document's section count, in ascending order.
#include <cstring>
#include <new>

#include "hoop/HoopFiles.h"
#include "hoop/HoopMemory.h"
#include "hoop/HoopRecords.h"
#include "hoop/HoopRectangles.h"
#include "hoop/HoopSectionMap.h"
#include "hoop/HoopText.h"
#include "ini/INIFile.h"
#include "platform/NoCase.h"
#include <brevant/INIHoop.h>

namespace {

// A value name that the reader takes, in small letters, with its length.
struct Key {
    const char* text;
    size_t length;
};
template <size_t Size> constexpr Key KeyOf(const char (&text)[Size]) {
    return Key{text, Size - 1};
}

// True when the value's name is `key` without regard to ASCII case. Names of other lengths, most of them, are
// settled by the length kept in the record. The keys are small letters only, and a byte equals a small letter
// or its capital exactly when it equals that letter once bit 0x20 is set.
bool NameIs(const SINIValuePool* value, const Key& key) {
    if (value->NameLength() != key.length)
        return false;
    for (size_t i = 0; i < key.length; ++i)
        if ((value->caName[i] | 0x20) != key.text[i])
            return false;
    return true;
}

// The values of a section that the reader takes, found in one walk of its values rather than one search per
// name: value names are unique within a section without regard to case, so each name matches at most one.
template <int N> struct ValuesOf {
    const SINIValuePool* found[N] = {};

    ValuesOf(const SINISectionPool* section, const Key (&keys)[N]) {
        for (const SINIValuePool* value = section->FirstValue(); value; value = value->opNext)
            for (int k = 0; k < N; ++k)
                if (!found[k] && NameIs(value, keys[k])) {
                    found[k] = value;
                    break;
                }
    }

    // Value `k` when it has the storage type and, unless `count` is 0, that element count; null otherwise.
    const SINIValuePool* Get(int k, int type, int count) const {
        const SINIValuePool* value = found[k];
        if (!value || value->iType != type || (count != 0 && value->iCount != count))
            return nullptr;
        return value;
    }
    const SINIValuePool* Text(int k) const { return Get(k, INI_TYPE_STRING, 0); }
};

const Key kHoopKeys[] = {KeyOf("description"), KeyOf("shape"), KeyOf("points")};
const Key kMountKeys[] = {KeyOf("id"), KeyOf("label"), KeyOf("rotation"), KeyOf("lowhighxy")};
const Key kRectangleKeys[] = {KeyOf("rect")};
enum { kDescriptionKey, kShapeKey, kPointsKey };
enum { kIDKey, kLabelKey, kRotationKey, kLowHighXYKey };
enum { kDefaultOutlinePoints = 5 };

// The points value of a hoop when it gives an outline: an even, nonzero number of integers.
const SINIValuePool* OutlinePoints(const ValuesOf<3>& values) {
    const SINIValuePool* points = values.Get(kPointsKey, INI_TYPE_INTEGER, 0);
    if (!points || points->iCount <= 0 || points->iCount % 2 != 0)
        return nullptr;
    return points;
}

size_t TextBytes(const SINIValuePool* value) {
    return value ? static_cast<size_t>(value->iCount) + 1 : 0;
}

// A stored string ends in a zero byte behind its elements, so its copy runs to its first zero byte.
char* CopyStringValue(HoopCatalogue* catalogue, const SINIValuePool* value) {
    return value ? HoopCopyText(catalogue, static_cast<const char*>(value->Data())) : nullptr;
}

void ReadFour(const SINIValuePool* value, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    if (!value)
        return;
    const int32_t* elements = static_cast<const int32_t*>(value->Data());
    *a = elements[0];
    *b = elements[1];
    *c = elements[2];
    *d = elements[3];
}

bool ReadPoints(HoopCatalogue* catalogue, const SINIValuePool* points, HoopRecord* hoop) {
    if (!points)
        return false;
    int count = points->iCount / 2;
    hoop->opPoints =
        static_cast<POINT*>(CatalogueAlloc(catalogue, sizeof(POINT) * static_cast<size_t>(count)));
    if (!hoop->opPoints)
        return false;
    const int32_t* elements = static_cast<const int32_t*>(points->Data());
    for (int k = 0; k < count; ++k)
        hoop->opPoints[k] = POINT{elements[2 * k], elements[2 * k + 1]};
    hoop->iPointCount = count;
    return true;
}

// The rectangle sections of a hoop, in the order of HoopSections::rectangles, and the edges they fill.
const HoopRectFields* const kRectangleEdges[kHoopRectangleCount] = {&kSewFieldEdges, &kInnerDimEdges,
                                                                    &kOuterDimEdges};

void ReadRectangles(const HoopSections& sections, HoopRecord* hoop) {
    for (int r = 0; r < kHoopRectangleCount; ++r) {
        if (!sections.rectangles[r])
            continue;
        const HoopRectFields& edges = *kRectangleEdges[r];
        ValuesOf<1> values(sections.rectangles[r], kRectangleKeys);
        ReadFour(values.Get(0, INI_TYPE_INTEGER, 4), &(hoop->*edges.left), &(hoop->*edges.top),
                 &(hoop->*edges.right), &(hoop->*edges.bottom));
    }
}

void ReadMount(HoopCatalogue* catalogue, const SINISectionPool* section, MountRecord* mount) {
    ValuesOf<4> values(section, kMountKeys);
    if (const SINIValuePool* id = values.Get(kIDKey, INI_TYPE_INTEGER, 1))
        mount->iID = *static_cast<const int32_t*>(id->Data());
    mount->caLabel = CopyStringValue(catalogue, values.Text(kLabelKey));
    if (const SINIValuePool* rotation = values.Get(kRotationKey, INI_TYPE_INTEGER, 1))
        mount->iRotation = *static_cast<const int32_t*>(rotation->Data());
    ReadFour(values.Get(kLowHighXYKey, INI_TYPE_INTEGER, 4), &mount->iLowX, &mount->iHighX, &mount->iLowY,
             &mount->iHighY);
}

// Appends the mounts of hoop `index`; false when a record cannot be allocated.
bool ReadMounts(HoopCatalogue* catalogue, const HoopSectionMap& map, HoopRecord* hoop, int index) {
    for (const MountSection* m = map.FirstMount(index); m != map.EndOfMounts() && m->hoop == index; ++m) {
        MountRecord* mount = AppendMountRecord(catalogue, hoop);
        if (!mount)
            return false;
        ReadMount(catalogue, m->section, mount);
    }
    return true;
}

// Four times each edge of the hoop's bounding rectangle, wrapping like 32-bit arithmetic.
int32_t TimesFour(int32_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) * 4u);
}

void SetDefaultOutline(CINIHoop* owner, HoopCatalogue* catalogue, HoopRecord* hoop, int catalogueIndex) {
    POINT* points = static_cast<POINT*>(CatalogueAlloc(catalogue, sizeof(POINT) * kDefaultOutlinePoints));
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
    hoop->iPointCount = kDefaultOutlinePoints;
}

// The room that the texts of a mount section can take: every text value counts, not only its label, so that
// the many mount sections are measured without matching value names.
size_t MountTextRoom(const SINISectionPool* section) {
    size_t room = 0;
    for (const SINIValuePool* value = section->FirstValue(); value; value = value->opNext)
        if (value->iType == INI_TYPE_STRING)
            room += CatalogueBlockRoom(TextBytes(value));
    return room;
}

// The room in the catalogue's block for all that ReadHoops makes: the records, their texts, their points and
// the default outline, counted whether or not the first hoop takes it.
size_t MeasureHoops(const HoopSectionMap& map) {
    size_t bytes = CatalogueBlockRoom(sizeof(POINT) * kDefaultOutlinePoints);
    for (int index = 0; index < kHoopSectionCount; ++index) {
        const HoopSections& sections = map.Hoop(index);
        if (!sections.hoop)
            continue;
        ValuesOf<3> values(sections.hoop, kHoopKeys);
        const SINIValuePool* points = OutlinePoints(values);
        size_t outline = points ? static_cast<size_t>(points->iCount / 2) : 0;
        bytes += CatalogueBlockRoom(sizeof(HoopRecord)) +
                 CatalogueBlockRoom(TextBytes(values.Text(kDescriptionKey))) +
                 CatalogueBlockRoom(TextBytes(values.Text(kShapeKey))) +
                 CatalogueBlockRoom(sizeof(POINT) * outline);
        for (const MountSection* m = map.FirstMount(index); m != map.EndOfMounts() && m->hoop == index; ++m)
            bytes += CatalogueBlockRoom(sizeof(MountRecord)) + MountTextRoom(m->section);
    }
    return bytes;
}

// Makes the records of the catalogue in one block; false when memory runs out.
bool ReadHoops(CINIHoop* owner, HoopCatalogue* catalogue) {
    HoopSectionMap map;
    if (!map.Gather(catalogue->opINIFile->Root()) || !OpenCatalogueBlock(catalogue, MeasureHoops(map)))
        return false;
    for (int index = 0; index < kHoopSectionCount; ++index) {
        const HoopSections& sections = map.Hoop(index);
        if (!sections.hoop)
            continue;
        HoopRecord* hoop = AppendHoopRecord(catalogue);
        if (!hoop)
            return false;
        ValuesOf<3> values(sections.hoop, kHoopKeys);
        hoop->caDescription = CopyStringValue(catalogue, values.Text(kDescriptionKey));
        hoop->caShape = CopyStringValue(catalogue, values.Text(kShapeKey));
        bool outlined = ReadPoints(catalogue, OutlinePoints(values), hoop);
        ReadRectangles(sections, hoop);
        if (!ReadMounts(catalogue, map, hoop, index))
            return false;
        if (!outlined && catalogue->iHoopCount == 1) // only the first hoop gets the default outline
            SetDefaultOutline(owner, catalogue, hoop, 0);
    }
    CloseCatalogueBlock(catalogue);
    return true;
}

bool FirstSectionIsHoops(CINIFile* file) {
    CString first;
    if (!file->GetCount() || !file->SectionFirst() || !file->SectionGetName(&first))
        return false;
    return CompareNoCaseMultiByte(reinterpret_cast<const unsigned char*>(first.GetString()),
                                  reinterpret_cast<const unsigned char*>("hoops")) == 0;
}

} // namespace

HoopLoadResult HoopLoadCatalogueWith(CINIHoop* owner, int (*load)(CINIFile* file, void* context),
                                     void* context) {
    HoopCatalogue*& held = CatalogueOf(*owner);
    owner->Release();
    HoopCatalogue* catalogue = NewCatalogue();
    if (!catalogue)
        return HoopLoadResult::out_of_memory;
    CINIFile* file = catalogue->opINIFile;
    held = catalogue;
    HoopLoadResult result = HoopLoadResult::loaded;
    if (!load(file, context))
        result = HoopLoadResult::document_failed;
    else if (!FirstSectionIsHoops(file))
        result = HoopLoadResult::not_a_catalogue;
    else if (!ReadHoops(owner, catalogue))
        result = HoopLoadResult::out_of_memory;
    if (result != HoopLoadResult::loaded) {
        owner->Release();
        return result;
    }
    file->Destroy();
    delete file;
    catalogue->opINIFile = nullptr;
    return result;
}

int CINIHoop::Load(const char* path) {
    if (!path)
        return 0;
    return HoopLoadCatalogue(this, [path](CINIFile* file) { return file->Load(path); }) ==
           HoopLoadResult::loaded;
}
