#include "platform/d3dx/Mesh.h"
#include "platform/headless/HeadlessDevice.h"

namespace platform {

HRESULT DrawMeshSubset(IDirect3DDevice9* device, const ID3DXMesh& mesh, const D3DXATTRIBUTERANGE& range) {
    if (!device) return D3DERR_INVALIDCALL;
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        headless->Record("DrawSubset", {range.AttribId, range.FaceStart, range.FaceCount, mesh.GetNumVertices()});
        return D3D_OK;
    }
    // The GL device draws meshes once it has vertex and index buffers of its own: it will upload
    // mesh.Vertices()/Indices() when mesh.VertexVersion() is newer than its copy and draw
    // range.FaceCount triangles from index 3 * range.FaceStart.
    return D3D_OK;
}

}  // namespace platform
