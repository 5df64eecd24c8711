// Texture records and the image cache on the headless device.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "graphics/TextureManager.h"
#include "platform/image/PngWriter.h"
#include "../support/GraphicsFixture.h"

namespace {

// A picture whose every pixel differs: r = x, g = y, b = x + y, a = 255 - x.
std::vector<uint8_t> Pattern(int w, int h) {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgba.insert(rgba.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x + y),
                                     static_cast<uint8_t>(255 - x)});
        }
    }
    return rgba;
}

// The 54-byte header of a 24-bit BMP of w x h pixels, followed by room for `size` bytes in all.
std::vector<uint8_t> BmpHeader(int w, int h, uint32_t size) {
    std::vector<uint8_t> out(std::max<uint32_t>(size, 54), 0);
    auto put32 = [&](size_t at, uint32_t v) { for (int i = 0; i < 4; ++i) out[at + i] = (v >> (8 * i)) & 0xFF; };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    out[26] = 1;
    out[28] = 24;
    return out;
}

// A 24-bit BMP, bottom row first, rows padded to four bytes.
void WriteBmp(const char* path, int w, int h) {
    const int pitch = (w * 3 + 3) & ~3;
    std::vector<uint8_t> out = BmpHeader(w, h, 54 + pitch * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &out[54 + (h - 1 - y) * pitch + x * 3];
            p[0] = 30;            // blue
            p[1] = static_cast<uint8_t>(y * 10);
            p[2] = static_cast<uint8_t>(x * 10);
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testsupport::StartGraphics(true)); }
    testsupport::TempDir dir{"textures"};
};

}  // namespace

TEST_F(TextureTest, CacheLoadsAtTheExactSizeAndCopiesPixels) {
    ASSERT_TRUE(platform::WritePng("odd.png", Pattern(100, 37), 100, 37));
    Texture* t = TextureManager::GetInstance().GetTexture("odd.png");
    ASSERT_NE(t->texture, nullptr);
    EXPECT_EQ(t->texture->Width(), 100u);
    EXPECT_EQ(t->texture->Height(), 37u);
    EXPECT_EQ(t->texture->GetLevelCount(), 1u);
    EXPECT_EQ(t->info.Width, 100u);
    EXPECT_EQ(t->info.Height, 37u);
    EXPECT_EQ(t->info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(t->rect.right, 100);
    EXPECT_EQ(t->rect.bottom, 37);
    EXPECT_EQ(t->name, "odd.png");
    EXPECT_NE(t->surface, nullptr);
    // Stored B, G, R, A as A8R8G8B8 is.
    const auto& bits = t->texture->Bits(0);
    const size_t at = (36 * 100 + 99) * 4;
    EXPECT_EQ(bits[at + 0], static_cast<uint8_t>(99 + 36));
    EXPECT_EQ(bits[at + 1], 36);
    EXPECT_EQ(bits[at + 2], 99);
    EXPECT_EQ(bits[at + 3], 255 - 99);
}

TEST_F(TextureTest, SameNameSameRecordOtherSpellingsOtherRecords) {
    ASSERT_TRUE(platform::WritePng("a.png", Pattern(4, 4), 4, 4));
    std::filesystem::create_directory("dir");
    ASSERT_TRUE(platform::WritePng("dir/b.png", Pattern(4, 4), 4, 4));
    TextureManager& cache = TextureManager::GetInstance();
    Texture* first = cache.GetTexture("a.png");
    EXPECT_EQ(cache.GetTexture("a.png"), first);
    Texture* upper = cache.GetTexture("A.png");
    EXPECT_NE(upper, first);
    EXPECT_NE(upper->texture, nullptr) << "the path resolves whatever its case";
    EXPECT_NE(cache.GetTexture("dir\\b.png"), cache.GetTexture("dir/b.png"));
    EXPECT_NE(cache.GetTexture("dir\\b.png")->texture, nullptr);
}

TEST_F(TextureTest, MissingFileIsCachedEmptyAndNotRetried) {
    TextureManager& cache = TextureManager::GetInstance();
    Texture* missing = cache.GetTexture("late.png");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->texture, nullptr);
    EXPECT_EQ(missing->rect.right, 0);
    ASSERT_TRUE(platform::WritePng("late.png", Pattern(4, 4), 4, 4));
    EXPECT_EQ(cache.GetTexture("late.png"), missing);
    EXPECT_EQ(missing->texture, nullptr);

    std::ofstream("broken.png", std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
    EXPECT_EQ(cache.GetTexture("broken.png")->texture, nullptr);
    // A header claiming 30000 x 30000 pixels over no pixel data: refused, never decoded into gigabytes.
    const std::vector<uint8_t> huge = BmpHeader(30000, 30000, 54);
    std::ofstream("huge.bmp", std::ios::binary).write(reinterpret_cast<const char*>(huge.data()), huge.size());
    D3DXIMAGE_INFO info{};
    EXPECT_TRUE(FAILED(D3DXGetImageInfoFromFileA("huge.bmp", &info))) << info.Width;
    EXPECT_EQ(cache.GetTexture("huge.bmp")->texture, nullptr);

    cache.ReleaseAll();
    cache.ReleaseAll();  // an empty cache releases nothing
    EXPECT_NE(cache.GetTexture("late.png")->texture, nullptr) << "after ReleaseAll the cache loads anew";
}

TEST_F(TextureTest, LoadFromFileMakesAPowerOfTwoChainButKeepsTheFileSize) {
    ASSERT_TRUE(platform::WritePng("odd.png", Pattern(100, 37), 100, 37));
    Texture t;
    ASSERT_TRUE(t.LoadFromFile("odd.png"));
    EXPECT_EQ(t.texture->Width(), 128u);
    EXPECT_EQ(t.texture->Height(), 64u);
    EXPECT_EQ(t.info.MipLevels, 8u);
    EXPECT_EQ(t.info.Width, 100u);
    EXPECT_EQ(t.info.Height, 37u);
    EXPECT_EQ(t.rect.right, 100);
    EXPECT_EQ(t.rect.bottom, 37);
    t.Release();
    EXPECT_EQ(t.texture, nullptr);
    EXPECT_EQ(t.info.Width, 0u);
    EXPECT_TRUE(t.name.empty());
    EXPECT_FALSE(t.LoadFromFile("missing.png"));
    EXPECT_EQ(t.name, "missing.png");
}

TEST_F(TextureTest, BmpFilesLoadOpaque) {
    WriteBmp("pic.bmp", 5, 3);
    Texture* t = TextureManager::GetInstance().GetTexture("pic.bmp");
    ASSERT_NE(t->texture, nullptr);
    EXPECT_EQ(t->info.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(t->info.ImageFileFormat, D3DXIFF_BMP);
    const auto& bits = t->texture->Bits(0);
    const size_t at = (2 * 5 + 4) * 4;  // x 4, y 2, top row first
    EXPECT_EQ(bits[at + 0], 30);
    EXPECT_EQ(bits[at + 1], 20);
    EXPECT_EQ(bits[at + 2], 40);
}

TEST_F(TextureTest, CreatedTexturesAndFillWhite) {
    Texture t;
    ASSERT_TRUE(t.Create(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    EXPECT_TRUE(t.name.empty());
    ASSERT_TRUE(t.FillWhite());
    EXPECT_EQ(t.texture->Bits(0), std::vector<uint8_t>(4, 0xFF));
    Texture target;
    ASSERT_TRUE(target.Create(200, 150, D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3DPOOL_DEFAULT));
    EXPECT_EQ(target.info.Width, 200u);
    EXPECT_EQ(target.rect.bottom, 150);
    EXPECT_FALSE(target.FillWhite()) << "render targets cannot be locked";
    DepthStencil depth;
    ASSERT_TRUE(depth.Create(64, 32));
    EXPECT_EQ(depth.desc.Width, 64u);
    EXPECT_EQ(depth.desc.Format, D3DFMT_D24S8);
    depth.Release();
    t.Release();
    target.Release();
}

// Opacity is read from the texels of every level and follows changes to them.
TEST_F(TextureTest, OpacityCoversEveryLevelAndFollowsWrites) {
    std::vector<uint8_t> solid = Pattern(8, 8);
    for (size_t i = 3; i < solid.size(); i += 4) solid[i] = 255;
    ASSERT_TRUE(platform::WritePng("solid.png", solid, 8, 8));
    ASSERT_TRUE(platform::WritePng("holes.png", Pattern(8, 8), 8, 8));
    WriteBmp("plain.bmp", 4, 4);
    Texture t, holes, plain, white, target, none;
    ASSERT_TRUE(t.LoadFromFile("solid.png"));
    ASSERT_TRUE(holes.LoadFromFile("holes.png"));
    ASSERT_TRUE(plain.LoadFromFile("plain.bmp"));
    ASSERT_TRUE(white.Create(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
    ASSERT_TRUE(target.Create(16, 16, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT));
    EXPECT_TRUE(t.Opaque());
    EXPECT_FALSE(holes.Opaque());
    EXPECT_TRUE(plain.Opaque()) << "a format without alpha";
    EXPECT_FALSE(white.Opaque()) << "created empty: alpha 0";
    ASSERT_TRUE(white.FillWhite());
    EXPECT_TRUE(white.Opaque()) << "the fill is seen";
    EXPECT_FALSE(target.Opaque()) << "drawn on the device: unknown";
    EXPECT_FALSE(none.Opaque());
    // One texel of the smallest level let through.
    const UINT last = t.texture->GetLevelCount() - 1;
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(t.texture->LockRect(last, &locked, nullptr, 0), D3D_OK);
    static_cast<uint8_t*>(locked.pBits)[3] = 254;
    t.texture->UnlockRect(last);
    EXPECT_FALSE(t.Opaque());
    // Loaded again in place, the record answers for the new texels.
    ASSERT_TRUE(t.LoadFromFile("solid.png"));
    EXPECT_TRUE(t.Opaque());
    for (Texture* each : {&t, &holes, &plain, &white, &target}) each->Release();
}
