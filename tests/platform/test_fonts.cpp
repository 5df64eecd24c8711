// Which font file text is drawn with: the registered one, found whatever its case, or the system
// font when that is missing or broken, so that text never disappears.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/d3dx/TtfFont.h"
#include "platform/sys/Fonts.h"
#include "tests/support/GraphicsFixture.h"

namespace fs = std::filesystem;

namespace {

class FontFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories("data/font");
        fs::copy_file(TtfFont::kSystemFontFile, "data/font/toroman.ttf");
        // A TrueType tag and nothing after it: registered, but no face opens from it.
        std::ofstream("data/font/broken.ttf", std::ios::binary) << std::string("\0\1\0\0junk", 8);
    }
    testsupport::TempDir dir{"fonts"};
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
