// The records behind a CINIHoop handle, and the rule for finding hoop i and mount j.
#pragma once

#include <cstddef>
#include <cstdint>

#include <brevant/Geometry.h>

class CINIFile;
class CINIHoop;

struct MountRecord {
    MountRecord* opNext;
    int32_t iID;
    int32_t iRotation;
    int32_t iLowX;
    int32_t iHighX;
    int32_t iLowY;
    int32_t iHighY;
    char* caLabel; // owned text, or null
};

struct HoopRecord {
    HoopRecord* opNext;
    MountRecord* opFirstMount;
    MountRecord* opLastMount; // the tail of the mount list, null when it is empty
    int32_t iSewFieldLeft, iSewFieldTop, iSewFieldRight, iSewFieldBottom;
    int32_t iInnerDimLeft, iInnerDimTop, iInnerDimRight, iInnerDimBottom;
    int32_t iOuterDimLeft, iOuterDimTop, iOuterDimRight, iOuterDimBottom;
    char* caDescription; // owned text, or null
    char* caShape;       // owned text, or null
    POINT* opPoints;     // iPointCount outline points, or null
    int32_t iPointCount;
    int32_t iMountCount;
    int32_t iRotation;
};

struct HoopCatalogue {
    HoopRecord* opFirstHoop;
    HoopRecord* opLastHoop; // the tail of the hoop list, null when it is empty
    int32_t iHoopCount;
    CINIFile* opINIFile;
    int32_t iHandles; // handles that share this catalogue through assignment; 1 when the catalogue is made
    char* opBlock;    // what a load made, packed (see hoop/HoopMemory.h), or null
    size_t iBlockSize;
    size_t iBlockUsed;
};

// A number handed to a rectangle or mount setter that keeps the stored field.
constexpr int32_t kKeepStoredValue = INT32_MIN;

// Hoop i of a catalogue, or null when there is no catalogue or i is out of range.
HoopRecord* FindHoop(HoopCatalogue* catalogue, int hoop);
// Mount j of hoop i, or null.
MountRecord* FindMount(HoopCatalogue* catalogue, int hoop, int mount);
// Mount j of a hoop already found, or null when j is out of range.
MountRecord* FindMountOf(HoopRecord* hoop, int mount);
// A zeroed record appended at the tail of its list, the list's count raised; null when memory runs out.
HoopRecord* AppendHoopRecord(HoopCatalogue* catalogue);
MountRecord* AppendMountRecord(HoopCatalogue* catalogue, HoopRecord* hoop);
// Takes a record out of its list and frees it with all it owns, the list's count lowered.
void RemoveHoopRecord(HoopCatalogue* catalogue, HoopRecord* record);
void RemoveMountRecord(HoopCatalogue* catalogue, HoopRecord* hoop, MountRecord* mount);

// A new catalogue, held by one handle, with a document object that holds no document yet; null when memory
// runs out.
HoopCatalogue* NewCatalogue();
// Frees the hoops, the document and the catalogue.
void FreeCatalogue(HoopCatalogue* catalogue);
