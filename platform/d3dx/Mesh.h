#pragma once
// A triangle mesh in the shape of ID3DXMesh: one vertex buffer, one 16-bit index buffer, one attribute
// (material number) per face and an attribute table with one range per subset. The buffers live on
// the CPU, where the ray queries and the skinning read and write them; the drawing side makes its GPU
// copy from them when it draws.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3d9/Device.h"
#include "platform/d3dx/MeshTypes.h"

namespace platform {
class MeshRayTree;
}

// What a back end keeps of a mesh on its own side (the GPU copy); freed with the mesh.
class MeshDeviceCopy {
public:
    virtual ~MeshDeviceCopy() = default;
};

class ID3DXMesh : public Unknown {
public:
    // Faces must already be grouped by attribute, in the order of the table.
    ID3DXMesh(IDirect3DDevice9* device, std::vector<MeshVertex> vertices, std::vector<uint16_t> indices,
              std::vector<DWORD> attributes, std::vector<D3DXATTRIBUTERANGE> table);

    // --- sizes ---
    DWORD GetNumFaces() const { return static_cast<DWORD>(attributes.size()); }
    DWORD GetNumVertices() const { return static_cast<DWORD>(vertices.size()); }
    DWORD GetFVF() const { return D3DXMESH_VERTEX_FVF; }
    DWORD GetNumBytesPerVertex() const { return sizeof(MeshVertex); }
    DWORD GetOptions() const { return D3DXMESH_MANAGED; }
    HRESULT GetDevice(IDirect3DDevice9** out);

    // --- buffers (a read-only lock leaves the GPU copy as it is) ---
    HRESULT LockVertexBuffer(DWORD flags, void** data);
    HRESULT UnlockVertexBuffer();
    HRESULT LockIndexBuffer(DWORD flags, void** data);
    HRESULT UnlockIndexBuffer();
    HRESULT LockAttributeBuffer(DWORD flags, DWORD** data);
    HRESULT UnlockAttributeBuffer() { return D3D_OK; }

    // --- subsets ---
    // With a null table only the size is written.
    HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) const;
    const D3DXATTRIBUTERANGE* FindSubset(DWORD attribId) const;
    HRESULT DrawSubset(DWORD attribId);

    // A copy with the same layout (the only layout we load).
    HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device, ID3DXMesh** out) const;

    // --- the drawing side's view ---
    const std::vector<MeshVertex>& Vertices() const { return vertices; }
    const std::vector<uint16_t>& Indices() const { return indices; }
    // Grows whenever the vertices may have been written; a GPU copy older than this is stale.
    uint32_t VertexVersion() const { return vertexVersion; }
    uint32_t IndexVersion() const { return indexVersion; }
    MeshDeviceCopy* DeviceCopy() const { return deviceCopy.get(); }
    void SetDeviceCopy(std::unique_ptr<MeshDeviceCopy> copy) const { deviceCopy = std::move(copy); }

    // --- ray queries ---
    // The hierarchy over the faces that ray queries walk. PrepareRayTree builds it; the mesh loader
    // calls it on the loading thread, before the mesh is handed to the game. Should the vertices or
    // indices be written afterwards (through a writing lock), the next query rebuilds it on the
    // querying thread; queries come from one thread at a time.
    void PrepareRayTree() const;
    const platform::MeshRayTree& RayTree() const;

private:
    IDirect3DDevice9* device;  // not owned: the device outlives every mesh
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices;
    std::vector<DWORD> attributes;
    std::vector<D3DXATTRIBUTERANGE> table;
    uint32_t vertexVersion = 1;
    bool vertexWriteLock = false;
    uint32_t indexVersion = 1;
    bool indexWriteLock = false;
    mutable std::shared_ptr<const platform::MeshRayTree> rayTree;
    mutable uint32_t rayTreeVertexVersion = 0, rayTreeIndexVersion = 0;
    mutable std::unique_ptr<MeshDeviceCopy> deviceCopy;
};

namespace platform {
// Draws one subset of a mesh on the device that created it. This is the one place where meshes meet
// a back end: the headless device records the call; the GL device draws the range.
HRESULT DrawMeshSubset(IDirect3DDevice9* device, const ID3DXMesh& mesh, const D3DXATTRIBUTERANGE& range);
}  // namespace platform
