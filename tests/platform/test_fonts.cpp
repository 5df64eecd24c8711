// Which font file text is drawn with: the registered one, found whatever its case, or the system
// font when that is missing or broken, so that text never disappears.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/d3dx/TtfFont.h"
#include "platform/sys/Fonts.h"

namespace fs = std::filesystem;

namespace {

class FontFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("veldorin_fonts_" + std::to_string(::getpid()));
        fs::create_directories(root / "data" / "font");
        fs::copy_file(TtfFont::kSystemFontFile, root / "data" / "font" / "toroman.ttf");
        // A TrueType tag and nothing after it: registered, but no face opens from it.
        std::ofstream(root / "data" / "font" / "broken.ttf", std::ios::binary) << std::string("\0\1\0\0junk", 8);
        previous = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    fs::path root, previous;
};

TEST_F(FontFileTest, RegisteredFontsResolveAndBrokenOnesFallBackToTheSystemFont) {
    const std::string system = TtfFont::kSystemFontFile;
    const struct {
        const char* registered;
        int added;
        std::string onDisk;
        std::string drawnWith;
    } cases[] = {
        {"DATA\\Font\\TOROMAN.ttf", 1, "data/font/toroman.ttf", "data/font/toroman.ttf"},
        {"data/font/broken.ttf", 1, "data/font/broken.ttf", system},
        {"data/font/missing.ttf", 0, "", system},
        {"data/font", 0, "", system},
    };
    for (const auto& c : cases) {
        const std::string before = platform::PrivateFontPath();
        EXPECT_EQ(AddFontResourceExA(c.registered, FR_PRIVATE, nullptr), c.added) << c.registered;
        const std::string registered = c.added ? platform::PrivateFontPath() : "";
        EXPECT_EQ(registered, c.onDisk) << c.registered;
        if (!c.added) {
            EXPECT_EQ(platform::PrivateFontPath(), before) << "a failed registration changes nothing";
        }
        EXPECT_EQ(TtfFont::FaceFile(c.added ? registered : c.registered), c.drawnWith) << c.registered;
    }
    EXPECT_EQ(TtfFont::FaceFile(""), system) << "no font registered at all";
}

}  // namespace
