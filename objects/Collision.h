#pragma once
// The one collision query of the game: a ray against a triangle mesh placed in the world.
#include "platform/d3dx/Mesh.h"

// Ray (origin, direction in world space; the direction need not be unit length) against the mesh
// placed at scale x rotation x translation(position). On a hit: distance in multiples of the
// direction, the hit point in world space and the face normal (unit length, turned by the rotation
// only; produced only when the hit point is asked for too). On a miss the outputs are untouched.
// A null mesh, or a placement that cannot be inverted (zero scale), is never hit.
bool IntersectMesh(ID3DXMesh* mesh, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                   const D3DXVECTOR3& position, const D3DXMATRIX& rotation, const D3DXMATRIX& scale,
                   D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal, float* distance);

// Whether the world-space point lies within the mesh's bounding box, the mesh placed as above.
// A null or empty mesh, or a placement that cannot be inverted, contains nothing.
bool WithinMeshBounds(ID3DXMesh* mesh, const D3DXVECTOR3& point, const D3DXVECTOR3& position,
                      const D3DXMATRIX& rotation, const D3DXMATRIX& scale);

// The same query in the mesh's own space; the normal follows the winding of the face hit.
bool IntersectLocal(ID3DXMesh* mesh, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                    D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal, float* distance);

// The three corners of one face. False (corners untouched) for a face or index outside the mesh.
bool GetFaceVertices(ID3DXMesh* mesh, DWORD face, D3DXVECTOR3 corners[3]);
