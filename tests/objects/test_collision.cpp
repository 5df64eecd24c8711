// The ray query against placed meshes: nearest face whichever way it points, distances in units of
// the direction, hit points and normals back in the world, and misses that leave the outputs alone.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/Collision.h"

namespace {

// A closed cube from (-1,-1,-1) to (1,1,1), faces wound clockwise seen from outside.
ID3DXMesh* MakeCube() {
    std::vector<MeshVertex> v;
    std::vector<uint16_t> idx;
    auto quad = [&](D3DXVECTOR3 a, D3DXVECTOR3 b, D3DXVECTOR3 c, D3DXVECTOR3 d) {
        const uint16_t base = static_cast<uint16_t>(v.size());
        for (const D3DXVECTOR3& p : {a, b, c, d}) v.push_back({p, {}, 0, 0});
        for (int k : {0, 1, 2, 0, 2, 3}) idx.push_back(static_cast<uint16_t>(base + k));
    };
    // Seen from outside each face, a -> b -> c -> d runs clockwise.
    quad({-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1});  // front, -z
    quad({1, -1, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1});      // back, +z
    quad({-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1});      // top, +y
    quad({-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1});  // bottom, -y
    quad({1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1});      // right, +x
    quad({-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1});  // left, -x
    std::vector<DWORD> attributes(idx.size() / 3, 0);
    std::vector<D3DXATTRIBUTERANGE> table = {{0, 0, static_cast<DWORD>(attributes.size()), 0, static_cast<DWORD>(v.size())}};
    return new ID3DXMesh(nullptr, v, idx, attributes, table);
}

D3DXMATRIX Identity() {
    D3DXMATRIX m;
    return *D3DXMatrixIdentity(&m);
}

class CollisionTest : public ::testing::Test {
protected:
    void TearDown() override { cube->Release(); }
    ID3DXMesh* cube = MakeCube();
    const D3DXMATRIX identity = Identity();
};

}  // namespace

TEST_F(CollisionTest, RayFromInsideHitsTheFarFaceWithItsOutwardNormal) {
    D3DXVECTOR3 point, normal;
    float distance = -1;
    ASSERT_TRUE(IntersectMesh(cube, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, identity, identity, &point, &normal, &distance));
    EXPECT_FLOAT_EQ(distance, 1.0f);
    EXPECT_NEAR(point.z, 1.0f, 1e-6f);
    // The back face is wound to face +z: its normal says so, though the ray meets its inside.
    EXPECT_NEAR(normal.z, 1.0f, 1e-6f);
}

TEST_F(CollisionTest, NearestFaceWinsAndTheDistanceIsInDirectionUnits) {
    float distance = -1;
    ASSERT_TRUE(IntersectMesh(cube, {0, 0, -5}, {0, 0, 2}, {0, 0, 0}, identity, identity, nullptr, nullptr, &distance));
    EXPECT_FLOAT_EQ(distance, 2.0f);  // 4 units away along a direction of length 2
    ASSERT_TRUE(IntersectMesh(cube, {0, 0, -5}, {0, 0, 1}, {0, 0, 0}, identity, identity, nullptr, nullptr, &distance));
    EXPECT_FLOAT_EQ(distance, 4.0f);
}

TEST_F(CollisionTest, HitPointIsTheBarycentricPointOfTheFace) {
    D3DXVECTOR3 point, normal;
    float distance;
    ASSERT_TRUE(IntersectLocal(cube, {0.3f, 5, -0.6f}, {0, -1, 0}, &point, &normal, &distance));
    EXPECT_NEAR(point.x, 0.3f, 1e-5f);
    EXPECT_NEAR(point.y, 1.0f, 1e-5f);
    EXPECT_NEAR(point.z, -0.6f, 1e-5f);
    EXPECT_NEAR(normal.y, 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(distance, 4.0f);
    D3DXVECTOR3 corners[3];
    ASSERT_TRUE(GetFaceVertices(cube, 4, corners));
    EXPECT_EQ(corners[0], D3DXVECTOR3(-1, 1, -1));
    EXPECT_EQ(corners[2], D3DXVECTOR3(1, 1, 1));
}

// A cube scaled to 2 x 1 x 1 and turned 90 degrees about y, standing at (10, 0, 0): its long side
// now lies along z, so a ray along -z from far away meets it 2 in front of the centre. The normal is
// the face normal turned by the rotation only, of unit length.
TEST_F(CollisionTest, ScaledAndRotatedMeshIsHitWhereItIsDrawn) {
    D3DXMATRIX scale, rotation;
    D3DXMatrixScaling(&scale, 2, 1, 1);
    D3DXMatrixRotationY(&rotation, D3DX_PI / 2);
    D3DXVECTOR3 point, normal;
    float distance;
    ASSERT_TRUE(IntersectMesh(cube, {10, 0.5f, 20}, {0, 0, -1}, {10, 0, 0}, rotation, scale, &point, &normal, &distance));
    EXPECT_NEAR(distance, 18.0f, 1e-4f);
    EXPECT_NEAR(point.x, 10.0f, 1e-4f);
    EXPECT_NEAR(point.y, 0.5f, 1e-4f);
    EXPECT_NEAR(point.z, 2.0f, 1e-4f);
    EXPECT_NEAR(D3DXVec3Length(&normal), 1.0f, 1e-5f);
    EXPECT_NEAR(normal.z, 1.0f, 1e-5f);  // the cube's -x face, turned to face +z
    // Outside the turned extent the ray misses, though it would hit the unturned cube.
    EXPECT_FALSE(IntersectMesh(cube, {11.5f, 0.5f, 20}, {0, 0, -1}, {10, 0, 0}, rotation, scale, nullptr, nullptr,
                               &distance));
}

TEST_F(CollisionTest, MissLeavesOutputsUntouchedAndNormalNeedsAHitPoint) {
    D3DXVECTOR3 point(7, 7, 7), normal(7, 7, 7);
    float distance = 7;
    EXPECT_FALSE(IntersectMesh(cube, {0, 5, 0}, {0, 1, 0}, {0, 0, 0}, identity, identity, &point, &normal, &distance));
    EXPECT_EQ(point, D3DXVECTOR3(7, 7, 7));
    EXPECT_EQ(normal, D3DXVECTOR3(7, 7, 7));
    EXPECT_EQ(distance, 7.0f);
    ASSERT_TRUE(IntersectMesh(cube, {0, 5, 0}, {0, -1, 0}, {0, 0, 0}, identity, identity, nullptr, &normal, &distance));
    EXPECT_EQ(normal, D3DXVECTOR3(7, 7, 7));
    EXPECT_FLOAT_EQ(distance, 4.0f);
}

TEST_F(CollisionTest, BadInputsMissInsteadOfFailing) {
    float distance = 7;
    D3DXMATRIX flat;
    D3DXMatrixScaling(&flat, 0, 1, 1);
    EXPECT_FALSE(IntersectMesh(nullptr, {0, 5, 0}, {0, -1, 0}, {0, 0, 0}, identity, identity, nullptr, nullptr, &distance));
    EXPECT_FALSE(IntersectMesh(cube, {0, 5, 0}, {0, -1, 0}, {0, 0, 0}, identity, flat, nullptr, nullptr, &distance));
    EXPECT_EQ(distance, 7.0f);
    D3DXVECTOR3 corners[3];
    EXPECT_FALSE(GetFaceVertices(cube, 12, corners));
}
