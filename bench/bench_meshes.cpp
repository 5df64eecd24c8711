// Costs of the model work done every frame: skinning the player on the CPU (animation update, bone
// walk and vertex blend) and one ray query against the largest stage mesh.
#include <benchmark/benchmark.h>

#include <string>

#include "graphics/Mesh.h"
#include "graphics/SkinnedMesh.h"
#include "objects/Collision.h"

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

}  // namespace
