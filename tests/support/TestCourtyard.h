#pragma once
// A content tree whose first stage is the test courtyard (tests/data/courtyard): the test room holding
// one of each object, for runner tests that need those objects where they stand. The tree links to
// the built content's files and holds its own copies of the two stage files; it is made once per
// process and removed at exit.
#include <filesystem>
#include <string>
#include <unistd.h>

class TestCourtyard {
public:
    static const TestCourtyard& Get() {
        static const TestCourtyard courtyard;
        return courtyard;
    }
    // " --root DIR", to append to a runner command line.
    static std::string RootOption() { return " --root " + Get().root.string(); }

    const std::filesystem::path root;

private:
    TestCourtyard()
        : root(std::filesystem::temp_directory_path() / ("veldorin_courtyard_" + std::to_string(::getpid()))) {
        namespace fs = std::filesystem;
        fs::remove_all(root);
        fs::copy(fs::absolute(VELDORIN_GAME_DIR), root, fs::copy_options::recursive | fs::copy_options::create_symlinks);
        const fs::path source = fs::path(VELDORIN_SOURCE_DIR) / "tests/data/courtyard";
        for (const char* name : {"Mapdata1.txt", "Map1.txt"}) {
            // The link goes first: writing through it would change the built tree.
            fs::remove(root / "Data/txt" / name);
            fs::copy_file(source / name, root / "Data/txt" / name);
        }
    }
    ~TestCourtyard() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};
