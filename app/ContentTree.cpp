#include "app/ContentTree.h"

#include <filesystem>

#include "platform/sys/Paths.h"

namespace {

constexpr const char* kStartUpList = "Data/txt/Init.txt";

bool HoldsStartUpList(const std::filesystem::path& folder) {
    std::error_code error;
    const std::string written = folder.empty() ? kStartUpList : (folder / kStartUpList).string();
    return std::filesystem::is_regular_file(platform::ResolvePath(written), error);
}

}  // namespace

bool InContentTree() { return HoldsStartUpList({}); }

void EnterContentTree(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (InContentTree() || !argv0) return;
    const fs::path binary = fs::weakly_canonical(fs::path(argv0), error);
    if (error) return;
    const fs::path folder = binary.parent_path();
    const fs::path built = folder.parent_path() / "game";
    const fs::path installed = folder.parent_path().parent_path() / "share" / "veldorin";
    for (const fs::path& content : {built, installed}) {
        if (HoldsStartUpList(content)) {
            fs::current_path(content, error);
            return;
        }
    }
}
