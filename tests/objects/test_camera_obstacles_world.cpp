// The camera's wall test wired to the object list: the test room's walls pull the eye in front of them.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/Camera.h"
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

}  // namespace
