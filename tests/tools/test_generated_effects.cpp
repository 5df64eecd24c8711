// The generated effect images and the launcher, charge and ice-patch models, read back from the
// content tree as the game reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/d3dx/XFile.h"
#include "tests/support/Screenshot.h"

namespace {

const std::string kRoot = VELDORIN_GAME_DIR;

// Light a pixel adds when drawn with source alpha and destination one (brightest channel).
int Added(const Screenshot& image, int x, int y) {
    const uint8_t* p = image.At(x, y);
    return std::max({p[0], p[1], p[2]}) * p[3] / 255;
}

int BrightestOnRim(const Screenshot& image, int (*value)(const Screenshot&, int, int)) {
    int most = 0;
    for (int i = 0; i < image.width; ++i)
        most = std::max({most, value(image, i, 0), value(image, i, image.height - 1), value(image, 0, i),
                         value(image, image.width - 1, i)});
    return most;
}

struct Bounds {
    D3DXVECTOR3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    D3DXVECTOR3 Size() const { return hi - lo; }
};

Bounds MeshBounds(const std::string& name) {
    Bounds b;
    ID3DXMesh* mesh = nullptr;
    const std::string path = kRoot + "/data/xfile/" + name;
    EXPECT_EQ(D3DXLoadMeshFromXA(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, &mesh), D3D_OK) << path;
    if (!mesh) return b;
    for (const auto& v : mesh->Vertices()) {
        const D3DXVECTOR3& p = v.position;
        b.lo = D3DXVECTOR3(std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z));
        b.hi = D3DXVECTOR3(std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z));
    }
    mesh->Release();
    return b;
}

}  // namespace

// Eight different frames of light on black: nothing at the rim, a bright burst in the first frame.
TEST(GeneratedEffects, SlideSprayFramesAreLightFadingToNothingAtTheRim) {
    Screenshot previous;
    for (int frame = 0; frame < 8; ++frame) {
        Screenshot image;
        ASSERT_TRUE(image.Load(kRoot + "/data/Texture/slip/slipeffect" + std::to_string(frame) + ".png")) << frame;
        ASSERT_EQ(image.width, 128);
        ASSERT_EQ(image.height, 128);
        EXPECT_LE(BrightestOnRim(image, Added), 2) << frame;
        int brightest = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) brightest = std::max(brightest, Added(image, x, y));
        EXPECT_GT(brightest, frame == 0 ? 200 : 60) << frame;
        if (frame > 0) {
            EXPECT_NE(image.rgba, previous.rgba) << frame;
        }
        previous = std::move(image);
    }
}

// Transparent corners, an opaque badge holding both the white mark and its dark outline.
TEST(GeneratedEffects, QuestionMarkerIsAnOpaqueBadgeOnTransparency) {
    Screenshot image;
    ASSERT_TRUE(image.Load(kRoot + "/data/Texture/hatena.png"));
    ASSERT_EQ(image.width, 256);
    ASSERT_EQ(image.height, 256);
    EXPECT_EQ(image.At(0, 0)[3], 0);
    EXPECT_EQ(image.At(255, 0)[3], 0);
    EXPECT_EQ(image.At(0, 255)[3], 0);
    bool white = false, dark = false;
    for (int y = 40; y < 200; ++y)
        for (int x = 48; x < 208; ++x) {
            if ((x - 128) * (x - 128) + (y - 120) * (y - 120) > 85 * 85) continue;  // the badge's inside
            const uint8_t* p = image.At(x, y);
            ASSERT_EQ(p[3], 255) << x << "," << y;
            white = white || (p[0] > 240 && p[1] > 240 && p[2] > 240);
            dark = dark || (p[0] < 40 && p[1] < 50 && p[2] < 90);
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(dark);
}

// A 24-bit BMP: black all round the edge, a bright pale puff in the middle.
TEST(GeneratedEffects, MistCloudIsABrightPuffOnBlack) {
    const std::string path = kRoot + "/data/Texture/cloud.bmp";
    std::ifstream file(path, std::ios::binary);
    char header[30] = {};
    ASSERT_TRUE(file.read(header, sizeof header));
    EXPECT_EQ(std::string(header, 2), "BM");
    EXPECT_EQ(header[28], 24);  // bits per pixel
    Screenshot image;
    ASSERT_TRUE(image.Load(path));
    ASSERT_EQ(image.width, 128);
    ASSERT_EQ(image.height, 128);
    EXPECT_EQ(BrightestOnRim(image, Added), 0);
    const uint8_t* centre = image.At(64, 64);
    EXPECT_GT(centre[0], 180);
    EXPECT_GE(centre[2], centre[0]);  // white to pale blue
}

// Stands on its origin about a unit tall, the muzzle ending at z = 0.7 at barrel height.
TEST(GeneratedEffects, LauncherStandsOnItsOriginWithTheMuzzleAhead) {
    const Bounds b = MeshBounds("Object/Launcher.x");
    EXPECT_NEAR(b.lo.y, 0.0f, 0.01f);
    EXPECT_NEAR(b.hi.y, 1.0f, 0.1f);
    EXPECT_NEAR(b.hi.z, 0.7f, 0.02f);
    EXPECT_GT(b.lo.z, -0.55f);
    EXPECT_LT(std::max(-b.lo.x, b.hi.x), 0.55f);
}

// The muzzle charges are small; the ice patch is a flat sheet about four units across at scale one.
TEST(GeneratedEffects, ChargeAndIcePatchSizes) {
    for (const char* name : {"Bullet/frozen0.x", "Bullet/frozen1.x"}) {
        const D3DXVECTOR3 size = MeshBounds(name).Size();
        EXPECT_LE(std::max({size.x, size.y, size.z}), 0.5f) << name;
        EXPECT_GE(std::max({size.x, size.y, size.z}), 0.25f) << name;
    }
    const Bounds patch = MeshBounds("Bullet/ice.x");
    EXPECT_NEAR(patch.lo.y, 0.0f, 0.005f);
    EXPECT_LE(patch.hi.y, 0.03f);
    for (float across : {patch.Size().x, patch.Size().z}) {
        EXPECT_GT(across, 3.5f);
        EXPECT_LT(across, 5.0f);
    }
    EXPECT_NEAR(patch.lo.x + patch.hi.x, 0.0f, 0.5f);
    EXPECT_NEAR(patch.lo.z + patch.hi.z, 0.0f, 0.5f);
}
