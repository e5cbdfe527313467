// The binary INI loader. A binary INI file is a 32-byte header followed by the sections, each directly
// followed by its values:
//
//   header   "INB", DESC1 (0x08 0x0D 0x01: "INB" less 0x41 per byte), isize (4), tag 1 (1), tag 2 (1),
//            tag 3 (2), version (2), word 1..3 (2 each), section count (2), 8 reserved bytes
//   section  name length (1), name, value count (2)
//   value    type (1), name length (1), name, element count (2), elements
//
// Header fields and counts are big-endian; elements are little-endian and are turned into the host's order.
//
// Choices of this loader where the form itself says nothing:
// - A name length byte of 0x80 to 0xFF is read as an unsigned length of 128 to 255: names never outgrow the
//   256-byte name buffers below.
// - Every read is checked: a file whose sections, values or elements run past its end fails the load with
//   "Unexpected end of file." even when isize matches the file's size.
// - An element count of 0 reads no element bytes and stores one zero element (the document keeps at least
// one).
// - A value whose name is empty because its first character is a zero byte is a corrupted value name.
// - Loaded values bear the kind that INI text gives values of their storage type (integer: decimal,
//   character: character, real: real, string: string); 4-byte raw values, which have no text form, bear 0.
#include <cstdint>
#include <cstring>

#include "ini/INIByteSource.h"
#include "ini/INIFile.h"
#include "platform/Diagnostics.h"
#include "platform/Memory.h"

namespace {

const long kHeaderBytes = 32;
const long kLoaderVersion = 1;
const size_t kReservedBytes = 8;
const size_t kShortNameCapacity = 256; // a length byte gives at most 255 characters
const uint8_t kDescriptorShift = 0x41;

const char kShortRead[] =
    "Failure : INIBinaryLoadData() > Binary INI file contains invalid data! Unexpected end of file.";

int Fail(const char* message) {
    Diagnose("%s", message);
    return 0;
}

// Checked reads of the file's fields; each answers false when the file ends first.
class FieldReader {
  public:
    explicit FieldReader(INIByteSource* source) : source_(source) {}

    bool Bytes(void* into, size_t count) {
        uint8_t* out = static_cast<uint8_t*>(into);
        while (count > 0) {
            if (position_ == end_ && !Refill())
                return false;
            size_t part = count < end_ - position_ ? count : end_ - position_;
            std::memcpy(out, buffer_ + position_, part);
            position_ += part;
            out += part;
            count -= part;
        }
        return true;
    }

    bool Byte(uint8_t* value) { return Bytes(value, 1); }

    bool Word(uint32_t* value) {
        uint8_t bytes[2];
        if (!Bytes(bytes, sizeof bytes))
            return false;
        *value = uint32_t(bytes[0]) << 8 | bytes[1];
        return true;
    }

    bool Long(uint32_t* value) {
        uint8_t bytes[4];
        if (!Bytes(bytes, sizeof bytes))
            return false;
        *value = uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
        return true;
    }

    // A name of `length` characters, zero-terminated, into a buffer of at least length + 1 bytes.
    bool Name(char* into, size_t length) {
        if (!Bytes(into, length))
            return false;
        into[length] = '\0';
        return true;
    }

  private:
    // The fields are small and many: they are cut from chunks of the file rather than read one by one.
    bool Refill() {
        position_ = 0;
        end_ = source_->Read(buffer_, sizeof buffer_);
        return end_ > 0;
    }

    INIByteSource* source_;
    size_t position_ = 0;
    size_t end_ = 0;
    uint8_t buffer_[16 * 1024];
};

// Room for the elements of one value at a time, kept from value to value and grown as needed.
class ElementRoom {
  public:
    ElementRoom() = default;
    ElementRoom(const ElementRoom&) = delete;
    ~ElementRoom() { MemFreeSized(data_, capacity_); }

    // Null when memory runs out.
    uint8_t* Take(size_t bytes) {
        if (bytes <= capacity_)
            return data_;
        uint8_t* grown = static_cast<uint8_t*>(MemAlloc(bytes));
        if (!grown)
            return nullptr;
        MemFreeSized(data_, capacity_);
        data_ = grown;
        capacity_ = bytes;
        return data_;
    }

  private:
    uint8_t* data_ = nullptr;
    size_t capacity_ = 0;
};

// A descriptor compared as a string: three bytes and a terminator.
bool DescriptorIs(const uint8_t bytes[3], uint8_t shift, const char* expected) {
    char text[4] = {};
    for (int i = 0; i < 3; ++i)
        text[i] = static_cast<char>(static_cast<uint8_t>(bytes[i] + shift));
    return std::strcmp(text, expected) == 0;
}

int ReadDescriptors(FieldReader& reader) {
    uint8_t desc[3];
    if (!reader.Bytes(desc, sizeof desc))
        return Fail(kShortRead);
    if (!DescriptorIs(desc, 0, "INB"))
        return Fail(
            "Failure : INIBinaryLoadData() > Binary INI file contains invalid data! Errornous DESC0.");
    if (!reader.Bytes(desc, sizeof desc))
        return Fail(kShortRead);
    if (!DescriptorIs(desc, kDescriptorShift, "INB"))
        return Fail(
            "Failure : INIBinaryLoadData() > Binary INI file contains invalid data! Errornous DESC1.");
    return 1;
}

// Reads and checks the header after the descriptors; answers the number of sections that follow. The tags and
// words carry nothing that the document keeps.
int ReadHeaderFields(FieldReader& reader, long fileSize, uint32_t* sectionCount) {
    uint32_t isize = 0;
    if (!reader.Long(&isize))
        return Fail(kShortRead);
    if (static_cast<unsigned long>(isize) != static_cast<unsigned long>(fileSize))
        return Fail(
            "Failure : INIBinaryLoadData() > Binary INI file contains invalid data! Errornous isize.");
    uint8_t tag1 = 0, tag2 = 0;
    uint32_t tag3 = 0, version = 0;
    if (!reader.Byte(&tag1) || !reader.Byte(&tag2) || !reader.Word(&tag3) || !reader.Word(&version))
        return Fail(kShortRead);
    if (static_cast<long>(version) > kLoaderVersion) {
        Diagnose(
            "Failure : CINIFile::LoadBinaryData() > Binary INI file  VERSION is incompatible! Binary File "
            "Version <%ld> / INI Loader Version <%ld>.",
            static_cast<long>(version), kLoaderVersion);
        return 0;
    }
    uint32_t word1 = 0, word2 = 0, word3 = 0;
    uint8_t reserved[kReservedBytes];
    if (!reader.Word(&word1) || !reader.Word(&word2) || !reader.Word(&word3) || !reader.Word(sectionCount) ||
        !reader.Bytes(reserved, sizeof reserved))
        return Fail(kShortRead);
    return 1;
}

int ReadHeader(FieldReader& reader, long fileSize, uint32_t* sectionCount) {
    if (!ReadDescriptors(reader))
        return 0;
    return ReadHeaderFields(reader, fileSize, sectionCount);
}

int KindOfType(int type) {
    switch (type) {
    case INI_TYPE_INTEGER:
        return INI_KIND_DECIMAL;
    case INI_TYPE_CHARACTER:
        return INI_KIND_CHARACTER;
    case INI_TYPE_REAL:
        return INI_KIND_REAL;
    case INI_TYPE_STRING:
        return INI_KIND_STRING;
    default:
        return 0;
    }
}

// Turns little-endian elements of `size` bytes into the host's byte order, in place.
void ElementsToHostOrder(uint8_t* data, size_t count, int size) {
    if (size != 4)
        return;
    for (size_t i = 0; i < count; ++i) {
        uint8_t* element = data + i * 4;
        uint32_t value = uint32_t(element[0]) | uint32_t(element[1]) << 8 | uint32_t(element[2]) << 16 |
                         uint32_t(element[3]) << 24;
        std::memcpy(element, &value, sizeof value);
    }
}

// Reads the elements of one value and adds it to the current section; `work` already holds the name.
int AddElements(CINIFile* document, FieldReader& reader, ElementRoom& room, CINIValue& work, int type,
                uint32_t count) {
    int size = INIGetTypeSize(type);
    if (size == 0)
        return Fail("Failure : INIBinaryLoadData() > Invalid value type detected, load failed!");
    size_t bytes = size_t(count) * size_t(size);
    uint8_t single[4] = {}; // an element count of 0 or 1
    uint8_t* elements = count > 1 ? room.Take(bytes) : single;
    if (!elements) {
        Diagnose("Failure : INIBinaryLoadData() > Could not allocate <%iBytes> of memory, load failed!",
                 static_cast<int>(bytes));
        return 0;
    }
    if (!reader.Bytes(elements, bytes))
        return Fail(kShortRead);
    ElementsToHostOrder(elements, count, size);
    work.iType = type;
    work.iKind = KindOfType(type);
    work.iCount = static_cast<int>(count);
    work.opData = elements;
    if (document->ValueAdd(&work))
        return 1;
    return Fail("Failure : INIBinaryLoadData() > CINIFile::ValueAdd() failed!");
}

int LoadValue(CINIFile* document, FieldReader& reader, ElementRoom& room, CINIValue& work) {
    uint8_t type = 0, nameLength = 0;
    if (!reader.Byte(&type) || !reader.Byte(&nameLength))
        return Fail(kShortRead);
    if (nameLength == 0)
        return Fail("Failure : INIBinaryLoadData() > Corrupted value name!");
    if (!reader.Name(work.caName, nameLength))
        return Fail(kShortRead);
    if (work.caName[0] == '\0')
        return Fail("Failure : INIBinaryLoadData() > Corrupted value name!");
    uint32_t count = 0;
    if (!reader.Word(&count))
        return Fail(kShortRead);
    return AddElements(document, reader, room, work, static_cast<int8_t>(type), count);
}

int LoadSection(CINIFile* document, FieldReader& reader, ElementRoom& room, CINIValue& work) {
    uint8_t nameLength = 0;
    if (!reader.Byte(&nameLength))
        return Fail(kShortRead);
    if (nameLength == 0)
        return Fail("Failure : CINIFile::LoadBinaryData() > invalid section name found in Binary INI file!");
    char name[kShortNameCapacity];
    if (!reader.Name(name, nameLength))
        return Fail(kShortRead);
    if (!document->SectionAdd(name))
        return Fail("Failure : INIBinaryLoadData() > Could not load a section from the Binary INI file!");
    uint32_t valueCount = 0;
    if (!reader.Word(&valueCount))
        return Fail(kShortRead);
    for (uint32_t i = 0; i < valueCount; ++i)
        if (!LoadValue(document, reader, room, work))
            return 0;
    return 1;
}

} // namespace

int INIBinaryLoadData(SINIFilePool* root, FILE* stream, CINIFile* document) {
    if (!stream)
        return Fail("Failure : INIBinaryLoadData() > Invalid param(s) passed to function!");
    INIByteSource source = INIByteSource::File(stream);
    return INIBinaryLoadSource(root, &source, document);
}

int INIBinaryLoadSource(SINIFilePool* root, INIByteSource* source, CINIFile* document) {
    if (!root || !source || !document || document->Root() != root)
        return Fail("Failure : INIBinaryLoadData() > Invalid param(s) passed to function!");
    long fileSize = source->Size();
    if (fileSize < kHeaderBytes)
        return Fail("Failure : INIBinaryLoadData() > The Binary INI file has invalid size!");
    FieldReader reader(source);
    uint32_t sectionCount = 0;
    if (!ReadHeader(reader, fileSize, &sectionCount))
        return 0;
    // The sections are counted again as they are added; a fresh document holds none yet.
    if (!root->opFirstSection)
        root->iSectionCount = 0;
    CINIValue work;
    ElementRoom room;
    for (uint32_t i = 0; i < sectionCount; ++i)
        if (!LoadSection(document, reader, room, work))
            return 0;
    DiagnoseAs(BREVANT_DIAGNOSTIC_SUMMARY, 0, "Binary INI file loaded.");
    return 1;
}
