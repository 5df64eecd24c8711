// Key interpolation, looping and the blending of two tracks in our animation controller.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3dx/AnimationController.h"

namespace {

AnimationChannel Channel(const char* frame, float angle0, float angle1, D3DXVECTOR3 p0, D3DXVECTOR3 p1) {
    D3DXQUATERNION q0, q1;
    const D3DXVECTOR3 y(0, 1, 0);
    D3DXQuaternionRotationAxis(&q0, &y, angle0);
    D3DXQuaternionRotationAxis(&q1, &y, angle1);
    return {frame, {{0, {1, 1, 1}}, {2, {3, 3, 3}}}, {{0, q0}, {2, q1}}, {{0, p0}, {2, p1}}};
}

float YawOf(const D3DXMATRIX& m) { return std::atan2(m._31, m._11); }  // as D3DXMatrixRotationY builds it

}  // namespace

TEST(AnimationSet, InterpolatesLinearlyAndSphericallyAndLoops) {
    ID3DXAnimationSet set("Turn", 2.0, {Channel("Bone", 0, D3DX_PI / 2, {0, 0, 0}, {4, 0, 0})});
    D3DXVECTOR3 s, t;
    D3DXQUATERNION q;
    ASSERT_EQ(set.GetSRT(set.GetPeriodicPosition(1.0), 0, &s, &q, &t), D3D_OK);
    EXPECT_FLOAT_EQ(t.x, 2.0f);
    EXPECT_FLOAT_EQ(s.y, 2.0f);
    D3DXMATRIX r;
    D3DXMatrixRotationQuaternion(&r, &q);
    EXPECT_NEAR(YawOf(r), D3DX_PI / 4, 1e-5f);
    // 2.5 seconds into a 2-second set plays like 0.5 seconds.
    set.GetSRT(set.GetPeriodicPosition(2.5), 0, nullptr, nullptr, &t);
    EXPECT_FLOAT_EQ(t.x, 1.0f);
    EXPECT_EQ(set.GetSRT(0, 1, &s, &q, &t), D3DERR_INVALIDCALL);
}

TEST(AnimationController, BlendsEnabledTracksByWeightAndSkipsDisabledOnes) {
    ID3DXAnimationSet* still = new ID3DXAnimationSet("Still", 2.0, {Channel("Bone", 0, 0, {0, 0, 0}, {0, 0, 0})});
    ID3DXAnimationSet* moved = new ID3DXAnimationSet("Moved", 2.0, {Channel("Bone", 0, 0, {8, 0, 0}, {8, 0, 0})});
    ID3DXAnimationController controller(2, {still, moved});
    still->Release();
    moved->Release();
    D3DXMATRIX bone, other;
    D3DXMatrixIdentity(&other);
    other._41 = 5;
    controller.RegisterAnimationOutput("Bone", &bone);
    controller.RegisterAnimationOutput("Other", &other);
    ID3DXAnimationSet *a = nullptr, *b = nullptr;
    controller.GetAnimationSet(0, &a);
    controller.GetAnimationSet(1, &b);
    controller.SetTrackAnimationSet(0, a);
    controller.SetTrackAnimationSet(1, b);
    a->Release();
    b->Release();
    controller.SetTrackEnable(0, TRUE);
    controller.SetTrackEnable(1, TRUE);
    controller.SetTrackWeight(0, 0.75f);
    controller.SetTrackWeight(1, 0.25f);
    controller.AdvanceTime(0.1, nullptr);
    EXPECT_FLOAT_EQ(bone._41, 2.0f);
    EXPECT_FLOAT_EQ(other._41, 5.0f);  // no track animates it
    controller.SetTrackEnable(1, FALSE);
    controller.AdvanceTime(0.1, nullptr);
    EXPECT_FLOAT_EQ(bone._41, 0.0f);
}

TEST(AnimationController, TrackPositionAdvancesBySpeed) {
    ID3DXAnimationController controller(2, {});
    controller.SetTrackEnable(0, TRUE);
    controller.SetTrackSpeed(0, 1.5f);
    controller.AdvanceTime(0.5, nullptr);
    controller.AdvanceTime(0.5, nullptr);
    D3DXTRACK_DESC desc;
    controller.GetTrackDesc(0, &desc);
    EXPECT_DOUBLE_EQ(desc.Position, 1.5);
    controller.GetTrackDesc(1, &desc);
    EXPECT_DOUBLE_EQ(desc.Position, 0.0);  // disabled tracks stand still
    EXPECT_DOUBLE_EQ(controller.GetTime(), 1.0);
    EXPECT_EQ(controller.SetTrackWeight(2, 1.0f), D3DERR_INVALIDCALL);
}
