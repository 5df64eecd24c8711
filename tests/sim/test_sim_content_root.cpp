// A test's own content tree: the runner started without --root plays it (a save there opens its
// doors), and the title's reading and writing of the progress files leaves the built tree alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tests/support/DumpSummary.h"
#include "tests/support/Process.h"

TEST(SimContentRoot, TheTitlePlaysTheTestsOwnTreeAndLeavesTheBuiltOneAlone) {
    namespace fs = std::filesystem;
    const fs::path built = VELDORIN_BUILT_GAME_DIR, own = VELDORIN_GAME_DIR;
    const fs::path builtFallback = built / "Data/txt/Stage.txt";
    const fs::file_time_type stamp = fs::last_write_time(builtFallback);
    const bool builtSave = fs::exists(built / "save.dat");
    std::ofstream(own / "save.dat") << "2\n";
    const std::string dump = (own / "title.jsonl").string();
    const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --frames 3 --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DumpSummary::Read(dump).openDoors, std::set<int>{2}) << "the title read the test's own save";
    EXPECT_EQ(fs::last_write_time(builtFallback), stamp) << "the built stage fallback was rewritten";
    EXPECT_EQ(fs::exists(built / "save.dat"), builtSave);
}
