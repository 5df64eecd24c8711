// The headless runner's contract, through its binary.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/Process.h"

namespace {

const std::string kSim = VELDORIN_SIM;

std::string TempPath(const std::string& name) {
    return "/tmp/veldorin_sim_" + std::to_string(::getpid()) + "_" + name;
}

TEST(SimRunner, RunsTheTitleForTheRequestedFrames) {
    const ProcessResult run = RunProcess(kSim + " --frames 120");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=120 scene=1 quit=0");
    EXPECT_NE(run.err.find("message box: [ウインドウモード選択] フルスクリーンで遊びますか？"), std::string::npos)
        << "boxes are printed, never waited for";
}

TEST(SimRunner, DumpsOneObjectPerFrameAndRepeatsItselfExactly) {
    const std::string dump = TempPath("dump.json"), again = TempPath("again.json");
    const ProcessResult run = RunProcess(kSim + " --frames 3 --scene 3 --stage 2 --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=3 scene=3 quit=0");
    // The closing picture's scene counts its frames.
    auto devices = [](int frames) {
        return ",\"camera\":{\"pitch\":0,\"yaw\":0,\"eye\":[0,0,0],\"target\":[0,0,0]},\"mouse\":{\"v\":0,\"h\":0},"
               "\"fade\":{\"mode\":0,\"phase\":0,\"alpha\":0},\"frames\":" +
               std::to_string(frames) + ",\"objects\":[],\"sound\":[]}\n";
    };
    EXPECT_EQ(ReadFile(dump),
              "{\"frame\":1,\"scene\":3,\"stageSelect\":2,\"quit\":0" + devices(1) +
              "{\"frame\":2,\"scene\":3,\"stageSelect\":2,\"quit\":0" + devices(2) +
              "{\"frame\":3,\"scene\":3,\"stageSelect\":2,\"quit\":0" + devices(3));
    ASSERT_EQ(RunProcess(kSim + " --frames 3 --scene 3 --stage 2 --dump " + again).status, 0);
    EXPECT_EQ(ReadFile(dump), ReadFile(again));
    std::remove(dump.c_str());
    std::remove(again.c_str());
}

TEST(SimRunner, BadOptionsAndScriptsAreReportedWithStatusTwo) {
    const std::string script = TempPath("bad.txt");
    std::ofstream(script) << "1-4 W\n# fine so far\n7 PAD_X\n";
    ProcessResult run = RunProcess(kSim + " --input " + script);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(script + ":3: unknown token 'PAD_X'"), std::string::npos) << run.err;
    std::remove(script.c_str());

    for (const char* args : {"--frames abc", "--frames", "--scene 4", "--bogus", "--screenshot 5:x.png",
                                    "--fullscreen maybe", "--screenshot nope --render", "--shots-only", "--input /nonexistent/in.txt",
                                    "--root /nonexistent/root"}) {
        run = RunProcess(kSim + " " + std::string(args));
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("veldorin-sim: "), std::string::npos) << args;
        EXPECT_TRUE(run.out.empty()) << args;
    }
}

TEST(SimRunner, FullScreenAnswerIsTakenFromTheCommandLine) {
    const ProcessResult run = RunProcess(kSim + " --frames 1 --fullscreen yes");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=1 scene=1 quit=0");
}

}  // namespace
