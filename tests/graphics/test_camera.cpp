// The third-person camera: placement, turning, and the wall test through a stand-in object list.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "graphics/Camera.h"

namespace {

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z, const char* what) {
    EXPECT_NEAR(v.x, x, 1e-4f) << what;
    EXPECT_NEAR(v.y, y, 1e-4f) << what;
    EXPECT_NEAR(v.z, z, 1e-4f) << what;
}

D3DXMATRIX At(float x, float y, float z) {
    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, x, y, z);
    return world;
}

TEST(CameraFollow, EyeSitsBehindAndAboveTheObject) {
    Camera camera;
    const D3DXMATRIX world = At(10, 0, 5);
    camera.Follow(&world);
    ExpectNear(camera.eye, 10, 2, 1.5f, "eye");
    ExpectNear(camera.target, 10, 1.5f, 5, "target");
    ExpectNear(camera.position, 10, 2, 1.5f, "position is the eye");
    ExpectNear(camera.lastEye, 10, 2, 1.5f, "lastEye");

    D3DXMATRIX expected, view;
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMatrixLookAtLH(&expected, &camera.eye, &camera.target, &up);
    camera.GetView(&view);
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(view.m[i / 4][i % 4], expected.m[i / 4][i % 4]);
}

TEST(CameraFollow, PitchTurnsBeforeYaw) {
    Camera camera;
    camera.pitch = 30;
    camera.yaw = 90;
    const D3DXMATRIX world = At(0, 0, 0);
    camera.Follow(&world);
    // (0, 2, -3.5) raised by 30 degrees about x, then swung a quarter turn about y.
    const float c = std::cos(0.5235988f), s = std::sin(0.5235988f);
    ExpectNear(camera.eye, 2 * s - 3.5f * c, 2 * c + 3.5f * s, 0, "eye");

    camera.FollowWithOffset(&world, D3DXVECTOR3(0, 0, -1));
    ExpectNear(camera.eye, -c, s, 0, "the offset replaces (0, 2, distance)");
    ExpectNear(camera.target, 0, 1.5f, 0, "target");
}

D3DXVECTOR3 Sideways(float degrees) {
    const float r = degrees * 0.017453292f;
    return D3DXVECTOR3(std::sin(r), 0, std::cos(r));
}

TEST(CameraTurn, SlowTurnStepsFourDegreesAndStopsWithinATenth) {
    Camera camera;
    std::vector<float> yaws;
    for (int i = 0; i < 5; ++i) {
        camera.TurnTowardSlowly(Sideways(10));
        yaws.push_back(camera.yaw);
    }
    EXPECT_NEAR(yaws[0], 4, 1e-3f);
    EXPECT_NEAR(yaws[1], 8, 1e-3f);
    EXPECT_NEAR(yaws[2], 10, 0.1f);
    EXPECT_FLOAT_EQ(yaws[3], yaws[2]) << "facing the direction: no more steps";
    EXPECT_FLOAT_EQ(yaws[4], yaws[2]);
    EXPECT_FLOAT_EQ(camera.pitch, 0);

    camera.TurnTowardSlowly(Sideways(0));
    EXPECT_NEAR(camera.yaw, 6, 0.1f) << "turning back to the left";
}

TEST(CameraTurn, FastTurnArrivesAtOnce) {
    Camera camera;
    camera.TurnToward(Sideways(-90));
    EXPECT_NEAR(camera.yaw, -90, 0.05f);
    camera.TurnToward(Sideways(135));
    EXPECT_NEAR(camera.yaw, -225, 0.05f) << "135 degrees the short way round, not 225 the long way";
}

TEST(CameraTurn, PitchTurnsTowardTheDirectionNotAwayFromIt) {
    // A positive pitch looks down; facing (0, 0, 1) again means coming back to level.
    Camera camera;
    camera.pitch = 20;
    camera.TurnTowardSlowly(D3DXVECTOR3(0, 0, 1));
    EXPECT_NEAR(camera.pitch, 16, 1e-3f);
    camera.TurnToward(D3DXVECTOR3(0, 0, 1));
    EXPECT_NEAR(camera.pitch, 0, 0.1f);

    const float r = 30 * 0.017453292f;
    camera.TurnToward(D3DXVECTOR3(0, -std::sin(r), std::cos(r)));  // 30 degrees below level
    EXPECT_NEAR(camera.pitch, 30, 0.05f);
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f) << "the horizontal part is straight ahead";
}

TEST(CameraTurn, PitchStaysWithinItsLimits) {
    Camera camera;
    const D3DXVECTOR3 up(0, 1, 0), down(0, -1, 0), level(0, 0, 1);
    for (int i = 0; i < 40; ++i) {
        camera.TurnTowardSlowly(i % 7 < 4 ? up : down);
        EXPECT_GE(camera.pitch, -25.0f);
        EXPECT_LE(camera.pitch, 50.0f);
    }
    camera.TurnToward(up);
    EXPECT_FLOAT_EQ(camera.pitch, -25.0f);
    camera.TurnToward(down);
    EXPECT_FLOAT_EQ(camera.pitch, 50.0f);

    camera.pitch = 80;
    camera.TurnToward(level);
    EXPECT_GE(camera.pitch, -25.0f);
    EXPECT_LE(camera.pitch, 50.0f);
    camera.pitch = -60;
    camera.yaw = 0;
    camera.TurnToward(D3DXVECTOR3(0, 0, 0));  // no direction: no step
    EXPECT_FLOAT_EQ(camera.pitch, -25.0f) << "clamped also without a step";
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
}

TEST(CameraTurn, LevelDirectionsTurnOnlyTheYawWhateverTheirLength) {
    // The direction of travel of a walking player: level, to the side, not necessarily unit length.
    Camera camera;
    camera.pitch = 20;
    camera.TurnToward(D3DXVECTOR3(0.3f, 0, 0));
    EXPECT_NEAR(camera.yaw, 90, 0.05f);
    EXPECT_NEAR(camera.pitch, 0, 0.1f) << "a level direction levels the view";
    camera.TurnToward(D3DXVECTOR3(-3, 0, -3));
    EXPECT_NEAR(camera.yaw, 225, 0.05f) << "the short way round";
    camera.yaw = 0;
    camera.TurnToward(D3DXVECTOR3(0, -2, 0));  // straight down: no horizontal part to face
    EXPECT_FLOAT_EQ(camera.yaw, 0.0f);
    EXPECT_FLOAT_EQ(camera.pitch, 50.0f);
}

}  // namespace
