// Which folder the game takes for its content tree, and where it moves when started elsewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/ContentTree.h"
#include "tests/support/GraphicsFixture.h"

namespace fs = std::filesystem;

namespace {

class ContentTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::current_path();
        fs::create_directories(root / "start" / "data" / "txt");
        fs::create_directories(root / "build" / "bin");
        fs::create_directories(root / "build" / "game" / "DATA" / "Txt");
        std::ofstream(root / "build" / "game" / "DATA" / "Txt" / "init.txt") << "\n";
    }
    testsupport::TempDir dir{"tree"};
    fs::path root;
};

// A folder with a bare "data" folder is no content tree: the game moves to the one beside its binary.
// A content tree (its start-up list, in any case) keeps the game where it is.
TEST_F(ContentTreeTest, TheStartUpListMarksTheContentTree) {
    const std::string binary = (root / "build" / "bin" / "veldorin").string();
    const std::string stray = (root / "start" / "veldorin").string();
    const struct {
        fs::path from;
        std::string argv0;
        bool contentBefore;
        fs::path after;
    } cases[] = {
        {root / "start", binary, false, root / "build" / "game"},
        {root / "build" / "game", binary, true, root / "build" / "game"},
        {root / "build" / "game" / "DATA", binary, false, root / "build" / "game"},
        {root / "start", stray, false, root / "start"},
    };
    for (const auto& c : cases) {
        fs::current_path(c.from);
        EXPECT_EQ(InContentTree(), c.contentBefore) << c.from;
        EnterContentTree(c.argv0.c_str());
        EXPECT_EQ(fs::current_path(), c.after) << c.from;
        EXPECT_EQ(InContentTree(), c.after != root / "start") << c.from;
    }
}

}  // namespace
