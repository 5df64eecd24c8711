#include "platform/d3dx/Mesh.h"

#include "platform/d3dx/RayTree.h"

ID3DXMesh::ID3DXMesh(IDirect3DDevice9* device_, std::vector<MeshVertex> vertices_,
                     std::vector<uint16_t> indices_, std::vector<DWORD> attributes_,
                     std::vector<D3DXATTRIBUTERANGE> table_)
    : device(device_),
      vertices(std::move(vertices_)),
      indices(std::move(indices_)),
      attributes(std::move(attributes_)),
      table(std::move(table_)) {}

HRESULT ID3DXMesh::GetDevice(IDirect3DDevice9** out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = device;
    if (device) device->AddRef();
    return D3D_OK;
}

HRESULT ID3DXMesh::LockVertexBuffer(DWORD flags, void** data) {
    if (!data || vertices.empty()) return D3DERR_INVALIDCALL;
    *data = vertices.data();
    vertexWriteLock = (flags & D3DLOCK_READONLY) == 0;
    return D3D_OK;
}

HRESULT ID3DXMesh::UnlockVertexBuffer() {
    if (vertexWriteLock) ++vertexVersion;
    vertexWriteLock = false;
    return D3D_OK;
}

HRESULT ID3DXMesh::LockIndexBuffer(DWORD flags, void** data) {
    if (!data || indices.empty()) return D3DERR_INVALIDCALL;
    *data = indices.data();
    indexWriteLock = (flags & D3DLOCK_READONLY) == 0;
    return D3D_OK;
}

HRESULT ID3DXMesh::UnlockIndexBuffer() {
    if (indexWriteLock) ++indexVersion;
    indexWriteLock = false;
    return D3D_OK;
}

void ID3DXMesh::PrepareRayTree() const { RayTree(); }

const platform::MeshRayTree& ID3DXMesh::RayTree() const {
    if (!rayTree || rayTreeVertexVersion != vertexVersion || rayTreeIndexVersion != indexVersion) {
        rayTree = std::make_shared<const platform::MeshRayTree>(vertices, indices);
        rayTreeVertexVersion = vertexVersion;
        rayTreeIndexVersion = indexVersion;
    }
    return *rayTree;
}

HRESULT ID3DXMesh::LockAttributeBuffer(DWORD, DWORD** data) {
    if (!data || attributes.empty()) return D3DERR_INVALIDCALL;
    *data = attributes.data();
    return D3D_OK;
}

HRESULT ID3DXMesh::GetAttributeTable(D3DXATTRIBUTERANGE* out, DWORD* size) const {
    if (!size) return D3DERR_INVALIDCALL;
    if (out)
        for (size_t i = 0; i < table.size(); ++i) out[i] = table[i];
    *size = static_cast<DWORD>(table.size());
    return D3D_OK;
}

const D3DXATTRIBUTERANGE* ID3DXMesh::FindSubset(DWORD attribId) const {
    for (const D3DXATTRIBUTERANGE& range : table)
        if (range.AttribId == attribId) return &range;
    return nullptr;
}

HRESULT ID3DXMesh::DrawSubset(DWORD attribId) {
    const D3DXATTRIBUTERANGE* range = FindSubset(attribId);
    if (!range) return D3D_OK;  // a material no face uses draws nothing
    return platform::DrawMeshSubset(device, *this, *range);
}

HRESULT ID3DXMesh::CloneMeshFVF(DWORD, DWORD fvf, IDirect3DDevice9* target, ID3DXMesh** out) const {
    if (!out) return D3DERR_INVALIDCALL;
    *out = nullptr;
    if (fvf != D3DXMESH_VERTEX_FVF) return D3DERR_NOTAVAILABLE;
    *out = new ID3DXMesh(target, vertices, indices, attributes, table);
    return D3D_OK;
}
