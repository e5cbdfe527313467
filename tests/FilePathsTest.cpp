// Paths as hosts write them: UTF-8 names beyond ASCII through the modern interface (on Windows they reach the
// wide file functions, so the file carries the name's own characters), and a saved file replaced in place.
#include <gtest/gtest.h>

#include <brevant/catalogue.hpp>

#include <filesystem>
#include <iterator>
#include <string>

#include "support/Captured.h"

namespace {

brevant::Catalogue OneHoop(const std::string& description) {
    brevant::Hoop hoop;
    hoop.description = description;
    hoop.shape = "round";
    return brevant::Catalogue({hoop});
}

TEST(FilePaths, UnicodeNamesSaveLoadAndReplaceUnderTheirOwnCharacters) {
    // Latin with diacritics, Greek, Japanese and a character beyond the 16-bit range (a UTF-16 pair).
    const char* names[] = {"Stickrahmen \xC3\xA4\xC3\xB6\xC3\xBC.ini",
                           "\xCE\xB3\xCF\x8D\xCF\x81\xCE\xBF\xCF\x82.ini", "\xE5\x88\xBA\xE7\xB9\x8D.ini",
                           "hoop \xF0\x9F\xA7\xB5.ini"};
    TempDir dir;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::string path = dir.Path(name);
        OneHoop("first").save(path);
        OneHoop("second").save(path); // replaces the file it made
        // The name on disk, read back through the system's own Unicode path type.
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::u8path(path)));
        brevant::Catalogue loaded = brevant::Catalogue::load(path);
        ASSERT_EQ(loaded.hoops.size(), 1u);
        EXPECT_EQ(loaded.hoops[0].description, "second");
    }
    // One file per name, and no temporary file left beside them.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(dir.Path(""))))
        files += entry.is_regular_file();
    EXPECT_EQ(files, std::size(names));
}

} // namespace
