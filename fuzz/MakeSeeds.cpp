// Writes the binary INI seeds of the fuzz corpora: fuzz_make_seeds <corpus directory>. The text seeds are
// plain files in the corpus directories themselves.
#include <cstdio>
#include <string>

#include "support/BinaryIni.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// A catalogue of two hoops, one with two mounts, in the binary form; its text form reads back the same.
BinaryIni HoopCatalogue() {
    BinaryIni file;
    file.Section("hoops").String("text", "binary catalogue");
    file.Section("hoops.hoop0")
        .String("description", "Oval 140x200")
        .String("shape", "oval")
        .Ints("points", {-700, 0, 0, 1000, 700, 0, 0, -1000});
    file.Section("hoops.hoop0.sewfield").Ints("rect", {-600, 900, 600, -900});
    file.Section("hoops.hoop0.innerdim").Ints("rect", {-700, 1000, 700, -1000});
    file.Section("hoops.hoop0.outerdim").Ints("rect", {-800, 1100, 800, -1100});
    file.Section("hoops.hoop0.mounts.mount0")
        .Ints("id", {1})
        .String("label", "Left")
        .Ints("rotation", {90})
        .Ints("lowhighxy", {-50, 50, -900, 900});
    file.Section("hoops.hoop0.mounts.mount1")
        .Ints("id", {2})
        .String("label", "Right")
        .Ints("rotation", {270})
        .Ints("lowhighxy", {0, 0, -100, 100});
    file.Section("hoops.hoop3").String("description", "Square").Ints("points", {1, 2, 3, 4, 5, 6});
    return file;
}

// Numbers at the ends of the 32-bit range, which the text form cannot always carry back.
BinaryIni Limits() {
    BinaryIni file;
    file.Section("hoops");
    file.Section("hoops.hoop0").Ints("points", {-2147483647 - 1, 2147483647, -999999999, -1000000000});
    file.Section("hoops.hoop0.sewfield").Ints("rect", {-2147483647 - 1, 2147483647, 0, -1});
    file.Section("hoops.hoop0.mounts.mount0").Ints("lowhighxy", {-2147483647 - 1, 0, 0, 2147483647});
    return file;
}

// Every storage type, an element count of 0, a long name and a value of many elements.
BinaryIni EveryType() {
    BinaryIni file;
    file.version = 0;
    file.tag1 = 0x80;
    auto& values = file.Section("values");
    values.Ints("ints", {0, -1, 2147483647});
    values.Chars("chars", "abc");
    values.Reals("reals", {1.5f, -0.25f});
    values.Raw32("raw", {0xDEADBEEF});
    values.String("string", "a, b; c");
    values.Value(1, "none", 0, "");
    auto& more = file.Section(std::string(200, 'n'));
    more.Ints(std::string(130, 'v'), std::vector<int32_t>(300, 7));
    return file;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIRECTORY\n", argv[0]);
        return 2;
    }
    std::string corpus = argv[1];
    std::string binary = corpus + "/fuzz_ini_binary/";
    std::string hoops = corpus + "/fuzz_hoop_roundtrip/";

    BinaryIni empty;
    BinaryIni single;
    single.Section("hoops").Ints("id", {3});
    bool ok = Write(binary + "empty.inb", empty.Bytes()) && Write(binary + "single.inb", single.Bytes()) &&
              Write(binary + "types.inb", EveryType().Bytes()) &&
              Write(binary + "catalogue.inb", HoopCatalogue().Bytes()) &&
              Write(hoops + "catalogue.inb", HoopCatalogue().Bytes()) &&
              Write(hoops + "single.inb", single.Bytes()) && Write(hoops + "limits.inb", Limits().Bytes());
    return ok ? 0 : 1;
}
