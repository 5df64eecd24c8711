// The player, its ice patches and the launcher in the runner's dump (on the test courtyard), and
// the runs staying
// deterministic with the mist clouds' random drift in them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"

namespace {

std::string Temp(const std::string& name) { return "/tmp/veldorin_player_dump_" + std::to_string(::getpid()) + name; }

std::string LastLine(const std::string& text) {
    const size_t end = text.find_last_not_of('\n');
    const size_t start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

TEST(SimPlayerDump, TheDumpCarriesThePlayersPatchesAndLaunchersOwnValuesAndRunsRepeatExactly) {
    const std::string script = Temp("input.txt");
    std::ofstream(script) << "# raise the gun and hold it: ready on frame 26, first shot on frame 43\n1-60 LBUTTON\n";
    std::string dumps[2];
    for (int run = 0; run < 2; ++run) {
        const std::string dump = Temp("dump" + std::to_string(run) + ".jsonl");
        const ProcessResult result = RunProcess(std::string(VELDORIN_SIM) + TestCourtyard::RootOption() +
                                                " --scene 2 --stage 0 --frames 60 --input " +
                                                script + " --dump " + dump);
        ASSERT_EQ(result.status, 0) << result.err;
        dumps[run] = ReadFile(dump);
        std::remove(dump.c_str());
    }
    std::remove(script.c_str());
    EXPECT_EQ(dumps[0], dumps[1]);

    const std::string last = LastLine(dumps[0]);
    const std::string number = R"(-?[0-9.e+-]+)";
    const Pattern player("\"class\":\"Player\",\"kind\":0,[^}]*\"state\":10,[^}]*\"inAir\":0,\"aim\":1,\"markerShown\":0,"
                            "\"pushReady\":0,\"moveSpeed\":" + number + ",\"yaw\":0,\"anim\":10,\"containers\":2\\}");
    EXPECT_TRUE(player.Search(last)) << last;
    const Pattern patch("\"class\":\"ColdObject\",\"kind\":3,[^}]*\"size\":(" + number + "),\"age\":(\\d+),\"alpha\":1\\}");
    const PatternMatch m = patch.Search(last);
    ASSERT_TRUE(m) << last;
    EXPECT_EQ(std::stoi(m[2]), 8) << "hit again on frame 53";
    const Pattern launcher("\"class\":\"CLauncher\",\"kind\":12,[^}]*\"elapsed\":0,\"on\":0\\}");
    EXPECT_TRUE(launcher.Search(last)) << last;
}

}  // namespace
