#include "explore/MapSolids.h"

#include <cmath>
#include <limits>

#include "graphics/Mesh.h"
#include "objects/ObjectList.h"

namespace {

constexpr float kFlat = 1e-3f;  // coordinates this close count as one

bool Near(float a, float b) { return std::fabs(a - b) < kFlat; }

// The triangles of a mesh in world space, placed as the ray queries place it.
std::vector<std::array<D3DXVECTOR3, 3>> WorldFaces(const CharacterBase& map, ID3DXMesh& mesh) {
    const D3DXMATRIX placement = map.scaleMat * map.rotMat * map.transMat;
    const std::vector<MeshVertex>& vertices = mesh.Vertices();
    const std::vector<uint16_t>& indices = mesh.Indices();
    std::vector<std::array<D3DXVECTOR3, 3>> faces;
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        std::array<D3DXVECTOR3, 3> face;
        bool valid = true;
        for (size_t k = 0; k < 3; ++k) {
            valid = valid && indices[i + k] < vertices.size();
            if (valid) D3DXVec3TransformCoord(&face[k], &vertices[indices[i + k]].position, &placement);
        }
        if (valid) faces.push_back(face);
    }
    return faces;
}

}  // namespace

void MapSolids::Build() {
    solids.clear();
    looseFaces = 0;
    for (CharacterBase* object : GetObjectList()) {
        if (!object || object->kind != KIND_MAP || !object->colMesh || !object->colMesh->mesh) continue;
        AddMesh(WorldFaces(*object, *object->colMesh->mesh));
    }
    bounds = solids.empty() ? Aabb{} : solids.front();
    lowestFloor = std::numeric_limits<float>::max();
    for (const Aabb& solid : solids) {
        bounds.Grow(solid.lo);
        bounds.Grow(solid.hi);
        lowestFloor = std::min(lowestFloor, solid.hi.y);
    }
    if (solids.empty()) lowestFloor = 0.0f;
}

void MapSolids::AddMesh(const std::vector<Triangle>& faces) {
    for (size_t i = 0; i < faces.size();) {
        if (TakeBox(faces, i)) i += 12;
        else if (TakeFloor(faces, i)) i += 2;
        else {
            ++looseFaces;
            ++i;
        }
    }
}

// Twelve triangles whose corners all lie on the faces of their common box, two on each face.
bool MapSolids::TakeBox(const std::vector<Triangle>& faces, size_t first) {
    if (first + 12 > faces.size()) return false;
    Aabb box = Aabb::Around(faces[first][0]);
    for (size_t f = first; f < first + 12; ++f)
        for (const D3DXVECTOR3& corner : faces[f]) box.Grow(corner);
    const D3DXVECTOR3 size = box.Size();
    if (size.x < kFlat || size.y < kFlat || size.z < kFlat) return false;
    int onPlane[6] = {};
    for (size_t f = first; f < first + 12; ++f) {
        int plane = -1;
        for (int axis = 0; axis < 3 && plane < 0; ++axis) {
            for (int side = 0; side < 2 && plane < 0; ++side) {
                const float at = side ? (&box.hi.x)[axis] : (&box.lo.x)[axis];
                bool all = true;
                for (const D3DXVECTOR3& corner : faces[f]) all = all && Near((&corner.x)[axis], at);
                if (all) plane = axis * 2 + side;
            }
        }
        if (plane < 0) return false;
        ++onPlane[plane];
    }
    for (int count : onPlane)
        if (count != 2) return false;
    solids.push_back(box);
    return true;
}

// Two level triangles: a floor, solid down to kFloorDepth below its face.
bool MapSolids::TakeFloor(const std::vector<Triangle>& faces, size_t first) {
    if (first + 2 > faces.size()) return false;
    const float y = faces[first][0].y;
    Aabb plan = Aabb::Around(faces[first][0]);
    for (size_t f = first; f < first + 2; ++f)
        for (const D3DXVECTOR3& corner : faces[f]) {
            if (!Near(corner.y, y)) return false;
            plan.Grow(corner);
        }
    plan.lo.y = y - kFloorDepth;
    solids.push_back(plan);
    return true;
}

const Aabb* MapSolids::SolidAt(const D3DXVECTOR3& p, float inset) const {
    for (const Aabb& solid : solids)
        if (solid.Contains(p, inset)) return &solid;
    return nullptr;
}

const Aabb* MapSolids::Overlapping(const Aabb& box, float tolerance) const {
    for (const Aabb& solid : solids)
        if (solid.Overlaps(box, tolerance)) return &solid;
    return nullptr;
}

bool MapSolids::GroundBelow(float x, float z, float fromY, float& top) const {
    bool found = false;
    for (const Aabb& solid : solids) {
        if (!solid.ContainsPlan(x, z) || solid.hi.y > fromY) continue;
        if (!found || solid.hi.y > top) top = solid.hi.y;
        found = true;
    }
    return found;
}
