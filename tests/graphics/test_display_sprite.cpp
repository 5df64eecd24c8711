// Sprites, text and quads on the OpenGL device, read back from the back buffer. Needs a display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "graphics/TextureManager.h"
#include "platform/image/PngWriter.h"
#include "../support/GraphicsFixture.h"

namespace {

struct Pixels {
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
};

Pixels ReadBack() {
    Pixels p;
    GraphicsDevice::GetInstance().GetDevice()->ReadBackBuffer(p.rgba, p.width, p.height);
    return p;
}

// Opaque pixels that all differ: r = 7x, g = 11y, b = x * y.
std::vector<uint8_t> Pattern(int w, int h) {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            rgba.insert(rgba.end(), {static_cast<uint8_t>(7 * x), static_cast<uint8_t>(11 * y),
                                     static_cast<uint8_t>(x * y), 255});
        }
    }
    return rgba;
}

class DisplaySprite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::StartGraphics(false)) << "needs an X display (xvfb-run)";
        device = GraphicsDevice::GetInstance().GetDevice();
        sprite = GraphicsDevice::GetInstance().GetSprite();
        ASSERT_NE(sprite, nullptr);
    }
    void BeginFrame() {
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
        GraphicsDevice::GetInstance().SetSpriteMode(true);
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
    }
    void EndFrame() {
        sprite->End();
        GraphicsDevice::GetInstance().SetSpriteMode(false);
        device->EndScene();
    }
    // A frame for screen quads, drawn with a white texture that EndQuads lets go of again.
    void BeginQuads(Texture& white) {
        ASSERT_TRUE(white.Create(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED));
        ASSERT_TRUE(white.FillWhite());
        BeginFrame();
        sprite->End();
        device->SetTexture(0, white.texture);
    }
    void EndQuads(Texture& white) {
        device->SetTexture(0, nullptr);
        sprite->Begin(D3DXSPRITE_ALPHABLEND);
        EndFrame();
        white.Release();
    }
    void DrawAt(const Texture* t, float x, float y, D3DCOLOR colour) {
        D3DXMATRIX m;
        D3DXMatrixTranslation(&m, x, y, 0.0f);
        sprite->SetTransform(&m);
        sprite->Draw(t->texture, &t->rect, nullptr, nullptr, colour);
    }
    testsupport::TempDir dir{"display_sprite"};
    IDirect3DDevice9* device = nullptr;
    ID3DXSprite* sprite = nullptr;
};

}  // namespace

TEST_F(DisplaySprite, ImageAtItsOwnSizeIsPixelExact) {
    ASSERT_TRUE(platform::WritePng("pattern.png", Pattern(37, 23), 37, 23));
    Texture* t = TextureManager::GetInstance().GetTexture("pattern.png");
    ASSERT_NE(t->texture, nullptr);
    BeginFrame();
    DrawAt(t, 100.0f, 50.0f, 0xFFFFFFFF);
    EndFrame();
    const Pixels p = ReadBack();
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            const uint8_t* px = p.At(100 + x, 50 + y);
            ASSERT_EQ(px[0], static_cast<uint8_t>(7 * x)) << x << "," << y;
            ASSERT_EQ(px[1], static_cast<uint8_t>(11 * y)) << x << "," << y;
            ASSERT_EQ(px[2], static_cast<uint8_t>(x * y)) << x << "," << y;
        }
    }
    // Nothing outside the image's rectangle.
    for (int x = 99; x <= 137; ++x) {
        EXPECT_EQ(p.At(x, 49)[0] + p.At(x, 49)[1] + p.At(x, 73)[1], 0) << x;
    }
    EXPECT_EQ(p.At(99, 60)[1] + p.At(137, 60)[1], 0);
}

TEST_F(DisplaySprite, ColourModulatesAndAlphaBlends) {
    std::vector<uint8_t> white(8 * 8 * 4, 255);
    ASSERT_TRUE(platform::WritePng("white.png", white, 8, 8));
    Texture* t = TextureManager::GetInstance().GetTexture("white.png");
    BeginFrame();
    DrawAt(t, 10.0f, 10.0f, 0xFFFF8040);   // opaque tint
    DrawAt(t, 30.0f, 10.0f, 0x80FFFFFF);   // half-transparent white over black
    DrawAt(t, 50.0f, 10.0f, 0xFF0000FF);   // blue, then half-transparent red over it
    DrawAt(t, 50.0f, 10.0f, 0x80FF0000);
    EndFrame();
    const Pixels p = ReadBack();
    auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    const uint8_t* tint = p.At(13, 13);
    EXPECT_EQ(tint[0], 255);
    EXPECT_TRUE(near(tint[1], 128)) << int(tint[1]);
    EXPECT_TRUE(near(tint[2], 64)) << int(tint[2]);
    const uint8_t* half = p.At(33, 13);
    EXPECT_TRUE(near(half[0], 128) && near(half[1], 128) && near(half[2], 128)) << int(half[0]);
    const uint8_t* mixed = p.At(53, 13);
    EXPECT_TRUE(near(mixed[0], 128) && mixed[1] == 0 && near(mixed[2], 127)) << int(mixed[0]) << " " << int(mixed[2]);
}

TEST_F(DisplaySprite, EmptyRecordDrawsNothingAndTextShows) {
    Texture* missing = TextureManager::GetInstance().GetTexture("missing.png");
    BeginFrame();
    GraphicsDevice::GetInstance().DrawFullScreenTexture(missing, 0, 600, 0xFFFFFFFF);
    GraphicsDevice::GetInstance().DrawFullScreenTexture(nullptr, 0, 600, 0xFFFFFFFF);
    EndFrame();
    Pixels p = ReadBack();
    size_t lit = 0;
    for (size_t i = 0; i < p.rgba.size(); i += 4) lit += p.rgba[i] + p.rgba[i + 1] + p.rgba[i + 2];
    EXPECT_EQ(lit, 0u);
}

TEST_F(DisplaySprite, ScreenQuadCoversItsPixels) {
    Texture white;
    BeginQuads(white);
    GraphicsDevice::GetInstance().DrawScreenQuad(200, 100, 50, 40, 1, 1, 0xFF00FF00);
    EndQuads(white);
    const Pixels p = ReadBack();
    EXPECT_EQ(p.At(200, 100)[1], 255);
    EXPECT_EQ(p.At(249, 139)[1], 255);
    EXPECT_EQ(p.At(250, 120)[1], 0);
    EXPECT_EQ(p.At(220, 140)[1], 0);
    EXPECT_EQ(p.At(199, 120)[1], 0);
}

// The stencil as the game's states leave it (always pass, keep everything) marks nothing; one that
// replaces marks, and a later equal test shows only the marked pixels.
TEST_F(DisplaySprite, TheStencilMarksOnlyWhenItsStatesWrite) {
    Texture white;
    BeginQuads(white);
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    auto stencil = [&](D3DCMPFUNC func, D3DSTENCILOP pass, DWORD ref) {
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILFUNC, func);
        device->SetRenderState(D3DRS_STENCILPASS, pass);
        device->SetRenderState(D3DRS_STENCILREF, ref);
    };
    stencil(D3DCMP_ALWAYS, D3DSTENCILOP_KEEP, 2);
    graphics.DrawScreenQuad(0, 0, 100, 100, 1, 1, 0xFF000000);        // marks nothing
    stencil(D3DCMP_ALWAYS, D3DSTENCILOP_REPLACE, 1);
    graphics.DrawScreenQuad(50, 0, 50, 50, 1, 1, 0xFF000000);         // marks the top right quarter
    stencil(D3DCMP_EQUAL, D3DSTENCILOP_KEEP, 1);
    graphics.DrawScreenQuad(0, 0, 100, 100, 1, 1, 0xFF00FF00);        // green where marked
    stencil(D3DCMP_EQUAL, D3DSTENCILOP_KEEP, 0);
    graphics.DrawScreenQuad(0, 0, 100, 100, 1, 1, 0xFFFF0000);        // red where unmarked
    stencil(D3DCMP_ALWAYS, D3DSTENCILOP_KEEP, 0);
    EndQuads(white);
    const Pixels p = ReadBack();
    for (const auto& [x, y, green] : {std::tuple{75, 25, true}, {25, 25, false}, {25, 75, false}, {75, 75, false}}) {
        EXPECT_EQ(p.At(x, y)[1], green ? 255 : 0) << x << "," << y;
        EXPECT_EQ(p.At(x, y)[0], green ? 0 : 255) << x << "," << y;
    }
}
