// The look of the test stage on the OpenGL device: an object drawn without outline has no dark ring,
// the tiled floor has no dotted lines along its joints while the wall corners keep their creases, and
// the sky dome fills the view above the walls with light blue. Needs an X display; the pictures are
// kept in the temporary folder for a look.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/image/PngWriter.h"
#include "tests/support/Screenshot.h"
#include "../support/ToonTestScene.h"

namespace {

struct Rect {
    int x0 = 800, y0 = 600, x1 = 0, y1 = 0;
    void Add(int x, int y) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    }
};

bool NearBlack(const Screenshot& p, int x, int y) {
    const uint8_t* c = p.At(x, y);
    return c[0] < 40 && c[1] < 40 && c[2] < 40;
}

int CountNearBlack(const Screenshot& p, const Rect& r) {
    int count = 0;
    for (int y = std::max(r.y0, 0); y <= std::min(r.y1, 599); ++y)
        for (int x = std::max(r.x0, 0); x <= std::min(r.x1, 799); ++x) count += NearBlack(p, x, y);
    return count;
}

// The screen box of a world box, widened by a margin.
Rect ScreenBox(const D3DXVECTOR3& low, const D3DXVECTOR3& high, int margin) {
    Rect r;
    for (int corner = 0; corner < 8; ++corner) {
        const D3DXVECTOR3 p(corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z);
        int x = 0, y = 0;
        EXPECT_TRUE(testscene::Project(p, x, y));
        r.Add(x, y);
    }
    r.x0 -= margin, r.y0 -= margin, r.x1 += margin, r.y1 += margin;
    return r;
}

void PlaceSky() {
    auto* sky = new Map;
    sky->Init({"", "Pos(0,0,0)", "Mesh(data/xfile/Map/Sky.x)", "Shadow(0)", "Edge(0)"});
    AddObject(sky);
}

// The test room with only the player in it, the camera as the toon scene has it.
void BuildEmptyRoom() {
    auto* map = new Map;
    map->Init({"", "Pos(0,0,0)", "Mesh(data/xfile/Map/TestRoom.x)", "Shadow(0)"});
    AddObject(map);
    AddObject(new testscene::ScenePlayer(testscene::kPlayerPos));
    Camera* camera = Application::GetInstance().camera;
    camera->distance = -9.0f;
    camera->pitch = 28.0f;
    camera->yaw = 0.0f;
}

class DisplayLook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testscene::StartRenderer(VELDORIN_GAME_DIR, window)) << "needs an X display (xvfb-run)";
    }
    void TearDown() override { testscene::StopRenderer(window); }

    Screenshot Render(const std::string& name) {
        testscene::DrawFrame();
        testscene::DrawFrame();
        Screenshot picture;
        EXPECT_TRUE(GraphicsDevice::GetInstance().GetDevice()->ReadBackBuffer(picture.rgba, picture.width, picture.height));
        const std::string path = (std::filesystem::temp_directory_path() / ("veldorin_" + name + ".png")).string();
        if (!picture.rgba.empty()) platform::WritePng(path, picture.rgba, picture.width, picture.height);
        return picture;
    }

    HWND window = nullptr;
};

TEST_F(DisplayLook, AnObjectDrawnWithoutOutlineHasNoDarkRingAroundIt) {
    BuildEmptyRoom();
    CharacterBase* crate = testscene::PlaceSimple("data/xfile/Object/Crate.x", testscene::kCratePos, 20.0f);
    const Screenshot withOutline = Render("look_crate_outlined");
    // The camera of that frame places the crate's box on the picture.
    const D3DXVECTOR3 c = testscene::kCratePos;
    const Rect around = ScreenBox(c - D3DXVECTOR3(0.75f, 0, 0.75f), c + D3DXVECTOR3(0.75f, 1.05f, 0.75f), 6);
    const int outlined = CountNearBlack(withOutline, around);
    crate->drawParams->edge = 0;
    const int plain = CountNearBlack(Render("look_crate_without_outline"), around);
    EXPECT_GT(outlined, 80) << "an ordinary crate keeps its outline";
    EXPECT_EQ(plain, 0) << "Edge 0: no ring on the crate nor on the floor and wall around it";
}

TEST_F(DisplayLook, TheTiledFloorHasNoDottedJointsButTheWallCornerHasItsCrease) {
    BuildEmptyRoom();
    const Screenshot picture = Render("look_floor");
    // Open floor from mid distance to far, clear of the player, the pillars and the platform.
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_TRUE(testscene::Project(D3DXVECTOR3(-4.0f, 0.0f, 9.0f), x0, y0));
    ASSERT_TRUE(testscene::Project(D3DXVECTOR3(2.0f, 0.0f, 3.0f), x1, y1));
    Rect floor;
    floor.Add(x0, y0), floor.Add(x1, y1);
    ASSERT_GT((floor.x1 - floor.x0) * (floor.y1 - floor.y0), 100 * 80);
    EXPECT_EQ(CountNearBlack(picture, floor), 0) << "tile joints drawn as outlines";
    // Where the far wall meets the floor a dark crease runs along the corner.
    int creased = 0, checked = 0;
    for (float x = -4.0f; x <= 2.0f; x += 0.5f, ++checked) {
        int px = 0, py = 0;
        ASSERT_TRUE(testscene::Project(D3DXVECTOR3(x, 0.0f, 12.0f), px, py));
        bool dark = false;
        for (int dy = -2; dy <= 2; ++dy) dark = dark || NearBlack(picture, px, py + dy);
        creased += dark;
    }
    EXPECT_EQ(creased, checked);
}

TEST_F(DisplayLook, TheSkyFillsTheViewAboveTheWallsLightAndBlue) {
    testscene::BuildScene();
    PlaceSky();
    const Screenshot picture = Render("look_sky");
    // Above the far wall's top (3 units high at z = 12) there is only sky.
    int wallX = 0, wallTop = 0;
    ASSERT_TRUE(testscene::Project(D3DXVECTOR3(0.0f, 3.0f, 12.5f), wallX, wallTop));
    ASSERT_GT(wallTop, 12) << "the camera sees above the walls";
    int sky = 0, samples = 0;
    for (int y = 0; y < wallTop - 6; y += 2)
        for (int x = 0; x < 800; x += 8, ++samples) {
            const uint8_t* p = picture.At(x, y);
            const float luma = 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
            // Bright (self-lit: no toon band, no shadow darkens it) and clearly blue.
            sky += luma > 150.0f && p[2] > p[0] + 20 && p[2] >= p[1];
        }
    EXPECT_EQ(sky, samples) << "black or dull pixels above the walls";
    // Without outline: no dark ring where the sky meets the wall tops from above.
    Rect band;
    band.Add(0, 0), band.Add(799, wallTop - 4);
    EXPECT_EQ(CountNearBlack(picture, band), 0);
}

}  // namespace
