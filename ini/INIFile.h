// The in-memory INI document: an ordered list of named sections, each an ordered list of named, typed values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include <brevant/CString.h>
#include <brevant/INIValue.h>

struct SINIValuePool;
struct SINISectionPool;
class CString;

// A hash index from case-folded names to records, so that lookups and appends never walk the lists. A slot is
// one word: the record's address with the name's hash beside it, in full where addresses have 32 bits and as
// its top 16 bits where they have 64 (of which the address uses at most 48), so that a miss rarely reads a
// record.
typedef uint64_t NameSlot;
struct NameIndex {
    NameSlot* slots;
    uint32_t capacity; // a power of two, or 0 before the first use
    uint32_t used;
};

// One stored value: the name, zero-terminated, right behind the record and the elements behind the name, at
// once or, for four-byte elements, at the next multiple of four bytes (one zero byte more for strings). A
// kind beyond a byte, which only a host can give, is kept in four bytes between the name and the elements.
struct SINIValuePool {
    SINIValuePool* opNext;
    int32_t iCount;
    uint8_t iType;
    uint8_t iKind;        // kWideKind: the kind is kept behind the name
    uint16_t iNameLength; // with kLinkedBack when a link to the previous value precedes the record
    char caName[];

    static constexpr uint8_t kWideKind = 0xFF;
    // The values of a section with an index also link back, in the eight bytes in front of the record, so
    // that removing one never walks a long list; the few values that came before the index do not.
    static constexpr uint16_t kLinkedBack = 0x8000;
    size_t NameLength() const { return iNameLength & ~kLinkedBack; }
    bool LinkedBack() const { return (iNameLength & kLinkedBack) != 0; }
    SINIValuePool*& opPrevious() { return reinterpret_cast<SINIValuePool**>(this)[-1]; }
    static size_t NameEnd(size_t nameLength) {
        return (sizeof(SINIValuePool) + nameLength + 1 + 3) & ~size_t(3);
    }
    // Single-byte elements follow the name at once; four-byte ones at the next multiple of four.
    static size_t DataOffset(size_t nameLength, int type, int kind) {
        if (kind >= 0 && kind < kWideKind && (type == INI_TYPE_CHARACTER || type == INI_TYPE_STRING))
            return sizeof(SINIValuePool) + nameLength + 1;
        return NameEnd(nameLength) + (kind >= 0 && kind < kWideKind ? 0 : sizeof(int32_t));
    }
    int Kind() const {
        if (iKind != kWideKind)
            return iKind;
        int32_t kind;
        std::memcpy(&kind, reinterpret_cast<const char*>(this) + NameEnd(NameLength()), sizeof kind);
        return kind;
    }
    void* Data() { return reinterpret_cast<char*>(this) + DataOffset(NameLength(), iType, Kind()); }
    const void* Data() const {
        return reinterpret_cast<const char*>(this) + DataOffset(NameLength(), iType, Kind());
    }
};

// The index of a section that holds more than a handful of values, with the ends of its list; a smaller
// section is searched along its list and finds its tail there.
struct SINIValueIndex {
    NameIndex names;
    SINIValuePool* opFirstValue;
    SINIValuePool* opLastValue;
};

// One section. The name is kept at its own length right behind the record. A small section counts its values
// along its list, an indexed one in its index.
struct SINISectionPool {
    SINISectionPool* opNext;
    // The first value or, once the section holds more than a handful of values, the index of its values
    // with the low bit set: most sections are small, and one word for both keeps their record short.
    uintptr_t opValues;
    char caName[]; // zero-terminated

    SINIValueIndex* ValueIndex() const {
        return (opValues & 1) ? reinterpret_cast<SINIValueIndex*>(opValues & ~uintptr_t(1)) : nullptr;
    }
    SINIValuePool* FirstValue() const {
        SINIValueIndex* index = ValueIndex();
        return index ? index->opFirstValue : reinterpret_cast<SINIValuePool*>(opValues);
    }
    void SetFirstValue(SINIValuePool* value) {
        if (SINIValueIndex* index = ValueIndex())
            index->opFirstValue = value;
        else
            opValues = reinterpret_cast<uintptr_t>(value);
    }
};

// Records of a document come from large blocks that the document frees as a whole when it is destroyed.
struct DocumentBlock;

// The root record of a created document.
struct SINIFilePool {
    int iFileType; // 0 = INI text, 1 = binary INI
    int iSectionCount;
    SINISectionPool* opFirstSection;
    SINISectionPool* opCurrentSection;
    SINISectionPool* opLastSection;
    NameIndex sectionIndex;
    int iValueIndexes; // sections whose values have an index of their own
    DocumentBlock* blocks;
};

class INIByteSource;

class CINIFile {
  public:
    CINIFile();

    static void* operator new(size_t bytes, const std::nothrow_t&) noexcept;
    static void operator delete(void* block) noexcept;

    int Create();
    int Destroy();
    int Load(const char* fileName);
    // Loads a fresh document from a source in the given form (0 text, 1 binary), with Load's messages.
    int LoadFrom(INIByteSource* source, int fileType);
    int GetCount();

    int SectionGetName(CString* name);
    int SectionFirst();
    int SectionAdd(const char* name);

    int ValueAdd(CINIValue* value);
    int ValueRemove(const char* name);
    int ValueReplace(const char* name, CINIValue* value);

    SINIFilePool* Root() const { return opRoot; }
    SINISectionPool* CurrentSection() const { return opRoot ? opRoot->opCurrentSection : nullptr; }

  private:
    int LoadOpened(INIByteSource* source);

    SINIFilePool* opRoot;
};

int INIGetTypeSize(int type);

// A valid section or value name has 1 to 16383 characters.
inline bool INIIsValidName(const char* name) {
    return name != nullptr && name[0] != '\0' && strnlen(name, INI_NAME_CAPACITY) < INI_NAME_CAPACITY;
}

// The record work behind the section and value operations, for callers that have checked the name and know
// its length (and, for sections, its HashNoCase). The appends print the message of SectionAdd or ValueAdd and
// give null when memory runs out; otherwise the new record is the current section or the section's tail.
SINISectionPool* INIFindSection(SINIFilePool* root, const char* name, uint32_t hash);
SINISectionPool* INIAppendSection(SINIFilePool* root, const char* name, size_t length, uint32_t hash);
SINIValuePool* INIFindValue(SINISectionPool* section, const char* name);
// Frees the index of a section's values, when it has one.
void INIFreeValueIndex(SINIFilePool* root, SINISectionPool* section);
SINIValuePool* INIAppendValue(SINIFilePool* root, SINISectionPool* section, const char* name, size_t length,
                              int type, int kind, int count, const void* data);

// The loaders of the two file forms (INI text and binary INI), reading an open file or any byte source.
int INISourceLoadData(SINIFilePool* root, FILE* stream, CINIFile* document);
int INISourceLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document);
int INIBinaryLoadData(SINIFilePool* root, FILE* stream, CINIFile* document);
int INIBinaryLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document);
