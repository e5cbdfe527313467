// Writes the binary INI form of an INI text file: every section and value of the loaded document, in order.
//
//   ini2inb IN.ini OUT.inb
#include <cstdio>
#include <fstream>

#include "ini/INIFile.h"
#include "support/BinaryIni.h"

namespace {

void AddValue(BinaryIniSection& section, const SINIValuePool* value) {
    size_t bytes = static_cast<size_t>(value->iCount) * static_cast<size_t>(INIGetTypeSize(value->iType));
    std::string elements(static_cast<const char*>(value->Data()), bytes);
    if (value->iType == INI_TYPE_INTEGER || value->iType == INI_TYPE_REAL || value->iType == INI_TYPE_RAW32) {
        const uint32_t* words = static_cast<const uint32_t*>(value->Data());
        elements.clear();
        for (int k = 0; k < value->iCount; ++k)
            elements += LittleEndian32(words[k]);
    }
    section.Value(value->iType, value->caName, static_cast<uint32_t>(value->iCount), elements);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ini2inb IN.ini OUT.inb\n");
        return 2;
    }
    CINIFile document;
    if (!document.Load(argv[1]))
        return 1;
    BinaryIni file;
    for (const SINISectionPool* s = document.Root()->opFirstSection; s; s = s->opNext) {
        BinaryIniSection& section = file.Section(s->caName);
        for (const SINIValuePool* v = s->FirstValue(); v; v = v->opNext)
            AddValue(section, v);
    }
    document.Destroy();
    std::ofstream out(argv[2], std::ios::binary);
    out << file.Bytes();
    return out ? 0 : 1;
}
