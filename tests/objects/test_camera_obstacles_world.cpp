// The camera's wall test wired to the object list: the test room's walls pull the eye in front of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "objects/CStoneStatue.h"
#include "objects/CWoodBox.h"
#include "objects/CameraObstacles.h"
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
    void FollowNearTheWall(float yaw) {
        camera.yaw = yaw;
        D3DXMATRIX at;
        D3DXMatrixTranslation(&at, 0.0f, 0.0f, 11.0f);
        camera.Follow(&at);
    }
    // Whether the point lies within the bounds of the object's collision mesh, in the mesh's own space.
    static bool Inside(CharacterBase& object, const D3DXVECTOR3& point) {
        D3DXMATRIX inverse;
        D3DXMatrixInverse(&inverse, nullptr, object.world);
        D3DXVECTOR3 local;
        D3DXVec3TransformCoord(&local, &point, &inverse);
        float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
        for (const MeshVertex& v : object.GetColMesh()->mesh->Vertices())
            for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], v.position[a]), hi[a] = std::max(hi[a], v.position[a]);
        return local.x >= lo[0] && local.x <= hi[0] && local.y >= lo[1] && local.y <= hi[1] && local.z >= lo[2] && local.z <= hi[2];
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

// A statue right behind the target (as it follows the player) and a box beside it: wherever the eye
// would stand, inside either or beyond them, it ends outside both, on the target's side of them.
TEST_F(CameraInRoomTest, TheEyeNeverSitsInsideAStatueOrABoxNextToTheTarget) {
    auto* statue = new CStoneStatue;
    statue->Init({"", "Pos(0,0,3)", "Angle(0,180,0)", "Mesh(data/xfile/Statue/Statue_Eagle.x)",
                  "ColMesh(data/xfile/Statue/Statue_Eagle_Col.x)", "Dir(1)"});
    AddObject(statue);
    auto* box = new CWoodBox;
    box->Init({"", "Pos(2,0,3)", "Mesh(data/xfile/Object/WoodBox.x)"});
    AddObject(box);
    UpdateObjects();
    for (const float z : {4.0f, 4.6f, 5.0f, 6.0f}) {
        for (const float yaw : {0.0f, -20.0f, -35.0f}) {
            camera.yaw = yaw;
            D3DXMATRIX at;
            D3DXMatrixTranslation(&at, 0.0f, 0.0f, z);
            camera.Follow(&at);
            EXPECT_FALSE(Inside(*statue, camera.eye)) << z << " " << yaw;
            EXPECT_FALSE(Inside(*box, camera.eye)) << z << " " << yaw;
            EXPECT_GT(camera.eye.z, yaw == 0.0f ? 3.65f : 0.0f) << z << " " << yaw;
        }
    }
}

}  // namespace
