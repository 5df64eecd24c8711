// Which records of a resource list load what.
#include <gtest/gtest.h>

#include <fstream>

#include "graphics/TextureManager.h"
#include "loading/ResourceList.h"
#include "platform/image/PngWriter.h"
#include "../support/GraphicsFixture.h"

namespace {
ResourceAction ActionOf(const std::string& line) { return ParseResourceRecord(line).action; }
}  // namespace

TEST(ResourceRecord, KindsAreWholeTexts) {
    EXPECT_EQ(ActionOf("0,0,a.x"), ResourceAction::StaticMesh);
    EXPECT_EQ(ActionOf("0,1,a.x"), ResourceAction::SkinnedMesh);
    EXPECT_EQ(ActionOf("0,2,a.x"), ResourceAction::None);
    EXPECT_EQ(ActionOf("0, 1,a.x"), ResourceAction::None);
    EXPECT_EQ(ActionOf("1,0,a.png"), ResourceAction::Texture);
    EXPECT_EQ(ActionOf("1, ,a.png"), ResourceAction::Texture);
    EXPECT_EQ(ActionOf("1,anything,a.png"), ResourceAction::Texture);
    EXPECT_EQ(ActionOf(" 0,0,a.x"), ResourceAction::None);
    EXPECT_EQ(ActionOf("00,0,a.x"), ResourceAction::None);
    EXPECT_EQ(ActionOf("3,0,a.x"), ResourceAction::None);
    EXPECT_EQ(ActionOf(",1,0,a.png"), ResourceAction::Texture);
    EXPECT_EQ(ActionOf(",,1,0,a.png"), ResourceAction::Texture);
}

TEST(ResourceRecord, ShortRecordsAreSkipped) {
    EXPECT_EQ(ActionOf(""), ResourceAction::None);
    EXPECT_EQ(ActionOf("1"), ResourceAction::None);
    EXPECT_EQ(ActionOf("1,,a.png"), ResourceAction::None);  // the empty second field is dropped
    EXPECT_EQ(ActionOf("1,0,"), ResourceAction::None);
}

TEST(ResourceRecord, PathIsTheThirdFieldUnchanged) {
    EXPECT_EQ(ParseResourceRecord("1,0,data\\Tex\\a.png ,extra").path, "data\\Tex\\a.png ");
    EXPECT_EQ(ParseResourceRecord("1,0,a.png,").path, "a.png");
}

TEST(ResourceRecord, SoundSlotsReadLenientlyWithinTheTable) {
    EXPECT_EQ(ParseResourceRecord("2,3,a.wav").soundSlot, 3);
    EXPECT_EQ(ActionOf("2,3,a.wav"), ResourceAction::Sound);
    const ResourceRecord noDigits = ParseResourceRecord("2,x,a.wav");
    EXPECT_EQ(noDigits.action, ResourceAction::Sound);
    EXPECT_EQ(noDigits.soundSlot, 0);
    EXPECT_EQ(ParseResourceRecord("2,49,a.wav").action, ResourceAction::Sound);
    EXPECT_EQ(ActionOf("2,50,a.wav"), ResourceAction::None);
    EXPECT_EQ(ActionOf("2,-1,a.wav"), ResourceAction::None);
    EXPECT_EQ(ActionOf("2,99999999999,a.wav"), ResourceAction::None);
}

TEST(ResourceList, EveryLineCountsAndTexturesReachTheCache) {
    testsupport::TempDir dir("list");
    ASSERT_TRUE(testsupport::StartGraphics(true));
    ASSERT_TRUE(platform::WritePng("pic.png", std::vector<uint8_t>(4 * 4 * 4, 200), 4, 4));
    std::ofstream("list.txt") << "1,0,pic.png\n\n0,0,missing.x\n9,9,9\n1,0,missing.png\n";
    std::atomic<uint32_t> total{1}, progress{0};
    LoadResourceList("list.txt", total, progress);
    EXPECT_EQ(total.load(), 5u);
    EXPECT_EQ(progress.load(), 5u);
    EXPECT_NE(TextureManager::GetInstance().GetTexture("pic.png")->texture, nullptr);
    EXPECT_EQ(TextureManager::GetInstance().GetTexture("missing.png")->texture, nullptr);

    LoadResourceList("no such list.txt", total, progress);
    EXPECT_EQ(total.load(), 0u);
    EXPECT_EQ(progress.load(), 0u);
}
