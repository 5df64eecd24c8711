// Every file the game reads, damaged four ways in a scratch tree (missing, empty, cut in half, random
// bytes of its length), under 600 frames of a walk from the title to where the game reads it. Each run
// must end normally within its time, with no sanitizer report, and the game must fail as it should:
// a damaged placement file places nothing (cut in half: fewer objects), a damaged progress file means
// a new game, and anything else leaves the rest of the game as it was: every scene places all of its
// objects, the title shows the progress of the save and the walk arrives.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <future>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "scenes/TitleScene.h"
#include "tests/support/ContentRoutes.h"
#include "tests/support/DumpSummary.h"
#include "tests/support/Process.h"
#include "tests/support/Ran.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 600;
// Far beyond a run's time even under the sanitizers with every core busy: only a hang gets there.
constexpr const char* kTimeoutSeconds = "300";

enum class Damage { Missing, Empty, Truncated, Garbage };
constexpr Damage kDamages[] = {Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage};

const char* Name(Damage damage) {
    static const char* const names[] = {"missing", "empty", "truncated", "garbage"};
    return names[static_cast<int>(damage)];
}

// The same bytes for the same file every run. The first is one that begins no text, so that a number
// file cannot read as a number by chance.
std::string Garbage(const std::string& path, size_t size) {
    uint32_t seed = 2166136261u;
    for (char c : path) seed = (seed ^ static_cast<uint8_t>(c)) * 16777619u;
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    if (size) bytes[0] = '\xFF';
    return bytes;
}

void Break(const ScratchContent& tree, const std::string& path, Damage damage) {
    const std::string intact = ReadFile((tree.root / path).string());
    fs::remove(tree.root / path);
    if (damage == Damage::Missing) return;
    std::ofstream file = tree.Write(path);
    if (damage == Damage::Truncated) file << intact.substr(0, intact.size() / 2);
    if (damage == Damage::Garbage) file << Garbage(path, intact.size());
}

struct DamagedRun {
    ProcessResult process;
    DumpSummary dump;
};

DamagedRun Play(const ContentFile& file, Damage damage, const std::string& save = "") {
    const ContentRoute& route = *file.route;
    static std::atomic<int> runs{0};
    ScratchContent tree("malformed_" + std::to_string(++runs));
    if (route.save) tree.Write(kSaveFile) << route.save;
    Break(tree, file.path, damage);
    if (!save.empty()) tree.Write(kSaveFile) << save;
    const fs::path script = fs::path(VELDORIN_SOURCE_DIR) / "tests/sim/playthrough" / route.script;
    const std::string dump = (tree.root / "damaged.jsonl").string();
    DamagedRun run;
    run.process = RunProcess(std::string("timeout -k 5 ") + kTimeoutSeconds + " " + VELDORIN_SIM + tree.RootOption() +
                                 " --frames " + std::to_string(kFrames) + " --input " + script.string() + " --dump " + dump,
                             (tree.root / "stderr.txt").string());
    run.dump = DumpSummary::Read(dump);
    return run;
}

// The objects a placement file of the built tree places: one a record.
int Records(const std::string& placement) {
    std::istringstream in(ReadFile((fs::path(VELDORIN_GAME_DIR) / placement).string()));
    int records = 0;
    for (std::string line; std::getline(in, line);) records += line.starts_with("Name(") ? 1 : 0;
    return records;
}

std::string PlacementOf(const SceneVisit& visit) {
    if (visit.scene == SCENE_TITLE) return TitleScene::kPlacement;
    if (visit.scene == SCENE_GAME) return GameScene::Placement(visit.stage);
    return "";
}

void ExpectEndedNormally(const DamagedRun& run) {
    EXPECT_NE(run.process.status, 124) << "the run hung";
    EXPECT_EQ(run.process.status, 0) << run.process.err;
    EXPECT_TRUE(run.process.LastLine().starts_with("sim: frames=" + std::to_string(kFrames) + " "))
        << run.process.out << run.process.err;
    EXPECT_EQ(run.dump.frames, kFrames);
    for (const char* report : {"Sanitizer", "runtime error"})
        EXPECT_EQ(run.process.err.find(report), std::string::npos) << run.process.err;
}

// Without its shadow-map effect the game shows why and ends before its first frame, as designed; an
// effect cut in half may still compile, and then the game plays on.
constexpr const char* kShadowEffect = "Shader/ShadowMap.fx";
constexpr const char* kShadowEffectCaption = "シャドウマップのエフェクトファイルが読み込めていません";

bool EndedForTheShadowEffect(const ContentFile& file, Damage damage, const DamagedRun& run) {
    if (file.path != kShadowEffect) return false;
    const bool told = run.process.err.find(kShadowEffectCaption) != std::string::npos;
    if (damage != Damage::Truncated) {
        EXPECT_TRUE(told) << run.process.err;
    }
    if (!told) return false;
    EXPECT_EQ(run.process.status, 0) << run.process.err;
    EXPECT_TRUE(run.process.LastLine().starts_with("sim: frames=0 ")) << run.process.out;
    EXPECT_NE(run.process.LastLine().find(" quit=1"), std::string::npos) << run.process.out;
    for (const char* report : {"Sanitizer", "runtime error"})
        EXPECT_EQ(run.process.err.find(report), std::string::npos) << run.process.err;
    return true;
}

void ExpectFailedAsItShould(const ContentFile& file, Damage damage, const DamagedRun& run) {
    if (EndedForTheShadowEffect(file, damage, run)) return;
    ExpectEndedNormally(run);
    const ContentRoute& route = *file.route;
    // Cut in half, a progress file ("N" and a line end) keeps its number.
    const bool progressFile = file.path == kSaveFile || file.path == kStageFallbackFile;
    const int progress = progressFile && damage != Damage::Truncated ? 1 : route.progress;
    EXPECT_EQ(run.dump.openDoors, std::set<int>{progress}) << "the progress the title showed";
    Ran placed;
    for (const SceneVisit& visit : run.dump.visits) {
        const std::string placement = PlacementOf(visit);
        if (!placed.If(!placement.empty())) continue;
        const int intact = Records(placement);
        if (placement != file.path) {
            EXPECT_EQ(visit.objects, intact) << placement << " on frame " << visit.frame;
        } else if (damage == Damage::Truncated) {
            EXPECT_LT(visit.objects, intact) << placement;
        } else {
            EXPECT_EQ(visit.objects, 0) << placement;
        }
    }
    EXPECT_RAN(placed) << "no scene with a placement file was dumped";
    // A damaged hub may hide its doors; a lost save keeps the walk's door shut.
    if (file.path != TitleScene::kPlacement && progress >= route.progress) {
        EXPECT_NE(run.dump.Find(route.scene, route.stage), nullptr) << "the walk never arrived";
    }
}

// One test for each file, registered from the built tree's own list (see GameContentFiles): its four
// damages run at once, each in a tree of its own.
class SimMalformedContent : public ::testing::Test {
public:
    explicit SimMalformedContent(ContentFile file) : file(std::move(file)) {}
    void TestBody() override {
        std::vector<std::future<DamagedRun>> runs;
        for (Damage damage : kDamages) runs.push_back(std::async(std::launch::async, Play, file, damage, ""));
        for (size_t i = 0; i < runs.size(); ++i) {
            SCOPED_TRACE(file.path + " " + Name(kDamages[i]) + " on the way to " + file.route->name);
            ExpectFailedAsItShould(file, kDamages[i], runs[i].get());
        }
    }

private:
    const ContentFile file;
};

// Under the sanitizers a run takes ten times as long: there the files are the first of each kind on
// each route, with every placement and progress file (whose failures differ from the rest).
std::vector<ContentFile> FilesToDamage() {
    std::vector<ContentFile> files = GameContentFiles();
#if defined(VELDORIN_ASAN)
    std::set<std::pair<std::string, const ContentRoute*>> kinds;
    std::erase_if(files, [&](const ContentFile& file) {
        const std::string kind = fs::path(file.path).extension().string();
        if (kinds.insert({kind, file.route}).second) return false;
        // Placement files are text files of records.
        return file.path != kSaveFile && file.path != kStageFallbackFile && !(kind == ".txt" && Records(file.path) > 0);
    });
#endif
    return files;
}

const bool registered = [] {
    for (const ContentFile& file : FilesToDamage()) {
        std::string name = file.path;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        ::testing::RegisterTest("SimMalformedContent", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                                [file]() -> ::testing::Test* { return new SimMalformedContent(file); });
    }
    return true;
}();

// A save of no progress or less would open no door of the hub: it is a new game's, and the first door
// leads into the first stage.
TEST(SimMalformedSave, ProgressBelowANewGamesOpensTheFirstDoor) {
    const ContentFile save{kSaveFile, &kFirstStageRoute};
    std::vector<std::future<DamagedRun>> runs;
    for (const char* text : {"0\n", "-7\n"})
        runs.push_back(std::async(std::launch::async, Play, save, Damage::Missing, std::string(text)));
    for (std::future<DamagedRun>& run : runs) ExpectFailedAsItShould(save, Damage::Missing, run.get());
}

}  // namespace
