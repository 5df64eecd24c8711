#include "platform/d3dx/Intersect.h"

#include "platform/d3dx/RayTree.h"
#include "platform/d3dx/RayTriangle.h"

BOOL D3DXIntersectTri(const D3DXVECTOR3* p0, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                      const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, float* u, float* v, float* dist) {
    return platform::RayTriangle(*p0, *p1, *p2, *rayPos, *rayDir, *u, *v, *dist) ? TRUE : FALSE;
}

namespace {

void Report(const platform::RayHit& best, BOOL* hit, DWORD* faceIndex, float* u, float* v, float* dist,
            DWORD* countOfHits) {
    *hit = TRUE;
    if (faceIndex) *faceIndex = best.face;
    if (u) *u = best.u;
    if (v) *v = best.v;
    if (dist) *dist = best.dist;
    if (countOfHits) *countOfHits = 1;
}

}  // namespace

HRESULT platform::IntersectEveryFace(ID3DXMesh* mesh, const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir,
                                     BOOL* hit, DWORD* faceIndex, float* u, float* v, float* dist,
                                     DWORD* countOfHits) {
    if (!mesh || !rayPos || !rayDir || !hit) return D3DERR_INVALIDCALL;
    *hit = FALSE;
    if (countOfHits) *countOfHits = 0;
    const std::vector<MeshVertex>& vertices = mesh->Vertices();
    const std::vector<uint16_t>& indices = mesh->Indices();
    bool found = false;
    RayHit best;
    for (size_t f = 0; f + 2 < indices.size(); f += 3) {
        const uint16_t i0 = indices[f], i1 = indices[f + 1], i2 = indices[f + 2];
        if (i0 >= vertices.size() || i1 >= vertices.size() || i2 >= vertices.size()) continue;
        float a, b, t;
        if (!RayTriangle(vertices[i0].position, vertices[i1].position, vertices[i2].position, *rayPos, *rayDir, a,
                         b, t))
            continue;
        if (found && t >= best.dist) continue;  // equal distances keep the earlier face
        found = true;
        best = {static_cast<DWORD>(f / 3), a, b, t};
    }
    if (found) Report(best, hit, faceIndex, u, v, dist, countOfHits);
    return D3D_OK;
}

HRESULT D3DXIntersect(ID3DXMesh* mesh, const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, BOOL* hit,
                      DWORD* faceIndex, float* u, float* v, float* dist, ID3DXBuffer** allHits,
                      DWORD* countOfHits) {
    if (!mesh || !rayPos || !rayDir || !hit || allHits) return D3DERR_INVALIDCALL;
    platform::RayHit best;
    switch (mesh->RayTree().Nearest(*rayPos, *rayDir, best)) {
        case platform::MeshRayTree::Result::AskScan:
            return platform::IntersectEveryFace(mesh, rayPos, rayDir, hit, faceIndex, u, v, dist, countOfHits);
        case platform::MeshRayTree::Result::Hit:
            Report(best, hit, faceIndex, u, v, dist, countOfHits);
            return D3D_OK;
        case platform::MeshRayTree::Result::Miss: break;
    }
    *hit = FALSE;
    if (countOfHits) *countOfHits = 0;
    return D3D_OK;
}
