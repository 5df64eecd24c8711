#pragma once
// Ice patches laid over the running stage as cold shots would lay them: shots fired straight down from
// the gun's height at points spread over the stage's first map piece, with a fixed seed; a shot that
// strikes the map leaves a patch.
#include <algorithm>
#include <cmath>
#include <random>

#include "graphics/Mesh.h"
#include "objects/ColdShot.h"
#include "objects/ObjectList.h"

// Returns how many patches were laid (fewer than count only on a stage with too little floor).
inline int LayIcePatches(int count, unsigned seed = 7) {
    CharacterBase* map = FirstOfKind(KIND_MAP);
    Mesh* mesh = map ? map->GetColMesh() : nullptr;
    if (count <= 0 || !mesh || !mesh->mesh) return 0;
    float lo[3] = {INFINITY, INFINITY, INFINITY}, hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (const MeshVertex& v : mesh->mesh->Vertices())
        for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], v.position[a]), hi[a] = std::max(hi[a], v.position[a]);
    RayProbe probe = ColdShotProbe(ProbeRange::Everywhere, 0.0f);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> x(lo[0], hi[0]), z(lo[2], hi[2]);
    int laid = 0;
    for (int tries = 0; laid < count && tries < count * 50; ++tries) {
        ProbeHit hit;
        if (!probe.CastNearest(D3DXVECTOR3(x(random), 1.5f, z(random)), D3DXVECTOR3(0, -1, 0), hit)) continue;
        if (hit.object->kind != KIND_MAP) continue;
        LayIcePatch(hit.point, hit.normal);
        ++laid;
    }
    return laid;
}
