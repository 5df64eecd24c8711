// The camera's wall test wired to the object list: the test room's walls pull the eye in front of them.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "objects/CStoneStatue.h"
#include "objects/CWoodBox.h"
#include "objects/CameraObstacles.h"
#include "objects/Collision.h"
#include "objects/RayProbe.h"
#include "objects/Map.h"
#include "objects/ObjectList.h"
#include "tests/support/HeadlessGraphics.h"

namespace {

class CameraInRoomTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        StartDevice();
        auto* room = new Map;
        room->Init({"", "Pos(0,0,0)", "Mesh(data/xfile/Map/TestRoom.x)"});
        AddObject(room);
        camera.SetObstacleQuery(ObjectListObstacles());
    }
    void TearDown() override {
        ClearObjects();
        ContentTreeTest::TearDown();
    }
    // Follows a point 1 unit in front of the +z wall (its inner face is at z = 12).
    void FollowNearTheWall(float yaw, float z = 11.0f) {
        camera.yaw = yaw;
        D3DXMATRIX at;
        D3DXMatrixTranslation(&at, 0.0f, 0.0f, z);
        camera.Follow(&at);
    }
    Camera camera;
};

TEST_F(CameraInRoomTest, AWallBehindTheTargetPullsTheEyeInFrontOfIt) {
    FollowNearTheWall(180.0f);  // the eye would stand 3.5 behind the target, beyond the wall
    EXPECT_NEAR(camera.eye.z, 12.0f, 1e-3f) << "the eye moves onto the wall's face";
    EXPECT_NEAR(camera.eye.y, 1.5f + 0.5f / 3.5f, 1e-3f) << "on the line from the target to the eye";
}

TEST_F(CameraInRoomTest, NothingInTheWayLeavesTheEyeWhereItBelongs) {
    FollowNearTheWall(0.0f);  // the eye stands inside the room, toward the middle
    EXPECT_NEAR(camera.eye.z, 11.0f - 3.5f, 1e-4f);
    EXPECT_NEAR(camera.eye.y, 2.0f, 1e-4f);
}

// A statue right behind the target, as it follows the player, and a box beside it: the eye ends outside both.
TEST_F(CameraInRoomTest, TheEyeNeverSitsInsideAStatueOrABoxNextToTheTarget) {
    CharacterBase* solids[] = {new CStoneStatue, new CWoodBox};
    solids[0]->Init({"", "Pos(0,0,3)", "Angle(0,180,0)", "ColMesh(data/xfile/Statue/Statue_Eagle_Col.x)", "Dir(1)"});
    solids[1]->Init({"", "Pos(2,0,3)", "Mesh(data/xfile/Object/WoodBox.x)"});
    AddObject(solids[0]), AddObject(solids[1]), UpdateObjects();
    for (const float z : {4.0f, 4.6f, 6.0f})
        for (const float yaw : {0.0f, -20.0f, -35.0f})
            for (CharacterBase* o : solids) {
                FollowNearTheWall(yaw, z);
                EXPECT_FALSE(WithinMeshBounds(o->GetColMesh()->mesh, camera.eye, WorldPosition(*o), o->rotMat, o->scaleMat));
            }
}

}  // namespace
