// The binary INI loader on arbitrary bytes: whatever it answers, the document that it leaves keeps every
// invariant of the store and survives the document's own operations; a failed load through CINIFile::Load
// leaves no document at all.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLibraryDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CINIFile document;
    FUZZ_EXPECT(document.Create() == 1);
    FILE* stream = OpenInputStream(data, size);
    FUZZ_EXPECT(stream != nullptr);
    int loaded = INIBinaryLoadData(document.Root(), stream, &document);
    std::fclose(stream);
    FUZZ_EXPECT(loaded == 0 || loaded == 1);
    if (loaded)
        FUZZ_EXPECT(size >= 32);
    CheckDocument(document, false); // a failed load leaves what it added so far, still consistent
    ExerciseDocument(document, false);
    document.Destroy();

    // The same bytes as a file: the load by file name gives the same verdict and drops a failed document.
    std::string path = ScratchPath("input.inb");
    FUZZ_EXPECT(WriteWholeFile(path, data, size));
    CINIFile fromFile;
    FUZZ_EXPECT(fromFile.Load(path.c_str()) == loaded);
    FUZZ_EXPECT((fromFile.Root() != nullptr) == (loaded == 1));
    CheckDocument(fromFile, false);
    fromFile.Destroy();
    return 0;
}
