#pragma once
// Content trees for runner tests. TestCourtyard: a content tree whose first stage is the test
// courtyard (tests/data/courtyard): the test room holding
// one of each object, for runner tests that need those objects where they stand. The tree links to
// the built content's files and holds its own copies of the two stage files; it is made once per
// process and removed at exit.
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "tests/support/ContentRoot.h"

// A content tree of a test's own, linked to the built files and made in a moment: the test writes its
// stage files, scripts and save into it through Write, which replaces a file's link before writing,
// so the built tree never changes. It starts as a new game (no "save.dat") and is removed at the end
// unless kept (to look at what a failed run left).
class ScratchContent {
public:
    explicit ScratchContent(const std::string& tag)
        : root(std::filesystem::temp_directory_path() / ("veldorin_" + tag + "_" + std::to_string(::getpid()))) {
        LinkContentTree(root);
        std::filesystem::remove(root / "save.dat");
    }
    ScratchContent(const ScratchContent&) = delete;
    ScratchContent& operator=(const ScratchContent&) = delete;
    ~ScratchContent() {
        std::error_code ignored;
        if (!keep) std::filesystem::remove_all(root, ignored);
    }
    // A stream onto the tree's own file at the relative path (never through a link).
    std::ofstream Write(const std::filesystem::path& relative) const {
        std::filesystem::remove(root / relative);
        return std::ofstream(root / relative);
    }
    // " --root DIR", to append to a runner command line.
    std::string RootOption() const { return " --root " + root.string(); }

    const std::filesystem::path root;
    bool keep = false;
};

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
        LinkContentTree(root);
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
