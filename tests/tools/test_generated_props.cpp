// The generated stage props (boxes, switch, door, chest, cold gun, exit, statues) and the break and
// flame images, read back from the content tree as the game reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/d3dx/XFile.h"
#include "tests/support/Screenshot.h"

namespace {

const std::string kRoot = VELDORIN_GAME_DIR;

struct Model {
    std::vector<D3DXVECTOR3> points;
    std::vector<D3DXMATERIAL> materials;
    std::vector<std::string> textures;
    D3DXVECTOR3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    D3DXVECTOR3 Size() const { return hi - lo; }
};

// The mesh's points and materials; every texture it names must lie next to it.
Model Load(const std::string& name) {
    Model m;
    const std::string path = kRoot + "/data/xfile/" + name;
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD count = 0;
    EXPECT_EQ(D3DXLoadMeshFromXA(path.c_str(), 0, nullptr, nullptr, &materials, nullptr, &count, &mesh), D3D_OK) << path;
    if (!mesh) return m;
    for (const auto& v : mesh->Vertices()) {
        const D3DXVECTOR3& p = v.position;
        m.points.push_back(p);
        m.lo = D3DXVECTOR3(std::min(m.lo.x, p.x), std::min(m.lo.y, p.y), std::min(m.lo.z, p.z));
        m.hi = D3DXVECTOR3(std::max(m.hi.x, p.x), std::max(m.hi.y, p.y), std::max(m.hi.z, p.z));
    }
    mesh->Release();
    if (materials) {
        const auto* list = static_cast<D3DXMATERIAL*>(materials->GetBufferPointer());
        for (DWORD i = 0; i < count; ++i) {
            m.materials.push_back(list[i]);
            if (list[i].pTextureFilename) {
                m.textures.push_back(list[i].pTextureFilename);
                const auto image = std::filesystem::path(path).parent_path() / list[i].pTextureFilename;
                EXPECT_TRUE(std::filesystem::exists(image)) << image;
            }
        }
        materials->Release();
    }
    return m;
}

void ExpectWithin(const Model& m, D3DXVECTOR3 lo, D3DXVECTOR3 hi, const char* name, float slack = 0.002f) {
    EXPECT_GE(m.lo.x, lo.x - slack) << name;
    EXPECT_GE(m.lo.y, lo.y - slack) << name;
    EXPECT_GE(m.lo.z, lo.z - slack) << name;
    EXPECT_LE(m.hi.x, hi.x + slack) << name;
    EXPECT_LE(m.hi.y, hi.y + slack) << name;
    EXPECT_LE(m.hi.z, hi.z + slack) << name;
}

Screenshot Image(const std::string& path) {
    Screenshot image;
    EXPECT_TRUE(image.Load(kRoot + "/" + path)) << path;
    EXPECT_EQ(image.width, 128) << path;
    EXPECT_EQ(image.height, 128) << path;
    return image;
}

// The most any pixel on the image's border gives: alpha for blended pieces, light for additive ones.
int MostOnRim(const Screenshot& image, bool added) {
    int most = 0;
    for (int i = 0; i < image.width; ++i)
        for (const uint8_t* p : {image.At(i, 0), image.At(i, image.height - 1), image.At(0, i), image.At(image.width - 1, i)})
            most = std::max(most, added ? std::max({p[0], p[1], p[2]}) * p[3] / 255 : p[3]);
    return most;
}

}  // namespace

// Both boxes fill 1 x 1 x 1 on their origin within half extents of 0.5; wood is warm, stone cool.
TEST(GeneratedProps, BoxesFillTheUnitCubeAndLookApart) {
    for (const char* name : {"Object/WoodBox.x", "Object/StoneBox.x"}) {
        const Model m = Load(name);
        ExpectWithin(m, {-0.5f, 0, -0.5f}, {0.5f, 1, 0.5f}, name);
        EXPECT_NEAR(m.lo.y, 0.0f, 0.005f) << name;
        EXPECT_NEAR(m.hi.y, 1.0f, 0.005f) << name;
        EXPECT_GT(std::min(m.Size().x, m.Size().z), 0.98f) << name;
    }
    const Model wood = Load("Object/WoodBox.x"), stone = Load("Object/StoneBox.x");
    ASSERT_GE(wood.materials.size(), 3u);
    ASSERT_GE(stone.materials.size(), 3u);
    const D3DCOLORVALUE plank = wood.materials[1].MatD3D.Diffuse, block = stone.materials[0].MatD3D.Diffuse;
    EXPECT_GT(plank.r, plank.b + 0.3f);
    EXPECT_GT(block.b, block.r);
}

// The plate is 1.2 across with its top at 0.15; the base 1.5 across, top at 0.1, open where the plate
// sits; the door fills its doorway.
TEST(GeneratedProps, SwitchAndDoorFitTheirPlaces) {
    const Model plate = Load("Object/SwitchPlate.x");
    EXPECT_NEAR(plate.lo.y, 0.0f, 0.005f);
    EXPECT_NEAR(plate.hi.y, 0.15f, 0.015f);
    EXPECT_NEAR(plate.Size().x, 1.2f, 0.03f);
    EXPECT_NEAR(plate.Size().z, 1.2f, 0.03f);
    const Model base = Load("Object/SwitchBase.x");
    EXPECT_NEAR(base.lo.y, 0.0f, 0.005f);
    EXPECT_NEAR(base.hi.y, 0.1f, 0.02f);
    EXPECT_NEAR(base.Size().x, 1.5f, 0.03f);
    for (const D3DXVECTOR3& p : base.points) EXPECT_GE(std::hypot(p.x, p.z), 0.6f) << p.x << "," << p.z;
    const Model door = Load("Object/Door.x");
    ExpectWithin(door, {-1, 0, -0.15f}, {1, 3.6f, 0.15f}, "Door");  // its top hidden in the lintel
    EXPECT_NEAR(door.Size().x, 2.0f, 0.01f);
    EXPECT_NEAR(door.Size().y, 3.6f, 0.01f);
    EXPECT_GT(door.Size().z, 0.25f);
}

// The chest is about 1 x 0.7 x 0.7 shut; open, its lid stands up behind it.
TEST(GeneratedProps, ChestShutAndOpen) {
    const Model shut = Load("Object/Chest.x");
    // Its body stands above the player's reach probe at 0.7, so a player walking up reaches for it.
    ExpectWithin(shut, {-0.5f, 0, -0.36f}, {0.5f, 1.1f, 0.4f}, "Chest");
    EXPECT_NEAR(shut.hi.y, 1.08f, 0.03f);
    const Model open = Load("Object/ChestOpen.x");
    EXPECT_NEAR(open.lo.y, 0.0f, 0.005f);
    EXPECT_GT(open.hi.y, 1.3f);
    EXPECT_LT(open.lo.z, -0.5f);
    EXPECT_GT(open.materials.size(), shut.materials.size());  // the gems inside
}

// The gun lies along x, about 0.8 long, between y 0.5 and 0.9, centred so that it spins in place.
TEST(GeneratedProps, ColdGunHoversCentredOnItsAxis) {
    const Model gun = Load("Object/ColdGun.x");
    ExpectWithin(gun, {-0.45f, 0.5f, -0.15f}, {0.45f, 0.9f, 0.15f}, "ColdGun", 0.005f);
    EXPECT_NEAR(gun.Size().x, 0.8f, 0.06f);
    EXPECT_LT(std::fabs(gun.lo.x + gun.hi.x), 0.1f);
}

// The exit is about 2 wide and 2.5 tall, and its swirl image is there to glow in it.
TEST(GeneratedProps, GoalIsAnArchwayWithItsSwirl) {
    const Model goal = Load("Object/Goal.x");
    EXPECT_NEAR(goal.lo.y, 0.0f, 0.005f);
    EXPECT_NEAR(goal.hi.y, 2.5f, 0.1f);
    EXPECT_NEAR(goal.Size().x, 2.3f, 0.1f);
    EXPECT_NE(std::find(goal.textures.begin(), goal.textures.end(), "goal_swirl.png"), goal.textures.end());
}

// The dragon's head faces +z on a 1-wide pedestal, its jaws apart at (0, 1.5, 0.5).
TEST(GeneratedProps, FlameStatueMouthIsWhereTheFlamesLeave) {
    const Model statue = Load("Statue/FlameStatue.x");
    ExpectWithin(statue, {-0.5f, 0, -0.5f}, {0.5f, 2.1f, 0.6f}, "FlameStatue");
    EXPECT_GT(statue.hi.y, 1.9f);
    // Nothing of the statue in the open mouth just behind its lips.
    for (const D3DXVECTOR3& p : statue.points) {
        const bool inMouth = std::fabs(p.x) < 0.06f && std::fabs(p.y - 1.49f) < 0.03f && p.z > 0.47f;
        EXPECT_FALSE(inMouth) << p.x << "," << p.y << "," << p.z;
    }
    // The snout reaches the mouth's front.
    EXPECT_GT(statue.hi.z, 0.5f);
}

// The wheel turns about z through its centre at the origin; drawn 0.5 up it meets the eagle's fork,
// and the ice block holds eagle and wheel; the wheel's ice keeps to the wheel.
TEST(GeneratedProps, EagleWheelAndIceBlockFitTogether) {
    const Model wheel = Load("Statue/Wheel.x");
    ExpectWithin(wheel, {-0.5f, -0.5f, -0.13f}, {0.5f, 0.5f, 0.13f}, "Wheel");
    EXPECT_NEAR(wheel.Size().x, 1.0f, 0.01f);
    EXPECT_NEAR(wheel.Size().y, 1.0f, 0.01f);
    const Model eagle = Load("Statue/Statue_Eagle.x");
    EXPECT_NEAR(eagle.lo.y, 0.41f, 0.02f);  // the fork round the axle
    EXPECT_NEAR(eagle.hi.y, 3.2f, 0.1f);
    const Model block = Load("Statue/Statue_Eagle_Col.x");
    ExpectWithin(block, {-0.65f, 0, -0.65f}, {0.65f, 3.8f, 0.65f}, "Statue_Eagle_Col");
    EXPECT_GT(block.Size().y, 3.7f);
    ASSERT_EQ(block.materials.size(), 1u);
    EXPECT_NEAR(block.materials[0].MatD3D.Diffuse.a, 0.8f, 0.01f);
    const float inset = 0.06f;  // the block's faces sink by up to this much
    ExpectWithin(eagle, {-0.65f + inset, 0, -0.65f + inset}, {0.65f - inset, 3.8f - inset, 0.65f - inset}, "eagle");
    EXPECT_LE(wheel.hi.x, 0.65f - inset);
    const Model ice = Load("Statue/Wheel_Ice.x");
    ExpectWithin(ice, {-0.65f, -0.65f, -0.2f}, {0.65f, 0.65f, 0.2f}, "Wheel_Ice");
}

// Each break piece is drawn on transparency, wood warm and stone cool.
TEST(GeneratedProps, BreakPiecesAreInkedPiecesOnTransparency) {
    for (const char* name : {"Data/Texture/BreakAnim.png", "Data/Texture/BreakAnim1.png"}) {
        const Screenshot image = Image(name);
        EXPECT_EQ(MostOnRim(image, false), 0) << name;
        int opaque = 0;
        for (int i = 0; i < image.width * image.height; ++i) opaque += image.rgba[4 * i + 3] == 255;
        EXPECT_GT(opaque, 1500) << name;
    }
    const Screenshot woodImage = Image("Data/Texture/BreakAnim.png"), stoneImage = Image("Data/Texture/BreakAnim1.png");
    const uint8_t* wood = woodImage.At(62, 66);
    EXPECT_GT(wood[0], wood[2] + 60);
    const uint8_t* stone = stoneImage.At(66, 60);
    EXPECT_GE(stone[2], stone[0]);
}

// The flame is light on black: a white-yellow heart, orange round it, nothing at the rim.
TEST(GeneratedProps, FlameIsAWarmPuffFadingToNothing) {
    const Screenshot image = Image("data/Texture/Flame.png");
    EXPECT_EQ(MostOnRim(image, true), 0);
    const uint8_t* heart = image.At(64, 64);
    EXPECT_GT(heart[0], 240);
    EXPECT_GT(heart[1], 200);
    EXPECT_GT(heart[3], 240);
    const uint8_t* side = image.At(64 + 28, 64);
    EXPECT_GT(side[0], side[2] + 60);  // orange to red, not white
}
