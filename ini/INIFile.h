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

// A hash index from case-folded names to records, so that lookups and appends never walk the lists. Each slot
// keeps the name's hash beside the record, so that a miss rarely reads a name.
struct NameSlot {
    void* record;
    uint32_t hash;
};
struct NameIndex {
    NameSlot* slots;
    uint32_t capacity; // a power of two, or 0 before the first use
    uint32_t used;
};

// One stored value. The name is kept at its own length right behind the record.
struct SINIValuePool {
    SINIValuePool* opNext;
    SINIValuePool* opPrev;
    void* opData; // iCount elements of the storage type (one zero byte more for strings)
    int iType;
    int iKind;
    int iCount;
    char caName[]; // zero-terminated
};

// One section. The name is kept at its own length right behind the record.
struct SINISectionPool {
    SINISectionPool* opNext;
    SINISectionPool* opPrev;
    SINIValuePool* opFirstValue;
    SINIValuePool* opCurrentValue; // the value added last, which is always the tail of the list
    NameIndex valueIndex;          // built once the section holds more than a handful of values
    int iValueCount;
    char caName[]; // zero-terminated
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

    static SINISectionPool* GetSectionByName(SINIFilePool* root, const char* name);
    int SectionGoto(const char* name);
    int SectionGetName(CString* name);
    int SectionFirst();
    int SectionAdd(const char* name);
    int SectionRemove(const char* name);
    int SectionExists(const char* name);

    int ValueGet(const char* name, CINIValue* value);
    int ValueAdd(CINIValue* value);
    int ValueRemove(const char* name);
    int ValueReplace(const char* name, CINIValue* value);
    int ValueExists(const char* name);

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
SINIValuePool* INIGetValueByName(SINIFilePool* root, SINISectionPool* section, const char* name);

// The record work behind the section and value operations, for callers that have checked the name and know
// its length (and, for sections, its HashNoCase). The appends print the message of SectionAdd or ValueAdd and
// give null when memory runs out; otherwise the new record is the current section or the section's tail.
SINISectionPool* INIFindSection(SINIFilePool* root, const char* name, uint32_t hash);
SINISectionPool* INIAppendSection(SINIFilePool* root, const char* name, size_t length, uint32_t hash);
SINIValuePool* INIFindValue(SINISectionPool* section, const char* name);
SINIValuePool* INIAppendValue(SINIFilePool* root, SINISectionPool* section, const char* name, size_t length,
                              int type, int kind, int count, const void* data);

// The loaders of the two file forms (INI text and binary INI), reading an open file or any byte source.
int INISourceLoadData(SINIFilePool* root, FILE* stream, CINIFile* document);
int INISourceLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document);
int INIBinaryLoadData(SINIFilePool* root, FILE* stream, CINIFile* document);
int INIBinaryLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document);
