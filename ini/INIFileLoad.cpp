// Loading a file into a document: the extension picks the INI text loader or the binary INI loader.
#include <cstring>

#include "ini/INIFile.h"
#include "platform/Diagnostics.h"

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
    FILE* stream = std::fopen(fileName, "rb");
    if (!stream) {
        Diagnose("Failure : CINIFile::Load() > _tfopen() failed!");
        return 0;
    }
    bool binary = opRoot->iFileType == kFileTypeBinary;
    int loaded = binary ? INIBinaryLoadData(opRoot, stream, this) : INISourceLoadData(opRoot, stream, this);
    if (!loaded) {
        Diagnose(binary ? "Failure : CINIFile::Load() > INIBinaryLoadData() failed!"
                        : "Failure : CINIFile::Load() > INISourceLoadData() failed!");
        std::fclose(stream);
        Destroy(); // nothing of a failed file remains
        return 0;
    }
    std::fclose(stream);
    if (opRoot->opFirstSection)
        SectionFirst();
    return 1;
}
