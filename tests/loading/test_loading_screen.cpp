// The loading screen's pictures, read back from the headless device's record of sprite and font calls.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "graphics/TextureManager.h"
#include "loading/LoadProgress.h"
#include "loading/LoadingScreen.h"
#include "loading/ResourceLoader.h"
#include "platform/image/PngWriter.h"
#include "platform/sys/Clock.h"
#include "sim/LoadLockstep.h"
#include "../support/GraphicsFixture.h"
#include "../support/Ran.h"

namespace {

float FloatOf(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// One sprite draw: its source rectangle and the transform in force.
struct Piece {
    int left, top, right, bottom;
    float scaleX, scaleY, x, y;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& p) {
    return out << "(" << p.left << "," << p.top << "," << p.right << "," << p.bottom << ") scale " << p.scaleX << "x"
               << p.scaleY << " at " << p.x << "," << p.y;
}

std::vector<Piece> Pieces(const std::vector<DeviceCall>& calls) {
    std::vector<Piece> pieces;
    Piece current{};
    for (const DeviceCall& call : calls) {
        if (call.name == "Sprite.SetTransform") {
            current.scaleX = FloatOf(call.args[0]);
            current.scaleY = FloatOf(call.args[1]);
            current.x = FloatOf(call.args[2]);
            current.y = FloatOf(call.args[3]);
        } else if (call.name == "Sprite.Draw") {
            current.left = static_cast<int>(call.args[0]);
            current.top = static_cast<int>(call.args[1]);
            current.right = static_cast<int>(call.args[2]);
            current.bottom = static_cast<int>(call.args[3]);
            EXPECT_EQ(call.args[4], 0xFFFFFFFFu);
            pieces.push_back(current);
        }
    }
    return pieces;
}

std::vector<std::string> Texts(const std::vector<DeviceCall>& calls) {
    std::vector<std::string> texts;
    for (const DeviceCall& call : calls) {
        if (call.name.rfind("Font.DrawText:", 0) == 0) texts.push_back(call.name.substr(14));
    }
    return texts;
}

class LoadingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartGraphics(true));
        // Each test reads the sheets of its own folder, not what an earlier test left cached.
        TextureManager::GetInstance().ReleaseAll();
        std::filesystem::create_directories("data/Texture/Load");
        ASSERT_TRUE(platform::WritePng(LoadingScreen::kFillSheet, std::vector<uint8_t>(60 * 42 * 4, 255), 60, 42));
        ASSERT_TRUE(platform::WritePng(LoadingScreen::kEmptySheet, std::vector<uint8_t>(60 * 42 * 4, 90), 60, 42));
        testsupport::Headless()->StartRecording();
    }
    std::vector<Piece> DrawnPieces(unsigned percent) {
        LoadingScreen screen;
        testsupport::Headless()->ClearCalls();
        screen.DrawFrame(percent, 1);
        return Pieces(testsupport::Headless()->Calls());
    }
    testsupport::TempDir dir{"loadscreen"};
};

const Piece kEmptyLeft{0, 0, 20, 42, 1, 0.75f, 480, 550};
const Piece kEmptyMiddle{20, 0, 21, 42, 260, 0.75f, 500, 550};
const Piece kEmptyRight{40, 0, 60, 42, 1, 0.75f, 760, 550};

}  // namespace

TEST_F(LoadingScreenTest, BarAtSevenPercentFillsTheCapAndOneMiddlePixel) {
    const std::vector<Piece> expected{kEmptyLeft, kEmptyMiddle, kEmptyRight, Piece{0, 0, 20, 42, 1, 0.75f, 480, 550},
                                      Piece{20, 0, 21, 42, 1, 0.75f, 500, 550}};
    EXPECT_EQ(DrawnPieces(7), expected);
}

TEST_F(LoadingScreenTest, BarAtEightySevenPercentCompletesTheMiddleAndStartsTheRight) {
    const std::vector<Piece> expected{kEmptyLeft, kEmptyMiddle, kEmptyRight, Piece{0, 0, 20, 42, 1, 0.75f, 480, 550},
                                      Piece{20, 0, 21, 42, 260, 0.75f, 500, 550},
                                      Piece{40, 0, 41, 42, 1, 0.75f, 760, 550}};
    EXPECT_EQ(DrawnPieces(87), expected);
}

TEST_F(LoadingScreenTest, BarEndsAndStart) {
    const std::vector<Piece> atFive{kEmptyLeft, kEmptyMiddle, kEmptyRight, Piece{0, 0, 15, 42, 1, 0.75f, 480, 550}};
    EXPECT_EQ(DrawnPieces(5), atFive);
    // Full: the right piece is the whole cap and never reads past the 60-pixel sheet.
    const std::vector<Piece> full = DrawnPieces(100);
    ASSERT_EQ(full.size(), 6u);
    EXPECT_EQ(full[5], (Piece{40, 0, 60, 42, 1, 0.75f, 760, 550}));
    EXPECT_EQ(DrawnPieces(94)[5], (Piece{40, 0, 60, 42, 1, 0.75f, 760, 550}));
}

TEST_F(LoadingScreenTest, TextsAndTheirPlaces) {
    LoadingScreen screen;
    testsupport::Headless()->ClearCalls();
    screen.DrawFrame(42, 0);
    EXPECT_EQ(Texts(testsupport::Headless()->Calls()), (std::vector<std::string>{"Now Loading", "42%"}));
    Ran texts;
    for (const DeviceCall& call : testsupport::Headless()->Calls()) {
        if (texts.If(call.name == "Sprite.SetTransform" && FloatOf(call.args[3]) == 520.0f)) {
            EXPECT_TRUE(FloatOf(call.args[2]) == 480.0f || FloatOf(call.args[2]) == 720.0f);
        }
    }
    EXPECT_RAN(texts, 2);
}

TEST_F(LoadingScreenTest, DotsCycleThroughFourStatesOfFiveFrames) {
    LoadingScreen screen;
    std::string dots;
    for (int frame = 0; frame < 22; ++frame) {
        testsupport::Headless()->ClearCalls();
        screen.DrawFrame(0, frame);
        const std::string text = Texts(testsupport::Headless()->Calls()).at(0);
        dots += std::to_string(text.size() - std::strlen("Now Loading"));
    }
    EXPECT_EQ(dots, "0111112222233333000001");
}

TEST_F(LoadingScreenTest, MissingSheetsLeaveTheTextAlone) {
    std::filesystem::remove_all("data");
    LoadingScreen screen;
    testsupport::Headless()->ClearCalls();
    screen.DrawFrame(50, 0);
    EXPECT_TRUE(Pieces(testsupport::Headless()->Calls()).empty());
    EXPECT_EQ(Texts(testsupport::Headless()->Calls()).size(), 2u);
}

namespace {
// The percentages of every loading picture of one load.
std::vector<std::string> LoadPercentages(const std::string& list) {
    testsupport::Headless()->ClearCalls();
    ResourceLoader::GetInstance().Load(list);
    std::vector<std::string> percentages;
    for (const std::string& text : Texts(testsupport::Headless()->Calls())) {
        if (text.back() == '%') percentages.push_back(text);
    }
    return percentages;
}
}  // namespace

TEST_F(LoadingScreenTest, TenLineListInLockStepShowsEveryTenthAndEndsAtHundred) {
    std::ofstream list("ten.txt");
    for (int i = 0; i < 10; ++i) list << "1,0,data/Texture/Load/Load1.png\n";
    list.close();
    LoadLockstep lockstep;
    SetLoadPacing(&lockstep);
    const std::vector<std::string> expected{"0%",  "10%", "20%", "30%", "40%", "50%",
                                            "60%", "70%", "80%", "90%", "100%", "100%"};
    EXPECT_EQ(LoadPercentages("ten.txt"), expected);
    EXPECT_EQ(LoadPercentages("missing list.txt"), (std::vector<std::string>{"100%", "100%"}));
    SetLoadPacing(nullptr);
    // Every picture is a whole frame: one present per percentage drawn.
    EXPECT_EQ(testsupport::Headless()->PresentCount(), 14);
}

TEST_F(LoadingScreenTest, TenThousandMissingFilesLoadFreeRunning) {
    std::ofstream list("big.txt");
    for (int i = 0; i < 10000; ++i) list << "1,0,missing/" << i << ".png\n";
    list.close();
    platform::SimulatedClock clock;  // the screen does not sleep
    platform::SetClock(&clock);
    const std::vector<std::string> percentages = LoadPercentages("big.txt");
    platform::SetClock(nullptr);
    ASSERT_FALSE(percentages.empty());
    EXPECT_EQ(percentages.back(), "100%");
    for (size_t i = 1; i < percentages.size(); ++i) {
        EXPECT_LE(std::stoi(percentages[i - 1]), std::stoi(percentages[i])) << "progress never goes back";
    }
    EXPECT_EQ(TextureManager::GetInstance().GetTexture("missing/9999.png")->texture, nullptr);
}

namespace {

// A counter that notes the order in which it is read.
struct NotedCounter {
    const char* name;
    unsigned value;
    std::string* reads;
    unsigned load() const {
        *reads += name;
        return value;
    }
};

}  // namespace

// The finished test reads the progress, then the total, and compares what it read.
TEST(LoadProgress, ReadsTheProgressBeforeTheTotal) {
    const unsigned cases[][3] = {{0, 0, 1}, {3, 7, 0}, {7, 7, 1}, {8, 7, 0}};
    for (const auto& [progressValue, totalValue, finished] : cases) {
        std::string reads;
        const NotedCounter progress{"P", progressValue, &reads}, total{"T", totalValue, &reads};
        EXPECT_EQ(AllLoaded(progress, total), finished != 0) << progressValue << "/" << totalValue;
        EXPECT_EQ(reads, "PT");
    }
}
