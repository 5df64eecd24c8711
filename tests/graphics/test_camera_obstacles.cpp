// The camera's wall test, run against stand-in objects: flat walls across the z axis.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "graphics/Camera.h"

namespace {

// A wall in the plane z = wallZ, spanning |x - position.x| < halfWidth at every height.
struct Wall {
    int kind;
    D3DXVECTOR3 position;
    float wallZ;
    float halfWidth = 50;
};

class WallWorld {
public:
    void Add(Wall wall) { walls.push_back(wall); }

    CameraObstacleQuery Query() {
        return [this](int kind, std::vector<CameraObstacle>& out) {
            kindsAsked.push_back(kind);
            for (const Wall& wall : walls) {
                if (wall.kind != kind) continue;
                out.push_back(CameraObstacle{wall.position, [this, wall](const D3DXVECTOR3& origin,
                                                                          const D3DXVECTOR3& dir, float* distance,
                                                                          D3DXVECTOR3* point) {
                                                 ++casts[wall.kind];
                                                 return Cast(wall, origin, dir, distance, point);
                                             }});
            }
        };
    }

    std::vector<int> kindsAsked;
    std::map<int, int> casts;  // ray casts per kind

private:
    static bool Cast(const Wall& wall, const D3DXVECTOR3& origin, const D3DXVECTOR3& dir, float* distance,
                     D3DXVECTOR3* point) {
        if (dir.z == 0) return false;
        const float t = (wall.wallZ - origin.z) / dir.z;
        if (t < 0) return false;
        const D3DXVECTOR3 hit = origin + dir * t;
        if (std::fabs(hit.x - wall.position.x) >= wall.halfWidth) return false;
        *distance = t;
        *point = hit;
        return true;
    }

    std::vector<Wall> walls;
};

// The object stands at the origin: target (0, 1.5, 0), eye (0, 2, -3.5) unless something blocks.
class CameraObstacleTest : public ::testing::Test {
protected:
    void Follow() {
        camera.SetObstacleQuery(world.Query());
        D3DXMATRIX origin;
        D3DXMatrixIdentity(&origin);
        camera.Follow(&origin);
    }

    Camera camera;
    WallWorld world;
};

TEST_F(CameraObstacleTest, AMapWallBetweenTargetAndEyePullsTheEyeToIt) {
    world.Add(Wall{1, D3DXVECTOR3(0, 0, 0), -2.0f});
    Follow();
    EXPECT_NEAR(camera.eye.z, -2.0f, 1e-4f);
    EXPECT_NEAR(camera.eye.x, 0.0f, 1e-4f);
    // On the sight line from the target: 2 units of its 3.5 back means 2/3.5 of the 0.5 rise.
    EXPECT_NEAR(camera.eye.y, 1.5f + 0.5f * 2.0f / 3.5f, 1e-4f);
    EXPECT_EQ(camera.lastEye, camera.eye);
    EXPECT_EQ(camera.position, camera.eye);
}

TEST_F(CameraObstacleTest, AWallBeyondTheEyeLeavesItButStillCounts) {
    world.Add(Wall{1, D3DXVECTOR3(0, 0, 0), 3.0f});  // in front of the object: off the sight line
    Follow();
    EXPECT_FALSE(camera.AvoidObstacles()) << "nothing hit";
    world.Add(Wall{1, D3DXVECTOR3(0, 0, 0), -5.0f});
    Follow();
    EXPECT_NEAR(camera.eye.z, -3.5f, 1e-4f);
    EXPECT_TRUE(camera.AvoidObstacles()) << "a hit is reported whether or not the eye moved";
}

TEST_F(CameraObstacleTest, ObjectsOutsideTheFiveUnitWindowNeverBlock) {
    // Boxes, switches and statues whose walls would cut the sight line, placed 5 or 6 units aside.
    world.Add(Wall{4, D3DXVECTOR3(6, 0, 0), -1.0f, 100});
    world.Add(Wall{5, D3DXVECTOR3(0, 0, -5), -1.0f, 100});
    world.Add(Wall{8, D3DXVECTOR3(-5, 0, 0), -1.0f, 100});
    Follow();
    EXPECT_NEAR(camera.eye.z, -3.5f, 1e-4f);
    EXPECT_TRUE(world.casts.empty()) << "not even tested";

    // The map is tested wherever it stands.
    world.Add(Wall{1, D3DXVECTOR3(60, 0, 60), -3.0f, 100});
    Follow();
    EXPECT_NEAR(camera.eye.z, -3.0f, 1e-4f);
}

TEST_F(CameraObstacleTest, ObjectsInsideTheWindowBlockAndTheNearestHitWins) {
    world.Add(Wall{1, D3DXVECTOR3(0, 0, 0), -3.0f});
    world.Add(Wall{8, D3DXVECTOR3(4.9f, 0, 0), -1.0f, 10});
    world.Add(Wall{4, D3DXVECTOR3(-2, 0, 4), -2.0f, 10});
    Follow();
    // Stopped short of the statue's wall along the sight line from (0, 1.5, 0) toward (0, 2, -3.5).
    EXPECT_NEAR(camera.eye.z, -1.0f + Camera::kObjectClearance * 3.5f / std::hypot(0.5f, 3.5f), 1e-4f)
        << "the statue's wall is the nearest";
    EXPECT_EQ(world.casts[1], 1);
    EXPECT_EQ(world.casts[4], 1);
    EXPECT_EQ(world.casts[8], 1);
}

TEST_F(CameraObstacleTest, AsksForTheBlockingKindsInOrder) {
    world.Add(Wall{0, D3DXVECTOR3(0, 0, 0), -1.0f});  // the player itself
    world.Add(Wall{2, D3DXVECTOR3(0, 0, 0), -1.5f});  // a goal
    Follow();
    EXPECT_EQ(world.kindsAsked, (std::vector<int>{1, 4, 5, 7, 8}));
    EXPECT_NEAR(camera.eye.z, -3.5f, 1e-4f) << "other kinds never block";
}

TEST_F(CameraObstacleTest, TheWindowIsMeasuredFromTheTargetNotTheEye) {
    D3DXMATRIX at;
    D3DXMatrixTranslation(&at, 20, 0, 20);
    camera.yaw = 90;  // eye 3.5 units to the -x side of the object at (20, 0, 20)
    // A box right behind the eye's spot but 6 units from the target: out of the window.
    world.Add(Wall{4, D3DXVECTOR3(14, 0, 20), 0.0f});
    camera.SetObstacleQuery(world.Query());
    camera.Follow(&at);
    EXPECT_TRUE(world.casts.empty());
}

}  // namespace
