// Loading a file into a document: the extension picks the INI text loader or the binary INI loader. The same
// loaders read bytes held in memory.
#include <cstring>

#include "ini/INIByteSource.h"
#include "ini/INIFile.h"
#include "platform/Diagnostics.h"
#include "platform/Files.h"

namespace {

// One character before a four-character extension.
const size_t kShortestFileName = 5;

enum { kFileTypeText = 0, kFileTypeBinary = 1 };

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// ".INB" in any letter case is the binary form; every other name is read as INI text.
int FileTypeOf(const char* fileName, size_t length) {
    char extension[5] = {};
    for (size_t i = 0; i < 4; ++i)
        extension[i] = UpperAscii(fileName[length - 4 + i]);
    return std::strcmp(extension, ".INB") == 0 ? kFileTypeBinary : kFileTypeText;
}

} // namespace

int CINIFile::Load(const char* fileName) {
    Destroy();
    if (!Create()) {
        Diagnose("Failure : CINIFile::Load() > Create() failed!");
        return 0;
    }
    size_t length = fileName ? std::strlen(fileName) : 0;
    if (length < kShortestFileName) {
        Diagnose("Failure : CINIFile::Load() > Invalid filename passed to function!");
        return 0;
    }
    opRoot->iFileType = FileTypeOf(fileName, length);
    // File names are case-sensitive here, so the name is opened exactly as passed.
    FILE* stream = FileOpenForReading(fileName, PathEncoding::system);
    if (!stream) {
        Diagnose("Failure : CINIFile::Load() > _tfopen() failed!");
        return 0;
    }
    INIByteSource source = INIByteSource::File(stream);
    int loaded = LoadOpened(&source);
    std::fclose(stream);
    return loaded;
}

int CINIFile::LoadFrom(INIByteSource* source, int fileType) {
    Destroy();
    if (!Create()) {
        Diagnose("Failure : CINIFile::Load() > Create() failed!");
        return 0;
    }
    opRoot->iFileType = fileType == kFileTypeBinary ? kFileTypeBinary : kFileTypeText;
    return LoadOpened(source);
}

int CINIFile::LoadOpened(INIByteSource* source) {
    bool binary = opRoot->iFileType == kFileTypeBinary;
    int loaded =
        binary ? INIBinaryLoadSource(opRoot, source, this) : INISourceLoadSource(opRoot, source, this);
    if (!loaded) {
        Diagnose(binary ? "Failure : CINIFile::Load() > INIBinaryLoadData() failed!"
                        : "Failure : CINIFile::Load() > INISourceLoadData() failed!");
        Destroy(); // nothing of a failed file remains
        return 0;
    }
    if (opRoot->opFirstSection)
        SectionFirst();
    return 1;
}
