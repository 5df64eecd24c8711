// The mesh's ray tree against the scan over every face: the same hit or miss, face, barycentrics and
// distance, bit for bit, on the stage meshes and on made-up ones, for random rays and for the awkward
// ones (from inside, along faces, exactly at vertices and edge midpoints); and the tree follows writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "graphics/Mesh.h"
#include "platform/d3dx/Intersect.h"
#include "platform/d3dx/RayTree.h"
#include "platform/d3dx/RayTriangle.h"

namespace {

struct Answer {
    BOOL hit = FALSE;
    DWORD face = 0, count = 0;
    float u = 0, v = 0, dist = 0;
    bool operator==(const Answer& o) const {
        return hit == o.hit && face == o.face && count == o.count && std::memcmp(&u, &o.u, sizeof u) == 0 &&
               std::memcmp(&v, &o.v, sizeof v) == 0 && std::memcmp(&dist, &o.dist, sizeof dist) == 0;
    }
};

Answer ByTree(ID3DXMesh* mesh, const D3DXVECTOR3& o, const D3DXVECTOR3& d) {
    Answer a;
    EXPECT_EQ(D3DXIntersect(mesh, &o, &d, &a.hit, &a.face, &a.u, &a.v, &a.dist, nullptr, &a.count), D3D_OK);
    return a;
}
Answer ByScan(ID3DXMesh* mesh, const D3DXVECTOR3& o, const D3DXVECTOR3& d) {
    Answer a;
    EXPECT_EQ(platform::IntersectEveryFace(mesh, &o, &d, &a.hit, &a.face, &a.u, &a.v, &a.dist, &a.count), D3D_OK);
    return a;
}

// Fires a family of rays at a mesh and counts the answers where tree and scan differ.
class RayBattery {
public:
    RayBattery(ID3DXMesh* mesh, uint32_t seed) : mesh(mesh), random(seed) {
        for (const MeshVertex& v : mesh->Vertices())
            for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], v.position[a]), hi[a] = std::max(hi[a], v.position[a]);
    }
    void Fire(const D3DXVECTOR3& o, const D3DXVECTOR3& d) {
        const Answer tree = ByTree(mesh, o, d), scan = ByScan(mesh, o, d);
        ++rays;
        hits += scan.hit ? 1 : 0;
        if (tree == scan) return;
        if (++mismatches <= 3)
            ADD_FAILURE() << "ray (" << o.x << ", " << o.y << ", " << o.z << ") dir (" << d.x << ", " << d.y << ", "
                          << d.z << "): tree " << tree.hit << " face " << tree.face << " t " << tree.dist
                          << ", scan " << scan.hit << " face " << scan.face << " t " << scan.dist;
    }
    // A point in the mesh's box grown by a quarter on every side: inside the mesh as often as not.
    D3DXVECTOR3 Point() {
        D3DXVECTOR3 p;
        for (int a = 0; a < 3; ++a) {
            const float margin = 0.25f * (hi[a] - lo[a]) + 0.5f;
            p[a] = std::uniform_real_distribution<float>(lo[a] - margin, hi[a] + margin)(random);
        }
        return p;
    }
    D3DXVECTOR3 Direction() {
        std::normal_distribution<float> n;
        return {n(random), n(random), n(random)};
    }
    const MeshVertex& Vertex() {
        return mesh->Vertices()[std::uniform_int_distribution<size_t>(0, mesh->Vertices().size() - 1)(random)];
    }
    // The corners of a random face.
    void Face(D3DXVECTOR3 p[3]) {
        const size_t f = std::uniform_int_distribution<size_t>(0, mesh->Indices().size() / 3 - 1)(random);
        for (int k = 0; k < 3; ++k) p[k] = mesh->Vertices()[mesh->Indices()[3 * f + k]].position;
    }

    void FireAll(int perKind) {
        static const D3DXVECTOR3 kAxes[] = {{0, -1, 0}, {0, 1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
        for (int i = 0; i < perKind; ++i) {
            const D3DXVECTOR3 anywhere = Point();  // drawn apart: argument order is up to the compiler
            Fire(anywhere, Direction());                                  // anywhere, any way
            Fire(Point(), kAxes[i % 6] * (0.5f + static_cast<float>(i % 3)));  // the game's axis probes
            const D3DXVECTOR3 from = Point();
            Fire(from, Vertex().position - from);  // exactly at a vertex
            D3DXVECTOR3 p[3];
            Face(p);
            Fire(from, (p[0] + p[1]) * 0.5f - from);              // at an edge midpoint
            Fire(from, (p[0] + p[1] + p[2]) / 3.0f - from);       // at a face centre
            Fire(p[0], Direction());                              // from a corner of a face
            Fire(p[0] + (p[1] - p[0]) * 0.5f, Direction());        // from an edge
            const D3DXVECTOR3 e1 = p[1] - p[0], e2 = p[2] - p[0];
            D3DXVECTOR3 normal = platform::RayCross(e1, e2);
            const float length = std::sqrt(platform::RayDot(normal, normal));
            if (length > 0) normal /= length;
            const float lift = std::uniform_real_distribution<float>(-0.05f, 0.05f)(random);
            Fire(p[0] + normal * lift - e1 * 2.0f, e1);          // parallel to a face, just off it
            Fire(p[2] + normal * lift + e2, -e2);                // along an edge, just off it
            // Along an axis-aligned plane through a vertex: exactly in the floors and walls there.
            D3DXVECTOR3 along = Point();
            const int axis = i % 3;
            along[axis] = p[0][axis];
            D3DXVECTOR3 flat = Direction();
            flat[axis] = 0;
            Fire(along, flat);
        }
    }

    ID3DXMesh* mesh;
    std::mt19937 random;
    float lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    int rays = 0, hits = 0, mismatches = 0;
};

ID3DXMesh* MakeMesh(std::vector<MeshVertex> v, std::vector<uint16_t> idx) {
    std::vector<DWORD> attributes(idx.size() / 3, 0);
    std::vector<D3DXATTRIBUTERANGE> table = {{0, 0, static_cast<DWORD>(attributes.size()), 0, static_cast<DWORD>(v.size())}};
    return new ID3DXMesh(nullptr, std::move(v), std::move(idx), std::move(attributes), std::move(table));
}

// A bumpy grid of shared vertices with flat, sloped and vertical parts, closed underneath by a box.
ID3DXMesh* MakeTerrain(int n) {
    std::vector<MeshVertex> v;
    std::vector<uint16_t> idx;
    for (int z = 0; z <= n; ++z)
        for (int x = 0; x <= n; ++x) {
            const float h = (x < n / 3) ? 0.0f : (x < 2 * n / 3 ? 0.37f * static_cast<float>(x - n / 3) : std::sin(0.7f * static_cast<float>(x * z)));
            v.push_back({{static_cast<float>(x) * 0.5f, h, static_cast<float>(z) * 0.5f}, {}, 0, 0});
        }
    auto at = [n](int x, int z) { return static_cast<uint16_t>(z * (n + 1) + x); };
    for (int z = 0; z < n; ++z)
        for (int x = 0; x < n; ++x)
            for (uint16_t k : {at(x, z), at(x + 1, z), at(x + 1, z + 1), at(x, z), at(x + 1, z + 1), at(x, z + 1)})
                idx.push_back(k);
    // A vertical wall standing on the flat part.
    const uint16_t base = static_cast<uint16_t>(v.size());
    for (D3DXVECTOR3 p : {D3DXVECTOR3(1, 0, 1), D3DXVECTOR3(1, 0, 4), D3DXVECTOR3(1, 2, 4), D3DXVECTOR3(1, 2, 1)})
        v.push_back({p, {}, 0, 0});
    for (int k : {0, 1, 2, 0, 2, 3}) idx.push_back(static_cast<uint16_t>(base + k));
    return MakeMesh(std::move(v), std::move(idx));
}

// Triangles of every size thrown about, some of them slivers, points or repeated faces.
ID3DXMesh* MakeSoup(uint32_t seed, int faces) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> where(-10, 10), size(0.01f, 3.0f);
    std::vector<MeshVertex> v;
    std::vector<uint16_t> idx;
    auto point = [&] { return D3DXVECTOR3{where(random), where(random), where(random)}; };  // x, y, z in turn
    for (int f = 0; f < faces; ++f) {
        const D3DXVECTOR3 c = point();
        const float s = size(random);
        for (int k = 0; k < 3; ++k) {
            D3DXVECTOR3 p = c + point() * (s / 10);
            if (f % 17 == 0 && k == 2) p = v[v.size() - 1].position;  // a sliver with two equal corners
            v.push_back({p, {}, 0, 0});
            idx.push_back(static_cast<uint16_t>(v.size() - 1));
        }
        if (f % 13 == 0)  // the same face again
            for (int k = 0; k < 3; ++k) idx.push_back(idx[idx.size() - 3]);
    }
    return MakeMesh(std::move(v), std::move(idx));
}

}  // namespace

TEST(RayTreeTest, StageMeshesAnswerAsTheScanOverEveryFace) {
    const std::filesystem::path folder = std::string(VELDORIN_GAME_DIR) + "/data/xfile/Map";
    int meshes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".x") continue;
        Mesh map;
        ASSERT_TRUE(map.Load(nullptr, entry.path().string())) << entry.path();
        RayBattery battery(map.mesh, 1234u + static_cast<uint32_t>(meshes));
        battery.FireAll(map.mesh->GetNumFaces() > 2000 ? 150 : 60);
        EXPECT_EQ(battery.mismatches, 0) << entry.path() << " over " << battery.rays << " rays";
        EXPECT_GT(battery.hits, battery.rays / 4) << entry.path();
        ++meshes;
    }
    EXPECT_GE(meshes, 3);
}

TEST(RayTreeTest, MadeUpMeshesAnswerAsTheScan) {
    for (ID3DXMesh* mesh : {MakeTerrain(24), MakeSoup(7, 3000), MakeSoup(8, 5)}) {
        RayBattery battery(mesh, 99);
        battery.FireAll(400);
        EXPECT_EQ(battery.mismatches, 0) << mesh->GetNumFaces() << " faces over " << battery.rays << " rays";
        EXPECT_GT(battery.hits, battery.rays / 5);
        mesh->Release();
    }
}

TEST(RayTreeTest, EqualDistancesGoToTheLowestFaceAndTheTreeIsSplit) {
    // Forty copies of one square: a ray meets them all at one distance, and the first copy must win.
    std::vector<MeshVertex> v;
    for (D3DXVECTOR3 p : {D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1, 0, 0), D3DXVECTOR3(1, 0, 1), D3DXVECTOR3(0, 0, 1)})
        v.push_back({p, {}, 0, 0});
    std::vector<uint16_t> idx;
    for (int copy = 0; copy < 40; ++copy)
        for (int k : {0, 1, 2, 0, 2, 3}) idx.push_back(static_cast<uint16_t>(k));
    ID3DXMesh* mesh = MakeMesh(v, idx);
    EXPECT_GT(mesh->RayTree().NodeCount(), 1u);
    const Answer a = ByTree(mesh, {0.7f, 1, 0.2f}, {0, -1, 0});
    EXPECT_TRUE(a.hit);
    EXPECT_EQ(a.face, 0u);
    EXPECT_EQ(a.count, 1u);
    EXPECT_EQ(ByTree(mesh, {0.2f, 1, 0.7f}, {0, -1, 0}).face, 1u);
    EXPECT_EQ(ByTree(mesh, {0.2f, 1, 0.7f}, {0, -1, 0}), ByScan(mesh, {0.2f, 1, 0.7f}, {0, -1, 0}));
    mesh->Release();
}

TEST(RayTreeTest, OddRaysAndFacesGoTheScansWay) {
    ID3DXMesh* mesh = MakeTerrain(6);
    const float nan = std::nanf("");
    for (const D3DXVECTOR3& d : {D3DXVECTOR3(nan, -1, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(1e-42f, -1, 0),
                                 D3DXVECTOR3(INFINITY, -1, 0)})
        EXPECT_EQ(ByTree(mesh, {1.3f, 2, 1.1f}, d), ByScan(mesh, {1.3f, 2, 1.1f}, d));
    mesh->Release();
    // Faces that name a vertex past the end are skipped by both; a mesh of nothing but those misses.
    ID3DXMesh* broken = MakeMesh({{{0, 0, 0}, {}, 0, 0}, {{1, 0, 0}, {}, 0, 0}, {{0, 0, 1}, {}, 0, 0}}, {0, 1, 9, 0, 1, 2});
    const Answer a = ByTree(broken, {0.2f, 1, 0.2f}, {0, -1, 0});
    EXPECT_TRUE(a.hit);
    EXPECT_EQ(a.face, 1u);
    EXPECT_EQ(broken->RayTree().FaceCount(), 1u);
    broken->Release();
}

TEST(RayTreeTest, WritingTheVerticesOrIndicesRebuildsTheTree) {
    ID3DXMesh* mesh = MakeTerrain(4);
    const D3DXVECTOR3 o(0.3f, 5, 0.3f), down(0, -1, 0);
    ASSERT_TRUE(ByTree(mesh, o, down).hit);
    const platform::MeshRayTree* before = &mesh->RayTree();
    // A read-only lock keeps the tree.
    void* data = nullptr;
    ASSERT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    mesh->UnlockVertexBuffer();
    EXPECT_EQ(&mesh->RayTree(), before);
    // Lift every vertex by 2, as skinning rewrites them: the hit moves with them.
    ASSERT_EQ(mesh->LockVertexBuffer(0, &data), D3D_OK);
    for (DWORD i = 0; i < mesh->GetNumVertices(); ++i) static_cast<MeshVertex*>(data)[i].position.y += 2;
    mesh->UnlockVertexBuffer();
    const Answer lifted = ByTree(mesh, o, down);
    EXPECT_EQ(lifted, ByScan(mesh, o, down));
    EXPECT_FLOAT_EQ(lifted.dist, 3.0f);
    // Point the first face at other corners: the scan and the tree see the same new face.
    ASSERT_EQ(mesh->LockIndexBuffer(0, &data), D3D_OK);
    static_cast<uint16_t*>(data)[1] = 6;
    mesh->UnlockIndexBuffer();
    const D3DXVECTOR3 o2(0.9f, 5, 0.2f);
    EXPECT_EQ(ByTree(mesh, o2, down), ByScan(mesh, o2, down));
    mesh->Release();
}
