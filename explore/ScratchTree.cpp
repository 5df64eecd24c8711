#include "explore/ScratchTree.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <string>

#include "loading/SaveData.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kStageFile = "Data/txt/Stage.txt";  // the progress of a game with no save yet

void LinkTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::remove_all(to, ec);
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) fs::create_directories(target);
        else fs::create_symlink(entry.path(), target);
    }
}

}  // namespace

ScratchTree::ScratchTree(const fs::path& source) : from(fs::absolute(source)) {
    static std::atomic<int> count{0};
    root = fs::temp_directory_path() /
           ("veldorin_explore_" + std::to_string(::getpid()) + "_" + std::to_string(count++));
    LinkTree(from, root);
}

ScratchTree::~ScratchTree() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

void ScratchTree::SetProgress(std::optional<int> progress) {
    std::error_code ignored;
    fs::remove(root / kSaveFile, ignored);
    // The game rewrites the no-save file once a save exists: a new game gets the built one back.
    fs::remove(root / kStageFile, ignored);
    fs::create_symlink(from / kStageFile, root / kStageFile, ignored);
    if (progress) std::ofstream(root / kSaveFile) << *progress << "\n";
}

std::optional<int> ScratchTree::Progress() const {
    std::ifstream file(root / kSaveFile);
    int value = 0;
    if (!(file >> value)) return std::nullopt;
    return value;
}
