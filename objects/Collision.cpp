#include "objects/Collision.h"

#include "platform/d3dx/Intersect.h"

bool IntersectMesh(ID3DXMesh* mesh, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                   const D3DXVECTOR3& position, const D3DXMATRIX& rotation, const D3DXMATRIX& scale,
                   D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal, float* distance) {
    D3DXMATRIX translation, world, inverse;
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    world = scale * rotation * translation;
    if (!D3DXMatrixInverse(&inverse, nullptr, &world)) return false;
    // One affine map for both: the ray parameter of a hit is the same in both spaces.
    D3DXVECTOR3 localOrigin, localDirection;
    D3DXVec3TransformCoord(&localOrigin, &origin, &inverse);
    D3DXVec3TransformNormal(&localDirection, &direction, &inverse);
    D3DXVECTOR3 localPoint, localNormal;
    if (!IntersectLocal(mesh, localOrigin, localDirection, hitPoint ? &localPoint : nullptr,
                        normal ? &localNormal : nullptr, distance))
        return false;
    if (hitPoint) {
        D3DXVec3TransformCoord(hitPoint, &localPoint, &world);
        if (normal) D3DXVec3TransformNormal(normal, &localNormal, &rotation);
    }
    return true;
}

bool WithinMeshBounds(ID3DXMesh* mesh, const D3DXVECTOR3& point, const D3DXVECTOR3& position,
                      const D3DXMATRIX& rotation, const D3DXMATRIX& scale) {
    if (!mesh || mesh->Vertices().empty()) return false;
    D3DXMATRIX translation, world, inverse;
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    world = scale * rotation * translation;
    if (!D3DXMatrixInverse(&inverse, nullptr, &world)) return false;
    D3DXVECTOR3 local;
    D3DXVec3TransformCoord(&local, &point, &inverse);
    // Each axis: some corner at or below the point, and some at or above it.
    int below = 0, above = 0;
    for (const MeshVertex& v : mesh->Vertices()) {
        for (int a = 0; a < 3; ++a) {
            if (v.position[a] <= local[a]) below |= 1 << a;
            if (v.position[a] >= local[a]) above |= 1 << a;
        }
    }
    return below == 7 && above == 7;
}

bool IntersectLocal(ID3DXMesh* mesh, const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                    D3DXVECTOR3* hitPoint, D3DXVECTOR3* normal, float* distance) {
    if (!mesh) return false;
    BOOL hit = FALSE;
    DWORD face = 0;
    float u = 0, v = 0, t = 0;
    D3DXIntersect(mesh, &origin, &direction, &hit, &face, &u, &v, &t, nullptr, nullptr);
    if (!hit) return false;
    if (distance) *distance = t;
    D3DXVECTOR3 p[3];
    if (hitPoint && GetFaceVertices(mesh, face, p)) {
        *hitPoint = p[0] + (p[1] - p[0]) * u + (p[2] - p[0]) * v;
        if (normal) {
            D3DXPLANE plane;
            D3DXPlaneFromPoints(&plane, &p[0], &p[1], &p[2]);
            D3DXPlaneNormalize(&plane, &plane);
            *normal = D3DXVECTOR3(plane.a, plane.b, plane.c);
        }
    }
    return true;
}

bool GetFaceVertices(ID3DXMesh* mesh, DWORD face, D3DXVECTOR3 corners[3]) {
    if (!mesh || face >= mesh->GetNumFaces()) return false;
    void* indexData = nullptr;
    void* vertexData = nullptr;
    if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData))) return false;
    bool read = false;
    if (SUCCEEDED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertexData))) {
        const auto* indices = static_cast<const uint16_t*>(indexData);
        const auto* bytes = static_cast<const unsigned char*>(vertexData);
        const DWORD stride = mesh->GetNumBytesPerVertex();
        read = true;
        for (int k = 0; k < 3; ++k) read = read && indices[3 * face + k] < mesh->GetNumVertices();
        for (int k = 0; read && k < 3; ++k)
            corners[k] = *reinterpret_cast<const D3DXVECTOR3*>(bytes + indices[3 * face + k] * stride);
        mesh->UnlockVertexBuffer();
    }
    mesh->UnlockIndexBuffer();
    return read;
}
