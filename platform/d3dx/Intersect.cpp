#include "platform/d3dx/Intersect.h"

namespace {

// Inlined here: this loop runs once per face of every mesh a ray is tested against.
inline D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

BOOL D3DXIntersectTri(const D3DXVECTOR3* p0, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                      const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, float* u, float* v, float* dist) {
    const D3DXVECTOR3 e1 = *p1 - *p0, e2 = *p2 - *p0;
    const D3DXVECTOR3 p = Cross(*rayDir, e2);
    const float det = Dot(e1, p);
    if (det == 0.0f) return FALSE;  // ray parallel to the face, or a degenerate face
    const float inv = 1.0f / det;
    const D3DXVECTOR3 s = *rayPos - *p0;
    const float a = Dot(s, p) * inv;
    if (a < 0.0f || a > 1.0f) return FALSE;
    const D3DXVECTOR3 q = Cross(s, e1);
    const float b = Dot(*rayDir, q) * inv;
    if (b < 0.0f || a + b > 1.0f) return FALSE;
    const float t = Dot(e2, q) * inv;
    if (t < 0.0f) return FALSE;
    *u = a;
    *v = b;
    *dist = t;
    return TRUE;
}

HRESULT D3DXIntersect(ID3DXMesh* mesh, const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, BOOL* hit,
                      DWORD* faceIndex, float* u, float* v, float* dist, ID3DXBuffer** allHits,
                      DWORD* countOfHits) {
    if (!mesh || !rayPos || !rayDir || !hit || allHits) return D3DERR_INVALIDCALL;
    *hit = FALSE;
    if (countOfHits) *countOfHits = 0;
    const std::vector<MeshVertex>& vertices = mesh->Vertices();
    const std::vector<uint16_t>& indices = mesh->Indices();
    bool found = false;
    float bestU = 0, bestV = 0, bestT = 0;
    DWORD bestFace = 0;
    for (size_t f = 0; f + 2 < indices.size(); f += 3) {
        const uint16_t i0 = indices[f], i1 = indices[f + 1], i2 = indices[f + 2];
        if (i0 >= vertices.size() || i1 >= vertices.size() || i2 >= vertices.size()) continue;
        float a, b, t;
        if (!D3DXIntersectTri(&vertices[i0].position, &vertices[i1].position, &vertices[i2].position, rayPos,
                              rayDir, &a, &b, &t))
            continue;
        if (found && t >= bestT) continue;
        found = true;
        bestU = a, bestV = b, bestT = t, bestFace = static_cast<DWORD>(f / 3);
    }
    if (!found) return D3D_OK;
    *hit = TRUE;
    if (faceIndex) *faceIndex = bestFace;
    if (u) *u = bestU;
    if (v) *v = bestV;
    if (dist) *dist = bestT;
    if (countOfHits) *countOfHits = 1;
    return D3D_OK;
}
