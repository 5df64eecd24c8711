#pragma once
// A stand-alone depth-stencil surface for off-screen passes.
#include "platform/d3d9/Device.h"

class DepthStencil {
public:
    IDirect3DSurface9* surface = nullptr;
    D3DSURFACE_DESC desc{};

    // A D24S8 surface of the given size; false leaves the record empty.
    bool Create(UINT width, UINT height);
    void Release();
};
