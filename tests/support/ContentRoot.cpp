#include "tests/support/ContentRoot.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

void LinkContentTree(const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    const fs::path from = fs::absolute(VELDORIN_BUILT_GAME_DIR);
    fs::remove_all(to);
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) fs::create_directories(target);
        else fs::create_symlink(entry.path(), target);
    }
}

namespace contentroot {

namespace {

namespace fs = std::filesystem;

struct Tree {
    Tree() : path(fs::temp_directory_path() / ("veldorin_content_" + std::to_string(::getpid()))) {
        Renew(path);
        ::setenv("VELDORIN_ROOT", path.c_str(), 1);
    }
    ~Tree() {
        std::error_code ignored;
        if (::getpid() == owner) fs::remove_all(path, ignored);
    }
    static void Renew(const fs::path& at) {
        LinkContentTree(at);
        fs::remove(at / "save.dat");
    }
    const fs::path path;
    const pid_t owner = ::getpid();
};

Tree& TheTree() {
    static Tree tree;
    return tree;
}

}  // namespace

const char* Root() { return TheTree().path.c_str(); }

void Renew() { Tree::Renew(TheTree().path); }

}  // namespace contentroot
