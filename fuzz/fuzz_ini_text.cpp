// The INI text loader on arbitrary bytes. Besides the sanitizers, three checks: the loaded document keeps
// every invariant of the store and of the text syntax; writing the document out as INI text and loading that
// text again gives the same sections and values in the same order; and each line that the loader takes in one
// pass leaves the document and the error count exactly as the line-by-line steps leave them.
#include <charconv>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ini/INIText.h"
#include "ini/INITextString.h"

namespace {

const int kLongestDecimal = 10; // the decimal reader's limit: elements of more characters are refused
const size_t kLongestReal = 14;

struct ExpectedSection {
    const SINISectionPool* section;
    std::vector<const SINIValuePool*> values;
};

bool FitsDecimal(int32_t number) {
    return std::to_string(number).size() <= size_t(kLongestDecimal);
}

void AppendIntegers(std::string& line, const int32_t* elements, int count) {
    bool decimal = true;
    for (int i = 0; i < count; ++i)
        decimal = decimal && FitsDecimal(elements[i]);
    char text[16];
    for (int i = 0; i < count; ++i) {
        if (decimal)
            std::snprintf(text, sizeof text, "%s%d", i ? "," : "", elements[i]);
        else
            std::snprintf(text, sizeof text, "%s$%X", i ? "," : "", static_cast<uint32_t>(elements[i]));
        line += text;
    }
}

// Reals need a full stop, no exponent and at most 14 characters; false when an element cannot be written so.
bool AppendReals(std::string& line, const float* elements, int count) {
    for (int i = 0; i < count; ++i) {
        char text[64];
        std::to_chars_result end =
            std::to_chars(text, text + sizeof text, elements[i], std::chars_format::fixed);
        if (end.ec != std::errc())
            return false;
        std::string element(text, end.ptr);
        if (element.find('.') == std::string::npos)
            element += '.';
        if (element.size() > kLongestReal)
            return false;
        line += (i ? "," : "") + element;
    }
    return true;
}

void AppendCharacters(std::string& line, const char* elements, int count) {
    for (int i = 0; i < count; ++i) {
        line += i ? ",'" : "'";
        line += elements[i];
        line += '\'';
    }
}

// One value line, or false when the value cannot be written as one readable line.
bool ValueLine(const SINIValuePool* value, std::string& line) {
    line = std::string(value->caName) + "=";
    switch (value->iType) {
    case INI_TYPE_INTEGER:
        AppendIntegers(line, static_cast<const int32_t*>(value->Data()), value->iCount);
        break;
    case INI_TYPE_REAL:
        if (!AppendReals(line, static_cast<const float*>(value->Data()), value->iCount))
            return false;
        break;
    case INI_TYPE_CHARACTER:
        AppendCharacters(line, static_cast<const char*>(value->Data()), value->iCount);
        break;
    case INI_TYPE_STRING:
        line += '"' + std::string(static_cast<const char*>(value->Data())) + '"';
        break;
    default:
        return false;
    }
    return line.size() < INI_LINE_CAPACITY;
}

std::string WriteDocument(SINIFilePool* root, std::vector<ExpectedSection>& expected) {
    std::string text;
    std::string line;
    for (const SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        expected.push_back({section, {}});
        text += "[" + std::string(section->caName) + "]\n";
        for (const SINIValuePool* value = section->FirstValue(); value; value = value->opNext) {
            if (!ValueLine(value, line))
                continue;
            text += line + "\n";
            expected.back().values.push_back(value);
        }
    }
    return text;
}

void ExpectSameValue(const SINIValuePool* want, const SINIValuePool* got) {
    FUZZ_EXPECT(got != nullptr);
    FUZZ_EXPECT(std::strcmp(want->caName, got->caName) == 0);
    FUZZ_EXPECT(want->iType == got->iType && want->iCount == got->iCount);
    if (want->iType != INI_TYPE_INTEGER) // integers may come back in another of the three integer kinds
        FUZZ_EXPECT(want->iKind == got->iKind);
    size_t bytes = size_t(want->iCount) * size_t(INIGetTypeSize(want->iType));
    FUZZ_EXPECT(std::memcmp(want->Data(), got->Data(), bytes) == 0);
}

void ExpectDocument(SINIFilePool* root, const std::vector<ExpectedSection>& expected) {
    FUZZ_EXPECT(root->iSectionCount == int(expected.size()));
    const SINISectionPool* section = root->opFirstSection;
    for (const ExpectedSection& want : expected) {
        FUZZ_EXPECT(section && std::strcmp(section->caName, want.section->caName) == 0);
        const SINIValuePool* value = section->FirstValue();
        for (const SINIValuePool* wantValue : want.values) {
            ExpectSameValue(wantValue, value);
            value = value->opNext;
        }
        FUZZ_EXPECT(value == nullptr);
        section = section->opNext;
    }
}

bool LoadText(CINIFile& document, const uint8_t* data, size_t size) {
    FUZZ_EXPECT(document.Create() == 1);
    FILE* stream = OpenInputStream(data, size);
    FUZZ_EXPECT(stream != nullptr);
    int loaded = INISourceLoadData(document.Root(), stream, &document);
    std::fclose(stream);
    return loaded == 1;
}

// Everything a line can change in a document, in order.
std::string Snapshot(const CINIFile& file) {
    SINIFilePool* root = file.Root();
    std::string text = root->opCurrentSection ? root->opCurrentSection->caName : "-";
    for (SINISectionPool* section = root->opFirstSection; section; section = section->opNext) {
        text += std::string("\n[") + section->caName + "]";
        for (SINIValuePool* value = section->FirstValue(); value; value = value->opNext) {
            text += std::string("\n") + value->caName + " " + std::to_string(value->iType) + " " +
                    std::to_string(value->iKind) + " " + std::to_string(value->iCount) + ":";
            text.append(static_cast<const char*>(value->Data()),
                        size_t(value->iCount) * size_t(INIGetTypeSize(value->iType)));
        }
    }
    return text;
}

// A document whose current section already holds a value that a line may name again.
void PrepareDocument(CINIFile& document) {
    int one = 1;
    CINIValue value;
    FUZZ_EXPECT(document.Create() && document.SectionAdd("s"));
    value.Build("dup", INI_TYPE_INTEGER, 1, INI_KIND_DECIMAL, &one);
    FUZZ_EXPECT(document.ValueAdd(&value));
}

SINISourceLine* NewLineRecord() {
    SINISourceLine* opLine = INISourceLineCreate();
    FUZZ_EXPECT(opLine != nullptr);
    opLine->opStream = stdin; // the steps only ask that the record belongs to a load
    return opLine;
}

void CompareLine(const std::string& line) {
    std::string text = line + "\n" + std::string(INI_TEXT_PADDING, '\0');
    CINIFile quick, steps;
    PrepareDocument(quick);
    PrepareDocument(steps);
    SINISourceLine* quickLine = NewLineRecord();
    size_t taken = INISourceTakeCommonLine(quickLine, &quick, &text[0]);
    if (taken != 0) {
        FUZZ_EXPECT(taken == line.size() + 1);
        SINISourceLine* stepLine = NewLineRecord();
        std::memcpy(stepLine->caLine, line.c_str(), line.size() + 1);
        if (stepLine->caLine[0] != '\0')
            INISourceProcess(stepLine, &steps);
        FUZZ_EXPECT(quickLine->iErrorCount == stepLine->iErrorCount);
        FUZZ_EXPECT(Snapshot(quick) == Snapshot(steps));
        INISourceLineDestroy(stepLine);
    }
    INISourceLineDestroy(quickLine);
    quick.Destroy();
    steps.Destroy();
}

// The first lines of the input, each on its own.
void CompareLines(const uint8_t* data, size_t size) {
    const char* next = reinterpret_cast<const char*>(data);
    const char* end = next + size;
    for (int lines = 0; next < end && lines < 16; ++lines) {
        const char* stop = next;
        while (stop < end && *stop != '\r' && *stop != '\n' && *stop != '\xFF')
            ++stop;
        if (stop - next < INI_LINE_CAPACITY)
            CompareLine(std::string(next, stop));
        next = stop + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLibraryDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CINIFile document;
    FUZZ_EXPECT(LoadText(document, data, size)); // faulty lines never fail a load
    CheckDocument(document, true);

    std::vector<ExpectedSection> expected;
    std::string text = WriteDocument(document.Root(), expected);
    CINIFile again;
    FUZZ_EXPECT(LoadText(again, reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    ExpectDocument(again.Root(), expected);
    again.Destroy();

    ExerciseDocument(document, true);
    document.Destroy();
    CompareLines(data, size);
    return 0;
}
