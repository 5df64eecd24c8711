#include "graphics/DepthStencil.h"

#include "graphics/GraphicsDevice.h"

bool DepthStencil::Create(UINT width, UINT height) {
    Release();
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (!device || FAILED(device->CreateDepthStencilSurface(width, height, D3DFMT_D24S8, D3DMULTISAMPLE_NONE, 0,
                                                            FALSE, &surface, nullptr))) {
        surface = nullptr;
        return false;
    }
    surface->GetDesc(&desc);
    return true;
}

void DepthStencil::Release() {
    SafeRelease(surface);
    desc = D3DSURFACE_DESC{};
}
