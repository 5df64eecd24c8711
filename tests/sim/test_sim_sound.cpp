// Sound through the headless runner: the dump's "sound" field follows the game's clock and is the
// same with or without an audio device, and OpenAL Soft's wave writer hears the stage's music and the
// player's footsteps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Levels.h"
#include "tests/support/Process.h"
#include "tests/support/TestCourtyard.h"
#include "tests/support/WaveBytes.h"

namespace {

const std::string kSim = VELDORIN_SIM;
const std::string kGame = VELDORIN_GAME_DIR;

std::string TempPath(const std::string& name) { return "/tmp/veldorin_sim_sound_" + std::to_string(::getpid()) + "_" + name; }

std::string WalkScript() {
    const std::string path = TempPath("walk.txt");
    std::ofstream(path) << "1-120 W\n";
    return path;
}

std::vector<std::string> SoundFields(const std::string& dump) {
    std::vector<std::string> fields;
    std::istringstream in(ReadFile(dump));
    std::string line;
    while (std::getline(in, line)) {
        const size_t at = line.rfind(",\"sound\":");
        fields.push_back(at == std::string::npos ? "" : line.substr(at + 9, line.size() - at - 10));
    }
    return fields;
}

// A content tree whose first stage holds only the room and the player: nothing else makes a sound.
struct QuietStage {
    QuietStage() {
        content.Write("Data/txt/Mapdata1.txt")
            << "Name(Map)\tPos(0,0,0)\tMesh(data/xfile/Map/TestRoom.x)\n"
            << "Name(Player)\tPos(0,0,-6)\tSkinMesh(data/xfile/Player/player.x)\tContainer(1)\n";
    }
    const ScratchContent content{"quiet"};
    const std::filesystem::path& root = content.root;
};

// Runs the first stage for 120 frames with the given driver environment; returns the run.
ProcessResult RunStage(const std::string& environment, const std::string& extra) {
    static const QuietStage stage;
    return RunProcess(environment + " " + kSim + " --root " + stage.root.string() + " --scene 2 --stage 0 --frames 120 " +
                      extra);
}

}  // namespace

TEST(SimSound, TheDumpListsTheMusicAndEachFootstepForItsLength) {
    const std::string dump = TempPath("walk.json");
    const ProcessResult run = RunStage("", "--input " + WalkScript() + " --dump " + dump);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> sound = SoundFields(dump);
    ASSERT_EQ(sound.size(), 120u);
    int footstepFrames = 0, footsteps = 0;
    for (size_t i = 0; i < sound.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i + 1));
        EXPECT_EQ(sound[i].rfind("[{\"slot\":0,\"loop\":1}", 0), 0u) << sound[i];
        const bool step = sound[i].find("{\"slot\":3,\"loop\":0}") != std::string::npos;
        footstepFrames += step;
        if (step && (i == 0 || sound[i - 1].find("\"slot\":3") == std::string::npos)) ++footsteps;
    }
    // The footstep lasts 160 ms: ten frames of 16 ms each time it is played.
    ASSERT_GE(footsteps, 2);
    EXPECT_EQ(footstepFrames, 10 * footsteps);
}

TEST(SimSound, TheDumpIsTheSameWithoutAnAudioDevice) {
    const std::string withDevice = TempPath("null.json"), without = TempPath("none.json");
    const std::string script = WalkScript();
    const ProcessResult a = RunStage("ALSOFT_DRIVERS=null", "--input " + script + " --dump " + withDevice);
    const ProcessResult b = RunStage("ALSOFT_DRIVERS=no-such-driver", "--input " + script + " --dump " + without);
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(ReadFile(withDevice), ReadFile(without));
    // A game without sound says nothing about it.
    EXPECT_EQ(b.err, a.err);
    EXPECT_EQ(b.err.find("ALSA"), std::string::npos) << b.err;
}

// The title's music as OpenAL Soft's wave writer records it: there, and not clipped.
TEST(SimSound, TheTitlePlaysItsMusic) {
    const std::string conf = TempPath("title.conf"), wav = TempPath("title.wav");
    std::ofstream(conf) << "[general]\ndrivers=wave\nfrequency=44100\nchannels=stereo\nsample-type=int16\n[wave]\nfile="
                        << wav << "\n";
    const ProcessResult run =
        RunProcess("ALSOFT_DRIVERS=wave ALSOFT_CONF=" + conf + " " + kSim + " --frames 90 --real-time");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<float> left = ReadChannel(wav, 0);
    std::remove(conf.c_str());
    std::remove(wav.c_str());
    size_t start = 0;
    while (start < left.size() && left[start] == 0.0f) ++start;
    ASSERT_GT(left.size(), start + 22050) << "half a second of music at least";
    EXPECT_GT(Decibels(RmsOf(left, start)), -35.0f);
    EXPECT_LT(PeakOf(left), 0.99f);
}

// Two runs of the stage recorded by OpenAL Soft's wave writer, one walking and one standing. The music
// starts at the same place in both mixes, so lined up on its first sound the standing run cancels the
// music out of the walking one, and what is left is the footsteps.
TEST(SimSound, TheWaveWriterHearsTheMusicAndTheFootsteps) {
    auto record = [](const std::string& name, const std::string& input) {
        const std::string conf = TempPath(name + ".conf"), wav = TempPath(name + ".wav");
        std::ofstream(conf) << "[general]\ndrivers=wave\nfrequency=44100\nchannels=stereo\nsample-type=int16\n"
                               "dither=false\noutput-limiter=false\n[wave]\nfile="
                            << wav << "\n";
        const ProcessResult run = RunStage("ALSOFT_DRIVERS=wave ALSOFT_CONF=" + conf, input + " --real-time");
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<float> left = ReadChannel(wav, 0);
        std::remove(conf.c_str());
        std::remove(wav.c_str());
        return left;
    };
    const std::vector<float> standing = record("standing", ""), walking = record("walking", "--input " + WalkScript());
    ASSERT_GT(standing.size(), 44100u);
    ASSERT_GT(walking.size(), 44100u);

    auto firstSound = [](const std::vector<float>& s) {
        size_t i = 0;
        while (i < s.size() && s[i] == 0.0f) ++i;
        return i;
    };
    const size_t a = firstSound(standing), b = firstSound(walking);
    const size_t length = std::min(standing.size() - a, walking.size() - b);
    ASSERT_GT(length, 44100u);

    // The music: clearly there, never clipped.
    EXPECT_GT(Decibels(RmsOf(standing, a)), -35.0f);
    EXPECT_LT(PeakOf(standing), 0.99f);

    std::vector<float> rest(length);
    for (size_t i = 0; i < length; ++i) rest[i] = walking[b + i] - standing[a + i];
    const std::vector<float> step = ReadChannel(kGame + "/data/sound/se/Footstep.wav", 0);
    ASSERT_FALSE(step.empty());
    // Where the leftover is loudest a footstep begins: it matches the footstep's own wave.
    size_t loudest = 0;
    for (size_t i = 0; i < length; ++i) if (std::fabs(rest[i]) > std::fabs(rest[loudest])) loudest = i;
    ASSERT_GT(PeakOf(rest), 0.0f) << "walking added nothing to the mix";
    size_t onset = loudest > 2000 ? loudest - 2000 : 0;
    while (onset < loudest && rest[onset] == 0.0f) ++onset;
    const size_t n = std::min(step.size(), length - onset);
    double dot = 0, restEnergy = 0, stepEnergy = 0;
    for (size_t k = 0; k < n; ++k) {
        dot += static_cast<double>(rest[onset + k]) * step[k];
        restEnergy += static_cast<double>(rest[onset + k]) * rest[onset + k];
        stepEnergy += static_cast<double>(step[k]) * step[k];
    }
    // (The device's panning of a mono sound shapes it a little; music alone scores about 0.1.)
    EXPECT_GT(dot / std::sqrt(restEnergy * stepEnergy), 0.7) << "the leftover is not the footstep";
    // Audible: the footstep's peak stands well out of the music's level.
    EXPECT_GT(Decibels(PeakOf(rest)), Decibels(RmsOf(standing, a)) + 3.0f);
}
