#include "support/Document.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>

#include "ini/INIFile.h"
#include "support/Captured.h"

namespace {

std::string Element(int type, const char* at) {
    if (type == INI_TYPE_CHARACTER || type == INI_TYPE_STRING)
        return std::string(1, *at);
    int32_t word = 0;
    float real = 0;
    std::memcpy(&word, at, 4);
    std::memcpy(&real, at, 4);
    char text[32] = {};
    if (type == INI_TYPE_REAL) // the shortest text that reads back as the same float, in no locale
        *std::to_chars(text, text + sizeof text - 2, real).ptr = ',';
    else
        snprintf(text, sizeof text, type == INI_TYPE_RAW32 ? "%x," : "%d,", word);
    return text;
}

} // namespace

std::string DocumentText(const CINIFile& file) {
    SINIFilePool* root = file.Root();
    if (!root)
        return "(none)";
    std::string text;
    for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        text += "[" + std::string(section->caName) + "]";
        for (SINIValuePool* v = section->FirstValue(); v; v = v->opNext) {
            text += std::string(v->caName) + " " + std::to_string(v->iType) +
                    (v->iKind >= 1 && v->iKind <= 6 ? "dhbcsr"[v->iKind - 1] : '?') + ":";
            const char* data = static_cast<const char*>(v->Data());
            for (int k = 0; k < v->iCount; ++k)
                text += Element(v->iType, data + k * INIGetTypeSize(v->iType));
            EXPECT_TRUE(v->iType != INI_TYPE_STRING || data[v->iCount] == '\0') << v->caName;
            text += ";";
        }
    }
    return text + "@" + (root->opCurrentSection ? root->opCurrentSection->caName : "");
}

LoadedDocument LoadDocument(const std::string& bytes, const std::string& name) {
    TempDir dir;
    std::string path = dir.Write(name, bytes);
    CINIFile file;
    LoadedDocument loaded{0, "", ""};
    loaded.printed = CapturedDiagnostics([&] { loaded.result = file.Load(path.c_str()); });
    loaded.text = DocumentText(file);
    file.Destroy();
    return loaded;
}
