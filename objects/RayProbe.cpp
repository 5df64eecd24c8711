#include "objects/RayProbe.h"

#include <cmath>

#include "graphics/Mesh.h"
#include "objects/Collision.h"
#include "objects/ObjectList.h"

D3DXVECTOR3 WorldPosition(const CharacterBase& object) {
    return D3DXVECTOR3(object.world->_41, object.world->_42, object.world->_43);
}

namespace {

// Hit lists of probes gone, kept with their capacity for the probes to come.
std::vector<std::vector<ProbeHit>>& SpareHitLists() {
    thread_local std::vector<std::vector<ProbeHit>> spare;
    return spare;
}

}  // namespace

RayProbe::RayProbe(std::initializer_list<int> kindList, ProbeRange rangeKind, float reachLimit)
    : range(rangeKind), reach(reachLimit) {
    for (int kind : kindList) {
        if (kindCount < kMaxKinds) kinds[kindCount++] = kind;
    }
    std::vector<std::vector<ProbeHit>>& spare = SpareHitLists();
    if (!spare.empty()) {
        hits = std::move(spare.back());
        spare.pop_back();
        hits.clear();
    }
}

RayProbe::~RayProbe() {
    if (hits.capacity()) SpareHitLists().push_back(std::move(hits));
}

bool RayProbe::InRange(const CharacterBase& object, const D3DXVECTOR3& origin) const {
    if (object.kind == KIND_MAP) return true;
    const D3DXVECTOR3 d = WorldPosition(object) - origin;
    switch (range) {
        case ProbeRange::Everywhere: return true;
        case ProbeRange::Window: return std::fabs(d.x) < reach && std::fabs(d.z) < reach;
        case ProbeRange::Sphere: return D3DXVec3Length(&d) <= reach;
    }
    return false;
}

const std::vector<ProbeHit>& RayProbe::CastAll(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction) {
    hits.clear();
    candidateCount = 0;
    for (size_t k = 0; k < kindCount; ++k) {
        ForEachOfKind(kinds[k], [&](CharacterBase* object) {
            if (object == skip || !InRange(*object, origin)) return;
            ++candidateCount;
            Mesh* mesh = object->GetColMesh();
            if (!mesh) return;
            ProbeHit hit;
            hit.object = object;
            if (IntersectMesh(mesh->mesh, origin, direction, WorldPosition(*object), object->rotMat,
                              object->scaleMat, &hit.point, &hit.normal, &hit.distance))
                hits.push_back(hit);
        });
    }
    return hits;
}

bool RayProbe::CastNearest(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction, ProbeHit& nearest) {
    bool found = false;
    float best = kMaxDistance;
    for (const ProbeHit& hit : CastAll(origin, direction)) {
        if (hit.distance < best) {
            best = hit.distance;
            nearest = hit;
            found = true;
        }
    }
    return found;
}
