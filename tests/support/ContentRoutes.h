#pragma once
// Every file of the built content tree that the game reads, each with a walk from the title that
// reaches where the game reads it: the first stage (a new game), the second (progress 2) or the
// closing picture (progress 3). The walks are the playthrough scripts; the list is taken from the
// built tree when asked, so new content is covered as it comes.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "loading/SaveData.h"
#include "scenes/GameScene.h"
#include "tests/support/Process.h"

struct ContentRoute {
    const char* name;
    const char* save;    // the "save.dat" the walk starts from; null: none (a new game)
    const char* script;  // under tests/sim/playthrough
    int progress;        // the progress that opens the door it walks through
    int scene, stage;    // where it ends (stage -1: any)
};

inline const ContentRoute kFirstStageRoute{"stage1", nullptr, "hub_to_stage1.txt", 1, 2, 0};
inline const ContentRoute kSecondStageRoute{"stage2", "2\n", "hub_to_stage2.txt", 2, 2, 1};
inline const ContentRoute kClosingRoute{"closing", "3\n", "hub_to_closing.txt", 3, 3, -1};

struct ContentFile {
    std::string path;  // relative to the content tree, as on disk
    const ContentRoute* route;
};

namespace contentroutes {

namespace fs = std::filesystem;

inline std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The quoted strings of a text, one a line: all that a mesh names (its textures) without the bulk of
// its numbers, which every test process would otherwise read through at start-up.
inline std::string Quoted(const std::string& text) {
    std::string out;
    for (size_t open = text.find('"'); open != std::string::npos; open = text.find('"', open + 1)) {
        const size_t close = text.find('"', open + 1);
        if (close == std::string::npos) break;
        out.append(text, open + 1, close - open - 1).push_back('\n');
        open = close;
    }
    return out;
}

// The text of the files, lower case, followed by the names in every mesh of the tree the files name
// (the meshes name their textures); `names` keeps each mesh's names, read once for every call.
inline std::string NamedIn(const fs::path& root, const std::vector<fs::path>& files,
                           const std::vector<fs::path>& meshes, std::map<fs::path, std::string>& names) {
    std::string text;
    for (const fs::path& file : files) text += Lower(ReadFile((root / file).string()));
    const std::string lists = text;
    for (const fs::path& mesh : meshes) {
        if (lists.find(Lower(mesh.filename().string())) == std::string::npos) continue;
        auto [entry, added] = names.try_emplace(mesh);
        if (added) entry->second = Lower(Quoted(ReadFile((root / mesh).string())));
        text += entry->second;
    }
    return text;
}

}  // namespace contentroutes

// The game's own kinds of file (lists and placement files, images, meshes, sounds, effects, the font)
// in the built tree, in path order, and last the save, which the tree does not hold.
// A file that only the second stage's list, placement file or meshes name is read on the way into that
// stage; an image that nothing names is the closing picture's or the title's; everything else is read
// at start-up, on the title or in any stage: on the way into the first.
inline std::vector<ContentFile> GameContentFiles() {
    namespace fs = std::filesystem;
    using contentroutes::Lower;
    const fs::path root = VELDORIN_BUILT_GAME_DIR;
    const std::set<std::string> kinds = {".txt", ".png", ".bmp", ".x", ".wav", ".fx", ".ttf"};
    std::vector<fs::path> files, meshes, secondStageLists, otherLists;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const fs::path path = fs::relative(entry.path(), root);
        if (!entry.is_regular_file() || !kinds.count(Lower(path.extension().string()))) continue;
        files.push_back(path);
        if (Lower(path.extension().string()) == ".x") meshes.push_back(path);
    }
    std::sort(files.begin(), files.end());
    const std::set<fs::path> secondStage = {GameScene::MapList(1), GameScene::Placement(1)};
    for (const fs::path& file : files) {
        if (secondStage.count(file)) secondStageLists.push_back(file);
        else if (file.parent_path() == secondStage.begin()->parent_path()) otherLists.push_back(file);
    }
    std::map<fs::path, std::string> names;
    const std::string second = contentroutes::NamedIn(root, secondStageLists, meshes, names);
    const std::string other = contentroutes::NamedIn(root, otherLists, meshes, names);

    std::vector<ContentFile> out;
    for (const fs::path& file : files) {
        const std::string name = Lower(file.filename().string());
        const bool inSecond = second.find(name) != std::string::npos, inOther = other.find(name) != std::string::npos;
        const bool image = name.ends_with(".png") || name.ends_with(".bmp");
        const ContentRoute* route = &kFirstStageRoute;
        if (secondStage.count(file) || (inSecond && !inOther)) route = &kSecondStageRoute;
        else if (image && !inSecond && !inOther) route = &kClosingRoute;
        out.push_back({file.string(), route});
    }
    out.push_back({kSaveFile, &kClosingRoute});
    return out;
}
