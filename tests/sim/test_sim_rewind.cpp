// Rewind and journals through the runner. A play rewound from frame K to J and continued with S gives,
// frame by frame and byte for byte, the dump of a straight play of its first J frames and then S, on
// both stages, with the rewind taken back over a rolling statue, a frozen box mid-slide, ice patches
// and flame bursts. A run's saved journal replays to the same dump; damaged journals are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "tests/support/DumpLines.h"
#include "tests/support/Pattern.h"
#include "tests/support/PlaythroughScript.h"
#include "tests/support/Process.h"
#include "tests/support/Ran.h"
#include "tests/support/TestCourtyard.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines Split(const std::string& text) { return DumpLinesWithoutFrames(text); }

// Random held keys, mouse turns and shots, in runs of 5 to 40 frames from frame `from` on.
Lines RandomPlay(unsigned seed, int from, int frames) {
    std::mt19937 random(seed);
    const char* tokens[] = {"W", "A", "S", "D", "SPACE", "LBUTTON", "MOUSE=6,0", "MOUSE=-5,1"};
    Lines out;
    for (int f = from; f < from + frames;) {
        const int length = 5 + static_cast<int>(random() % 36), last = std::min(f + length, from + frames) - 1;
        std::string line = std::to_string(f) + "-" + std::to_string(last);
        for (const char* token : tokens) if (random() % 3 == 0) line += std::string(" ") + token;
        if (line.find(' ') != std::string::npos) out.push_back(line);
        f = last + 1;
    }
    return out;
}

class SimRewind : public ::testing::Test {
protected:
    // The dump of a run of the script (lines, frame numbers stripped).
    Lines Run(const Lines& script, const std::string& options, ProcessResult* result = nullptr) {
        std::ofstream(content.root / "script.txt") << [&] { std::string s; for (auto& l : script) s += l + "\n"; return s; }();
        fs::remove(content.root / "dump.jsonl");
        fs::remove(content.root / "save.dat");
        const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --input " +
                                             (content.root / "script.txt").string() + " --dump " +
                                             (content.root / "dump.jsonl").string() + " " + options);
        if (result) *result = run;
        else EXPECT_EQ(run.status, 0) << run.err;
        return Split(ReadFile((content.root / "dump.jsonl").string()));
    }
    ScratchContent content{"rewind"};
};

// The first frame after `after` where an object of the class moves while `field` matches.
int FirstMoving(const Lines& dump, const std::string& cls, const std::string& field, int after) {
    const Pattern object("\\{\"i\":(\\d+),\"class\":\"" + cls + "\",[^{]*?\"pos\":\\[([^\\]]*)\\][^}]*" + field);
    std::map<std::string, std::string> last;
    for (int f = after; f < static_cast<int>(dump.size()); ++f) {
        for (const PatternMatch& it : object.All(dump[f])) {
            std::string& pos = last[it[1]];
            if (!pos.empty() && pos != it[2]) return f + 1;
            pos = it[2];
        }
    }
    return 0;
}

TEST_F(SimRewind, RewoundPlayIsTheStraightPlayOfTheKeptFrames) {
    struct Case { int stage; const char* script; const char* cls; const char* field; };
    const Case cases[] = {
        {0, "stage1.txt", "CWoodBox", "\"freezeAmount\":[1-9]"},      // frozen box mid-slide in the trench
        {0, "stage1.txt", "Player", "\"groundKind\":3"},              // sliding on ice laid at the gap
        {1, "stage2.txt", "CStoneStatue", "\"chasing\":1"},           // the statue rolling, flames bursting
        {1, "stage2.txt", "CStoneBox", "\"freezeAmount\":[1-9]"},     // frozen stone box mid-slide
    };
    Ran ran;
    std::map<int, Lines> played;  // each stage's straight play, run once for both of its cases
    for (const Case& c : cases) {
        const std::string stage = "--scene 2 --stage " + std::to_string(c.stage);
        if (!played.contains(c.stage)) played[c.stage] = Run(ShiftedScript(c.script, 0), stage + " --frames 2600");
        const int j = FirstMoving(played[c.stage], c.cls, c.field, 60);
        ASSERT_GT(j, 0) << c.script << " " << c.cls;
        const int rewound = 4 + j % 9, k = j + 3 * rewound, s = 150;
        const Lines play = RandomPlay(static_cast<unsigned>(j), k + rewound + 1, s);
        Lines withRewind = ShiftedScript(c.script, 0, k);
        withRewind.push_back(std::to_string(k + 1) + "-" + std::to_string(k + rewound) + " REWIND");
        withRewind.insert(withRewind.end(), play.begin(), play.end());
        Lines straight = ShiftedScript(c.script, 0, j);
        for (const Lines& moved = RandomPlay(static_cast<unsigned>(j), j + 1, s); const auto& l : moved) straight.push_back(l);
        const Lines a = Run(withRewind, stage + " --frames " + std::to_string(k + rewound + s));
        const Lines b = Run(straight, stage + " --frames " + std::to_string(j + s));
        ASSERT_EQ(a.size(), static_cast<size_t>(k + rewound + s));
        ASSERT_EQ(b.size(), static_cast<size_t>(j + s));
        // The last rewound frame shows frame j; every frame after it is the straight play's.
        for (int f = j; f <= j + s; ++f) ASSERT_EQ(a[f + k + rewound - j - 1], b[f - 1]) << c.script << " frame " << f;
        ran();
    }
    EXPECT_RAN(ran, 4);
}

// The stage entered directly (its journal starts before frame 1) and from the hub (inside the frame
// the stage began in): the journal saved at the goal replays to the goal with the run's own dump.
TEST_F(SimRewind, SavedJournalReplaysToTheSameDumpAndDamagedOnesAreRefused) {
    const fs::path replays = content.root / "replays";
    std::string journal;
    Ran replayed;
    for (const bool fromHub : {false, true}) {
        fs::remove_all(replays);
        Lines script = fromHub ? ShiftedScript("hub_to_stage1.txt", 0) : Lines{};
        int entered = 1;
        for (const Lines hub = fromHub ? Run(script, "--frames 600") : Lines{};
             entered <= static_cast<int>(hub.size()) && hub[entered - 1].find("\"scene\":2") == std::string::npos;)
            ++entered;
        for (const std::string& line : ShiftedScript("stage1.txt", entered - 1)) script.push_back(line);
        const Lines played = Run(script, (fromHub ? "" : "--scene 2 --stage 0 ") + std::string("--frames ") +
                                             std::to_string(entered + 2400) + " --replays " + replays.string());
        ASSERT_TRUE(fs::exists(replays)) << "no replay saved at the goal";
        const fs::path saved = fs::directory_iterator(replays)->path();
        EXPECT_TRUE(Pattern(R"(veldorin_\d{4}(-\d\d){2}_\d\d(-\d\d){2}_stage1\.txt)").Whole(saved.filename().string()));
        journal = ReadFile(saved.string());
        EXPECT_NE(journal.find(fromHub ? " start=in " : " start=before "), std::string::npos);
        const Lines again = Run(Split(journal), "");
        ASSERT_GT(again.size(), 1500u);
        EXPECT_NE(again.back().find("\"reached\":1"), std::string::npos) << "the replay did not reach the goal";
        replayed.If(again.back() == played[entered - 1 + again.size() - 1]);
    }
    EXPECT_RAN(replayed, 2);

    const std::string header = journal.substr(0, journal.find('\n'));
    const std::pair<std::string, std::string> damaged[] = {
        {"", "empty"}, {journal.substr(0, journal.size() / 2), "cut short"},
        {header + "\n1-20 W\x01\x02 garbage\n", "unknown token"},
        {Pattern("stage=0").Replace(journal, "stage=7"), "does not have"},
        {Pattern("scene=2").Replace(journal, "scene=9"), "out of range"},
    };
    Ran refused;
    for (const auto& [text, why] : damaged) {
        fs::remove(content.root / "never.jsonl");
        std::ofstream(content.root / "bad.txt", std::ios::binary | std::ios::trunc) << text;
        ProcessResult sim = RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --dump " +
                                       (content.root / "never.jsonl").string() + " --input " + (content.root / "bad.txt").string());
        // No display: the message box cannot wait for a click.
        ProcessResult game = RunProcess("env -u DISPLAY -u WAYLAND_DISPLAY " + std::string(VELDORIN_GAME) + " --replay " +
                                        (content.root / "bad.txt").string());
        EXPECT_EQ(sim.status, text.empty() ? 0 : 2) << why;  // an empty file is an empty script to the runner
        EXPECT_EQ(game.status, 1) << why;
        EXPECT_EQ(fs::exists(content.root / "never.jsonl"), text.empty()) << why;
        EXPECT_NE(game.err.find(why), std::string::npos) << game.err;
        refused.If(sim.err.find(why) != std::string::npos || text.empty());
    }
    EXPECT_RAN(refused, 5);
    std::ofstream(content.root / "bad.txt", std::ios::binary | std::ios::trunc) << journal;
    EXPECT_NE(RunProcess(std::string(VELDORIN_SIM) + content.RootOption() + " --stage 1 --input " +
                         (content.root / "bad.txt").string()).err.find("not the one asked for"), std::string::npos);
}

}  // namespace
