#include "platform/d3dx/Mesh.h"
#include "platform/gl/GLDevice.h"
#include "platform/headless/HeadlessDevice.h"

namespace platform {

HRESULT DrawMeshSubset(IDirect3DDevice9* device, const ID3DXMesh& mesh, const D3DXATTRIBUTERANGE& range) {
    if (!device) return D3DERR_INVALIDCALL;
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        headless->Record("DrawSubset", {range.AttribId, range.FaceStart, range.FaceCount, mesh.GetNumVertices()});
        return D3D_OK;
    }
    if (auto* gl = dynamic_cast<GLDevice*>(device)) return gl->DrawMesh(mesh, range);
    return D3DERR_INVALIDCALL;
}

}  // namespace platform
