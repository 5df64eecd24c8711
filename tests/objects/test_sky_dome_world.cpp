// The sky dome is part of every place's map, but it lies beyond the reach of every ray query: the
// player, a box, a launcher's shots and the camera's wall test behave the same with it as without.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "objects/CLauncher.h"
#include "objects/CWoodBox.h"
#include "objects/CameraObstacles.h"
#include "objects/Collision.h"
#include "objects/RayProbe.h"
#include "tests/support/StageWorld.h"

namespace {

class SkyDomeWorldTest : public StageWorldTest {
protected:
    void TearDown() override {
        Application::GetInstance().camera = nullptr;
        StageWorldTest::TearDown();
    }
    void PlaceSky() { Place<Map>({"Pos(0,0,0)", "Mesh(data/xfile/Map/Sky.x)", "Shadow(0)", "Edge(0)"}); }

    // A stage out toward the dome's rim: the player runs and jumps outward, a box slides outward,
    // a launcher shoots out at the sky and straight up, the camera follows. One line per frame.
    std::vector<std::string> Play(bool withSky) {
        ClearObjects();
        Player::ResetShared();
        PlaceMap({{{0, -0.5f, 0}, {48, 0.5f, 48}}});
        if (withSky) PlaceSky();
        Player* player = PlacePlayer({30, 0, 30});
        CWoodBox* box = Place<CWoodBox>({"Pos(40,0,-30)", "Mesh(data/xfile/Object/Crate.x)"});
        CLauncher* outward = Place<CLauncher>({"Pos(45,1,0)", "Angle(0,90,0)", "ChangeAngle(-10,120,0)", "Time(60)"});
        CLauncher* upward = Place<CLauncher>({"Pos(-40,1,-40)", "Angle(-90,0,0)", "ChangeAngle(-60,0,0)", "Time(60)"});
        outward->state = upward->state = 1;
        Camera camera;
        camera.SetObstacleQuery(ObjectListObstacles());
        Application::GetInstance().camera = &camera;
        std::vector<std::string> trace;
        for (int frame = 0; frame < 90; ++frame) {
            input.held = frame < 60 ? std::set<int>{'D', 'W'} : std::set<int>{'D'};
            if (frame % 20 == 5) input.held.insert(VK_SPACE);
            box->move = D3DXVECTOR3(0.1f, 0, -0.1f);
            Frame();
            camera.Follow(player->world);
            const D3DXVECTOR3 p = player->Position(), b = box->Position();
            trace.push_back(std::to_string(p.x) + "," + std::to_string(p.y) + "," + std::to_string(p.z) + " " +
                            std::to_string(b.x) + "," + std::to_string(b.z) + " " + std::to_string(player->state) +
                            " " + std::to_string(CountKind(KIND_COLD)) + " " + std::to_string(camera.eye.x) + "," +
                            std::to_string(camera.eye.y) + "," + std::to_string(camera.eye.z));
        }
        Application::GetInstance().camera = nullptr;
        return trace;
    }
};

TEST_F(SkyDomeWorldTest, ProbesFromAnywhereWithinFortyFiveUnitsNeverReachTheDome) {
    PlaceSky();
    for (const D3DXVECTOR3 origin : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(45, 0, 0), D3DXVECTOR3(-31, 2, 31),
                                     D3DXVECTOR3(0, 10, -45)}) {
        for (const D3DXVECTOR3 direction : {D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(-1, 0, 0), D3DXVECTOR3(0, 0, 1),
                                            D3DXVECTOR3(0, 0, -1), D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0, -1, 0),
                                            D3DXVECTOR3(0.6f, 0.8f, 0)}) {
            RayProbe probe({KIND_MAP});
            ProbeHit hit;
            EXPECT_FALSE(probe.CastNearest(origin, direction, hit)) << origin.x << "," << origin.z;
            // The dome is there to be hit, only farther than any query looks.
            for (const ProbeHit& far : probe.CastAll(origin, direction)) EXPECT_GE(far.distance, RayProbe::kMaxDistance);
        }
    }
}

TEST_F(SkyDomeWorldTest, TheDomeIsALowPolyInwardHemisphereOfRadius150WithASkirt) {
    Map* sky = Place<Map>({"Pos(0,0,0)", "Mesh(data/xfile/Map/Sky.x)", "Shadow(0)", "Edge(0)"});
    ASSERT_TRUE(sky->mesh && sky->mesh->mesh);
    EXPECT_EQ(sky->drawParams->edge, 0);
    EXPECT_EQ(sky->drawParams->castShadow, 0);
    EXPECT_LE(sky->mesh->mesh->GetNumFaces(), 400u);
    EXPECT_GE(sky->mesh->mesh->GetNumFaces(), 100u);
    sky->ComputeBounds();
    EXPECT_NEAR(sky->boxMax.y, 150.0f, 0.01f);
    EXPECT_LT(sky->boxMin.y, -10.0f) << "the skirt reaches below the horizon";
    EXPECT_GT(sky->boxMin.y, -40.0f);
    EXPECT_NEAR(sky->boxMax.x, 150.0f, 0.5f);
    // Seen from the centre, the faces turn toward the viewer: a ray outward meets a face whose
    // normal points back at the centre.
    D3DXVECTOR3 point, normal;
    float distance = 0.0f;
    ASSERT_TRUE(IntersectLocal(sky->mesh->mesh, D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0.7f, 0.5f, 0.2f), &point, &normal,
                               &distance));
    EXPECT_LT(D3DXVec3Dot(&normal, &point), 0.0f);
    // The one material is self-lit: a white emissive colour.
    ASSERT_EQ(sky->mesh->materialCount, 1u);
    EXPECT_EQ(sky->mesh->materials[0].Emissive.r, 1.0f);
    EXPECT_EQ(sky->mesh->materials[0].Emissive.b, 1.0f);
}

TEST_F(SkyDomeWorldTest, PlayerBoxShotsAndCameraMoveTheSameWithTheSkyAsWithout) {
    const std::vector<std::string> without = Play(false);
    const std::vector<std::string> with = Play(true);
    ASSERT_EQ(with.size(), without.size());
    for (size_t i = 0; i < with.size(); ++i) EXPECT_EQ(with[i], without[i]) << "frame " << i;
    // The scene did something: the player moved outward and the box slid.
    EXPECT_NE(without.front(), without.back());
}

}  // namespace
