#pragma once
// Ray against triangle mesh, as D3DXIntersect: the nearest face the ray meets at or after its origin,
// whichever way the face points. The distance is in multiples of the direction vector; (u, v) are the
// barycentric coordinates of the hit, P0 + u (P1 - P0) + v (P2 - P0).
#include "platform/d3dx/Buffer.h"
#include "platform/d3dx/Mesh.h"

// The faces are found through the mesh's ray tree (see Mesh.h).
// allHits is not supported (must be null); countOfHits receives 1 on a hit and 0 otherwise.
HRESULT D3DXIntersect(ID3DXMesh* mesh, const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, BOOL* hit,
                      DWORD* faceIndex, float* u, float* v, float* dist, ID3DXBuffer** allHits,
                      DWORD* countOfHits);

namespace platform {
// The same query answered by testing every face in order, without the mesh's ray tree. D3DXIntersect
// gives the same answer bit for bit, faster; this stays as the reference it is checked and timed against.
HRESULT IntersectEveryFace(ID3DXMesh* mesh, const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, BOOL* hit,
                           DWORD* faceIndex, float* u, float* v, float* dist, DWORD* countOfHits);
}  // namespace platform

// The same test for one triangle (Moller-Trumbore, both sides).
BOOL D3DXIntersectTri(const D3DXVECTOR3* p0, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                      const D3DXVECTOR3* rayPos, const D3DXVECTOR3* rayDir, float* u, float* v, float* dist);
