// The value operations of a document: they act on the current section.
#include <cstring>

#include "ini/INIFile.h"
#include "ini/INIFileBlocks.h"
#include "ini/INIFileNameHash.h"
#include "ini/INIFileNameIndex.h"
#include "platform/Diagnostics.h"
#include "platform/Memory.h"
#include "platform/NoCase.h"

namespace {

static_assert(INI_NAME_CAPACITY <= SINIValuePool::kLinkedBack, "a name length leaves the link flag free");

// Small sections are searched along their list; larger ones get an index once they reach this many values.
const int kIndexedSection = 8;

SINIValuePool* FindValue(SINISectionPool* section, const char* name) {
    if (SINIValueIndex* index = section->ValueIndex())
        return name_index::Find<SINIValuePool>(index->names, name, HashNoCase(name));
    for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext)
        if (name_index::SameName(value->caName, name))
            return value;
    return nullptr;
}

// The last value of a section and the number of its values.
struct Tail {
    SINIValuePool* last;
    int count;
};

Tail TailOf(const SINISectionPool* section) {
    if (SINIValueIndex* index = section->ValueIndex())
        return Tail{index->opLastValue, static_cast<int>(index->names.used)};
    Tail tail{nullptr, 0};
    for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext, ++tail.count)
        tail.last = value;
    return tail;
}

// Keeps the section's index able to take one more value; false when memory runs out.
bool ReserveValueIndex(SINIFilePool* root, SINISectionPool* section, const Tail& tail) {
    if (tail.count + 1 < kIndexedSection)
        return true;
    SINIValueIndex* index = section->ValueIndex();
    if (index)
        return name_index::Reserve<SINIValuePool>(index->names, tail.count + 1);
    index = static_cast<SINIValueIndex*>(MemAlloc(sizeof(SINIValueIndex)));
    if (!index)
        return false;
    *index = SINIValueIndex{NameIndex{nullptr, 0, 0}, section->FirstValue(), tail.last};
    if (!name_index::Reserve<SINIValuePool>(index->names, tail.count + 1)) {
        MemFree(index);
        return false;
    }
    for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext)
        name_index::PutUnchecked(index->names, value, HashNoCase(value->caName));
    section->opValues = reinterpret_cast<uintptr_t>(index) | 1;
    ++root->iValueIndexes;
    return true;
}

void LinkAtTail(SINISectionPool* section, SINIValuePool* value, SINIValuePool* tail) {
    value->opNext = nullptr;
    if (value->LinkedBack())
        value->opPrevious() = tail;
    if (tail)
        tail->opNext = value;
    else
        section->SetFirstValue(value);
    if (SINIValueIndex* index = section->ValueIndex()) {
        index->opLastValue = value;
        name_index::PutUnchecked(index->names, value, HashNoCase(value->caName));
    }
}

// A value without a link back is one of the first few of its section, and its predecessor is found by walking
// up to it.
void Unlink(SINISectionPool* section, SINIValuePool* value) {
    SINIValuePool* previous = nullptr;
    if (value->LinkedBack())
        previous = value->opPrevious();
    else
        for (SINIValuePool* walk = section->FirstValue(); walk != value; walk = walk->opNext)
            previous = walk;
    if (value->opNext && value->opNext->LinkedBack())
        value->opNext->opPrevious() = previous;
    if (previous)
        previous->opNext = value->opNext;
    else
        section->SetFirstValue(value->opNext);
    if (SINIValueIndex* index = section->ValueIndex()) {
        name_index::Erase(index->names, value);
        if (index->opLastValue == value)
            index->opLastValue = previous;
    }
}

} // namespace

int INIGetTypeSize(int type) {
    switch (type) {
    case INI_TYPE_INTEGER:
    case INI_TYPE_REAL:
    case INI_TYPE_RAW32:
        return 4;
    case INI_TYPE_CHARACTER:
    case INI_TYPE_STRING:
        return 1;
    default:
        Diagnose("Failure : INIGetTypeSize() > Invalid type!");
        return 0;
    }
}

int CINIFile::ValueAdd(CINIValue* value) {
    if (!opRoot || !value || strnlen(value->caName, INI_NAME_CAPACITY) == INI_NAME_CAPACITY) {
        Diagnose("Failure : CINIFile::ValueAdd() > Invalid param(s) passed to function!");
        return 0;
    }
    SINISectionPool* section = opRoot->opCurrentSection;
    if (!section) {
        Diagnose("Failure : CINIFile::ValueAdd() > No section exist in this INI file!");
        return 0;
    }
    if (FindValue(section, value->caName)) {
        Diagnose("Failure : CINIFile::ValueAdd() > The value <%s> already exists in section <%s> in this INI "
                 "file! "
                 "Cannot add two values with the same name to one section!",
                 value->caName, section->caName);
        return 0;
    }
    return INIAppendValue(opRoot, section, value->caName, std::strlen(value->caName), value->iType,
                          value->iKind, value->iCount, value->opData)
               ? 1
               : 0;
}

SINIValuePool* INIFindValue(SINISectionPool* section, const char* name) {
    return FindValue(section, name);
}

void INIFreeValueIndex(SINIFilePool* root, SINISectionPool* section) {
    SINIValueIndex* index = section->ValueIndex();
    if (!index)
        return;
    section->opValues = reinterpret_cast<uintptr_t>(index->opFirstValue);
    name_index::Free(index->names);
    MemFree(index);
    --root->iValueIndexes;
}

SINIValuePool* INIAppendValue(SINIFilePool* root, SINISectionPool* section, const char* name, size_t length,
                              int type, int kind, int iCount, const void* elements) {
    int size = INIGetTypeSize(type);
    if (size == 0) {
        Diagnose("Failure : CINIFile::ValueAdd() > INIGetTypeSize() failed!");
        return nullptr;
    }
    uint32_t count = iCount < 0 ? 0u - static_cast<uint32_t>(iCount) : static_cast<uint32_t>(iCount);
    if (count == 0)
        count = 1;
    if (count > INI_MAX_ELEMENTS) {
        Diagnose("Failure : CINIFile::ValueAdd() > The number of elements <%u> exceeds maximum allowed limit "
                 "of <%u>",
                 count, static_cast<unsigned>(INI_MAX_ELEMENTS));
        return nullptr;
    }
    size_t dataBytes = size_t(count) * size_t(size);
    size_t storedBytes = dataBytes + (type == INI_TYPE_STRING ? 1 : 0);
    size_t offset = SINIValuePool::DataOffset(length, type, kind);
    Tail tail = TailOf(section);
    size_t back = section->ValueIndex() || tail.count + 1 >= kIndexedSection ? sizeof(void*) : 0;
    char* block = static_cast<char*>(DocumentAllocate(root, back + offset + storedBytes));
    if (!block && DocumentHasRoom(root, back + offset)) { // the record would fit; its elements do not
        Diagnose("Failure : CINIFile::ValueAdd() > Not enough memory to allocate value elements!");
        return nullptr;
    }
    SINIValuePool* node = reinterpret_cast<SINIValuePool*>(block + back);
    if (!block || !ReserveValueIndex(root, section, tail)) {
        if (block)
            DocumentGiveBack(root, block, back + offset + storedBytes);
        Diagnose(
            "Failure : CINIFile::ValueAdd() > Not enough memory to allocate opValue instance of CINIValue!");
        return nullptr;
    }
    char* data = reinterpret_cast<char*>(node) + offset;
    // A record without elements gets zero elements rather than a crash; a string gets its terminator.
    if (elements)
        std::memcpy(data, elements, dataBytes);
    else
        std::memset(data, 0, dataBytes);
    if (storedBytes > dataBytes)
        data[dataBytes] = '\0';
    std::memcpy(node->caName, name, length);
    node->caName[length] = '\0';
    node->iType = static_cast<uint8_t>(type);
    node->iNameLength = static_cast<uint16_t>(length | (back ? SINIValuePool::kLinkedBack : 0));
    if (kind < 0 || kind >= SINIValuePool::kWideKind) {
        node->iKind = SINIValuePool::kWideKind;
        int32_t wide = kind;
        std::memcpy(reinterpret_cast<char*>(node) + SINIValuePool::NameEnd(length), &wide, sizeof wide);
    } else {
        node->iKind = static_cast<uint8_t>(kind);
    }
    node->iCount = static_cast<int32_t>(count);
    LinkAtTail(section, node, tail.last);
    return node;
}

int CINIFile::ValueRemove(const char* name) {
    if (!opRoot || !name || name[0] == '\0') {
        Diagnose("Failure : CINIFile::ValueRemove() > Invalid param(s) passed to function!");
        return 0;
    }
    SINISectionPool* section = opRoot->opCurrentSection;
    if (!section) {
        Diagnose(
            "Failure : CINIFile::ValueRemove() > Cannot remove value from section as no sections exist!");
        return 0;
    }
    SINIValuePool* value = FindValue(section, name);
    if (!value) {
        Diagnose(
            "Failure : CINIFile::ValueRemove() > Value <%s> in section <%s> does not exist in this INI file!",
            name, section->caName);
        return 0;
    }
    // The node and its elements stay in the document's blocks until the document is destroyed.
    Unlink(section, value);
    return 1;
}

int CINIFile::ValueReplace(const char* name, CINIValue* value) {
    if (!opRoot || !value || !name || name[0] == '\0') {
        Diagnose("Failure : CINIFile::ValueReplace() > Invalid param(s) passed to function!");
        return 0;
    }
    if (!opRoot->opFirstSection) {
        Diagnose("Failure : CINIFile::ValueReplace() > No sections exist in this INI file!");
        return 0;
    }
    SINIValuePool* stored = FindValue(opRoot->opCurrentSection, name);
    if (stored && !ValueRemove(stored->caName)) {
        Diagnose("Failure : CINIFile::ValueReplace() > CINIFile::ValueRemove() failed!");
        return 0;
    }
    if (!ValueAdd(value)) {
        Diagnose("Failure : CINIFile::ValueReplace() > CINIFile::ValueAdd() failed!");
        return 0;
    }
    return 1;
}
