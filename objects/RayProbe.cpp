#include "objects/RayProbe.h"

#include <cmath>

#include "graphics/Mesh.h"
#include "objects/Collision.h"
#include "objects/ObjectList.h"

D3DXVECTOR3 WorldPosition(const CharacterBase& object) {
    return D3DXVECTOR3(object.world->_41, object.world->_42, object.world->_43);
}

RayProbe::RayProbe(std::initializer_list<int> kindList, ProbeRange rangeKind, float reachLimit)
    : kinds(kindList), range(rangeKind), reach(reachLimit) {}

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
    candidates.clear();
    hits.clear();
    for (int kind : kinds) CollectByKind(candidates, kind);
    candidateCount = 0;
    for (CharacterBase* object : candidates) {
        if (object == skip || !InRange(*object, origin)) continue;
        ++candidateCount;
        Mesh* mesh = object->GetColMesh();
        if (!mesh) continue;
        ProbeHit hit;
        hit.object = object;
        if (IntersectMesh(mesh->mesh, origin, direction, WorldPosition(*object), object->rotMat, object->scaleMat,
                          &hit.point, &hit.normal, &hit.distance))
            hits.push_back(hit);
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
