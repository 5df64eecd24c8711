// The game scene through the headless runner: the stage's objects in the dump, stages without a
// placement file, Esc back to the title, and the fade's values in every frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/DumpLines.h"
#include "tests/support/Pattern.h"
#include "tests/support/Process.h"

namespace {

const std::string kSim = VELDORIN_SIM;

std::string TempPath(const std::string& name) {
    return "/tmp/veldorin_sim_game_" + std::to_string(::getpid()) + "_" + name;
}

struct DumpedObject {
    std::string className;
    int kind = 0;
    float pos[3] = {0, 0, 0};
};

struct DumpedFrame {
    int frame = 0;
    int scene = 0;
    int quit = 0;
    std::string fade;
    std::vector<DumpedObject> objects;
};

std::vector<DumpedFrame> ReadDump(const std::string& path) {
    std::vector<DumpedFrame> frames;
    std::istringstream in(ReadFile(path));
    const Pattern object(R"re(\{"i":\d+,"class":"([^"]*)","kind":(-?\d+),"pos":\[([^,\]]*),([^,\]]*),([^,\]]*)\])re");
    const Pattern fade(R"re("fade":(\{[^}]*\}))re");
    std::string line;
    while (std::getline(in, line)) {
        DumpedFrame f;
        f.frame = DumpInt(line, "frame");
        f.scene = DumpInt(line, "scene");
        f.quit = DumpInt(line, "quit");
        if (const PatternMatch m = fade.Search(line)) f.fade = m[1];
        const size_t list = line.find("\"objects\":[");
        EXPECT_NE(list, std::string::npos) << line;
        if (list != std::string::npos) {
            const std::string rest = line.substr(list);
            for (const PatternMatch& it : object.All(rest)) {
                DumpedObject o;
                o.className = it[1];
                o.kind = std::stoi(it[2]);
                for (int k = 0; k < 3; ++k) o.pos[k] = std::strtof(it[3 + k].c_str(), nullptr);
                f.objects.push_back(o);
            }
        }
        frames.push_back(f);
    }
    return frames;
}

// The Map and CSimpleObject lines of the stage file as the dump should list them: class and "Pos".
std::vector<DumpedObject> PlacedScenery(const std::string& path) {
    std::vector<DumpedObject> expected;
    std::ifstream in(path);
    std::string line;
    const Pattern name(R"(^Name\(([^)\t]*)\))"), pos(R"(\tPos\(([^,)]*),([^,)]*),([^,)]*)\))");
    while (std::getline(in, line)) {
        PatternMatch m = name.Search(line);
        if (!m) continue;
        DumpedObject o;
        o.className = m[1];
        if (o.className != "Map" && o.className != "CSimpleObject") continue;
        o.kind = o.className == "Map" ? 1 : 4;
        if ((m = pos.Search(line))) {
            for (int k = 0; k < 3; ++k) o.pos[k] = std::strtof(m[1 + k].c_str(), nullptr);
        }
        expected.push_back(o);
    }
    return expected;
}

std::vector<DumpedObject> OnlyScenery(const std::vector<DumpedObject>& objects) {
    std::vector<DumpedObject> kept;
    for (const DumpedObject& o : objects) {
        if (o.className == "Map" || o.className == "CSimpleObject") kept.push_back(o);
    }
    return kept;
}

const char* kIdleFade = R"({"mode":0,"phase":0,"alpha":0})";

}  // namespace

TEST(SimGameScene, TestStageListsItsObjectsInFileOrderMapFirst) {
    const std::string dump = TempPath("stage0.json");
    const ProcessResult run = RunProcess(kSim + " --scene 2 --stage 0 --frames 3 --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=3 scene=2 quit=0");
    const std::vector<DumpedFrame> frames = ReadDump(dump);
    std::remove(dump.c_str());
    ASSERT_EQ(frames.size(), 3u);

    const std::vector<DumpedObject> expected = PlacedScenery(std::string(VELDORIN_GAME_DIR) + "/Data/txt/Mapdata1.txt");
    ASSERT_GE(expected.size(), 4u) << "the test stage has a map and several pieces of scenery";
    ASSERT_EQ(expected[0].className, "Map");
    for (const DumpedFrame& f : frames) {
        EXPECT_EQ(f.scene, 2);
        ASSERT_FALSE(f.objects.empty());
        EXPECT_EQ(f.objects[0].className, "Map") << "frame " << f.frame;
        EXPECT_EQ(f.objects[0].kind, 1);
        const std::vector<DumpedObject> scenery = OnlyScenery(f.objects);
        ASSERT_EQ(scenery.size(), expected.size()) << "frame " << f.frame;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(scenery[i].className, expected[i].className) << "object " << i;
            EXPECT_EQ(scenery[i].kind, expected[i].kind) << "object " << i;
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(scenery[i].pos[k], expected[i].pos[k], 1e-5f) << "object " << i << " axis " << k;
            }
        }
        EXPECT_EQ(f.fade, kIdleFade) << "frame " << f.frame;
    }
}

TEST(SimGameScene, DumpedObjectsCarryTheirSharedFields) {
    const std::string dump = TempPath("fields.json");
    const ProcessResult run = RunProcess(kSim + " --scene 2 --stage 0 --frames 1 --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = ReadFile(dump);
    std::remove(dump.c_str());
    EXPECT_NE(text.find(R"("objects":[{"i":0,"class":"Map","kind":1,"pos":[0,0,0],"state":0,"dead":0,"fallSpeed":0,"groundKind":-1})"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(R"({"i":1,"class":")"), std::string::npos);
}

TEST(SimGameScene, StagesWithoutAPlacementFileStartEmptyAndRun) {
    for (const char* stage : {"2", "7", "-1"}) {
        const std::string dump = TempPath(std::string("stage") + stage + ".json");
        const ProcessResult run = RunProcess(kSim + " --scene 2 --stage " + stage + " --frames 3 --dump " + dump);
        ASSERT_EQ(run.status, 0) << "stage " << stage << ": " << run.err;
        EXPECT_EQ(run.LastLine(), "sim: frames=3 scene=2 quit=0") << "stage " << stage;
        const std::vector<DumpedFrame> frames = ReadDump(dump);
        std::remove(dump.c_str());
        ASSERT_EQ(frames.size(), 3u);
        for (const DumpedFrame& f : frames) {
            EXPECT_EQ(f.scene, 2);
            EXPECT_TRUE(f.objects.empty()) << "stage " << stage << " frame " << f.frame;
            EXPECT_EQ(f.fade, kIdleFade);
        }
    }
}

TEST(SimGameScene, HeldEscGoesBackToTheTitleOnceAndTheStageIsCleared) {
    const std::string script = TempPath("esc.txt"), dump = TempPath("esc.json");
    std::ofstream(script) << "5-12 ESC\n";
    const ProcessResult run =
        RunProcess(kSim + " --scene 2 --stage 0 --frames 20 --input " + script + " --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=20 scene=1 quit=0");
    const std::vector<DumpedFrame> frames = ReadDump(dump);
    std::remove(script.c_str());
    std::remove(dump.c_str());
    ASSERT_EQ(frames.size(), 20u);
    for (const DumpedFrame& f : frames) {
        // The press is acted on in frame 5; the change happens at the start of frame 6.
        const bool inGame = f.frame <= 5;
        EXPECT_EQ(f.scene, inGame ? 2 : 1) << "frame " << f.frame;
        EXPECT_EQ(f.quit, 0) << "frame " << f.frame;
        if (inGame) {
            EXPECT_FALSE(f.objects.empty()) << "frame " << f.frame;
        } else {
            // The title's hub replaced the stage: none of the stage's boxes is left.
            for (const DumpedObject& o : f.objects)
                EXPECT_NE(o.className, "CWoodBox") << "the game scene's Finalize deleted the stage; frame " << f.frame;
            EXPECT_FALSE(f.objects.empty()) << "the hub, frame " << f.frame;
        }
        EXPECT_EQ(f.fade, kIdleFade) << "frame " << f.frame;
    }
}
