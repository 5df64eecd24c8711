// Costs of the model work done every frame: skinning the player on the CPU (animation update, bone
// walk and vertex blend) and one ray query against the largest stage mesh.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "graphics/Mesh.h"
#include "graphics/SkinnedMesh.h"
#include "objects/Collision.h"
#include "platform/d3dx/Intersect.h"

namespace {

const std::string kRoot = VELDORIN_GAME_DIR;

void BM_PlayerSkinning(benchmark::State& state) {
    SkinnedMesh skin;
    if (FAILED(skin.Load(nullptr, kRoot + "/data/xfile/Player/player.x"))) {
        state.SkipWithError("player model missing");
        return;
    }
    skin.animations[1].speed = 1.5f;
    skin.ChangeAnimation(1);
    D3DXMATRIX world;
    D3DXMatrixScaling(&world, 0.01f, 0.01f, 0.01f);
    for (auto _ : state) {
        skin.Update(world);
        skin.SkinVertices();
        benchmark::DoNotOptimize(skin.containers[0]->MeshData.pMesh->Vertices().data());
    }
    state.counters["vertices"] = static_cast<double>(skin.containers[0]->MeshData.pMesh->GetNumVertices() +
                                                     skin.containers[1]->MeshData.pMesh->GetNumVertices());
}
BENCHMARK(BM_PlayerSkinning);

// Ground probes: straight down from points spread over the room, as the player and boxes cast them.
void BM_IntersectMeshMapPiece(benchmark::State& state) {
    Mesh room;
    if (!room.Load(nullptr, kRoot + "/data/xfile/Map/TestRoom.x")) {
        state.SkipWithError("map piece missing");
        return;
    }
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    int i = 0, hits = 0;
    for (auto _ : state) {
        const D3DXVECTOR3 origin(-11.0f + static_cast<float>(i % 23), 0.7f, -11.0f + static_cast<float>((i / 23) % 23));
        D3DXVECTOR3 point, normal;
        float distance;
        hits += IntersectMesh(room.mesh, origin, {0, -1, 0}, {0, 0, 0}, identity, identity, &point, &normal, &distance);
        ++i;
    }
    state.counters["faces"] = room.mesh->GetNumFaces();
    state.counters["hit_rate"] = static_cast<double>(hits) / static_cast<double>(i ? i : 1);
}
BENCHMARK(BM_IntersectMeshMapPiece);

// The map mesh with the most faces, loaded once for the ray benchmarks below (the places' drawn maps
// are written in pieces, so this is the display tests' room).
Mesh& LargestMap() {
    static Mesh largest;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        for (const auto& entry : std::filesystem::directory_iterator(kRoot + "/data/xfile/Map")) {
            if (entry.path().extension() != ".x") continue;
            Mesh candidate;
            if (!candidate.Load(nullptr, entry.path().string())) continue;
            if (!largest.mesh || candidate.mesh->GetNumFaces() > largest.mesh->GetNumFaces())
                largest.Load(nullptr, entry.path().string());
        }
    }
    return largest;
}

// The rays both benchmarks fire: half ground probes straight down from above the mesh, half from
// anywhere in its box in any direction, as the camera and the launchers cast them.
std::vector<std::pair<D3DXVECTOR3, D3DXVECTOR3>> MapRays(const ID3DXMesh& mesh) {
    float lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (const MeshVertex& v : mesh.Vertices())
        for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], v.position[a]), hi[a] = std::max(hi[a], v.position[a]);
    std::mt19937 random(5);
    auto in = [&](int a) { return std::uniform_real_distribution<float>(lo[a], hi[a])(random); };
    std::normal_distribution<float> n;
    std::vector<std::pair<D3DXVECTOR3, D3DXVECTOR3>> rays;
    for (int i = 0; i < 1024; ++i) {
        if (i % 2 == 0)
            rays.push_back({{in(0), hi[1] + 0.5f, in(2)}, {0, -1, 0}});
        else
            rays.push_back({{in(0), in(1), in(2)}, {n(random), n(random), n(random)}});
    }
    return rays;
}

template <bool kTree>
void BM_RayLargestMap(benchmark::State& state) {
    Mesh& map = LargestMap();
    if (!map.mesh) {
        state.SkipWithError("map meshes missing");
        return;
    }
    const auto rays = MapRays(*map.mesh);
    size_t i = 0, hits = 0;
    for (auto _ : state) {
        const auto& [origin, direction] = rays[i++ & 1023];
        BOOL hit = FALSE;
        DWORD face = 0;
        float u, v, t;
        if (kTree)
            D3DXIntersect(map.mesh, &origin, &direction, &hit, &face, &u, &v, &t, nullptr, nullptr);
        else
            platform::IntersectEveryFace(map.mesh, &origin, &direction, &hit, &face, &u, &v, &t, nullptr);
        hits += hit ? 1 : 0;
        benchmark::DoNotOptimize(t);
    }
    state.SetLabel(map.fileName);
    state.counters["faces"] = map.mesh->GetNumFaces();
    state.counters["hit_rate"] = static_cast<double>(hits) / static_cast<double>(i ? i : 1);
}
// Every face tested, in order: the reference the tree must equal.
void BM_RayLargestMapScan(benchmark::State& state) { BM_RayLargestMap<false>(state); }
// Through the mesh's ray tree, as the game queries.
void BM_RayLargestMapTree(benchmark::State& state) { BM_RayLargestMap<true>(state); }
BENCHMARK(BM_RayLargestMapScan);
BENCHMARK(BM_RayLargestMapTree);

}  // namespace
