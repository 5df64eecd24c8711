#pragma once
// The Direct3D 9 device interfaces the game draws through. Two back ends implement them: the OpenGL
// device (platform/gl) and the headless device (platform/headless), chosen when the device is created.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/Unknown.h"

class IDirect3DTexture9;

// A colour, depth or depth-stencil surface: the back buffer, a render-target level or a stand-alone
// depth-stencil surface.
class IDirect3DSurface9 : public Unknown {
public:
    explicit IDirect3DSurface9(const D3DSURFACE_DESC& d) : desc(d) {}
    HRESULT GetDesc(D3DSURFACE_DESC* out) const {
        if (!out) return D3DERR_INVALIDCALL;
        *out = desc;
        return D3D_OK;
    }

protected:
    D3DSURFACE_DESC desc;
};

class IDirect3DDevice9 : public Unknown {
public:
    // --- frame ---
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour, float z,
                          DWORD stencil) = 0;
    virtual HRESULT Present(const void* srcRect, const void* dstRect, HWND overrideWindow,
                            const void* dirtyRegion) = 0;

    // --- fixed state ---
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
    virtual HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) = 0;
    virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
    virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DXMATRIX* matrix) = 0;
    virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DXMATRIX* matrix) = 0;
    virtual HRESULT SetViewport(const D3DVIEWPORT9* viewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;

    // --- lights ---
    virtual HRESULT SetLight(DWORD index, const D3DLIGHT9* light) = 0;
    virtual HRESULT GetLight(DWORD index, D3DLIGHT9* light) = 0;
    virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
    virtual HRESULT GetLightEnable(DWORD index, BOOL* enable) = 0;

    // --- surfaces (Get* hand out a reference the caller releases) ---
    virtual HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) = 0;
    virtual HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) = 0;
    virtual HRESULT GetDepthStencilSurface(IDirect3DSurface9** surface) = 0;
    virtual HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) = 0;
    // Copies one surface onto another. Only whole surfaces of the same size and format (both rects
    // null) are supported; other requests fail with D3DERR_INVALIDCALL.
    virtual HRESULT StretchRect(IDirect3DSurface9* source, const void* sourceRect, IDirect3DSurface9* dest,
                                const void* destRect, D3DTEXTUREFILTERTYPE filter) {
        (void)source, (void)sourceRect, (void)dest, (void)destRect, (void)filter;
        return D3DERR_INVALIDCALL;
    }
    virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;

    // --- resources ---
    virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DTexture9** texture, void* sharedHandle) = 0;
    virtual HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                              D3DMULTISAMPLE_TYPE multiSample, DWORD quality, BOOL discard,
                                              IDirect3DSurface9** surface, void* sharedHandle) = 0;

    // --- drawing ---
    // The device keeps a reference to the texture of each stage until another replaces it.
    virtual HRESULT SetMaterial(const D3DMATERIAL9* material) = 0;
    virtual HRESULT GetMaterial(D3DMATERIAL9* material) = 0;
    virtual HRESULT SetTexture(DWORD stage, IDirect3DTexture9* texture) = 0;
    virtual HRESULT GetTexture(DWORD stage, IDirect3DTexture9** texture) = 0;
    virtual HRESULT SetFVF(DWORD fvf) = 0;
    virtual HRESULT GetFVF(DWORD* fvf) = 0;
    // Draws vertices of the current vertex format straight from memory.
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                                    UINT stride) = 0;

    // --- platform extras ---
    // Hand-over of the device to another thread (the loading screen): the owning thread detaches, the
    // other attaches, draws, detaches, and the owner attaches again. No-ops where the back end has no
    // per-thread context.
    virtual void AttachToThread() {}
    virtual void DetachFromThread() {}
    // Waits until every command given so far has been carried out (frame timing). A no-op where the
    // back end draws nothing.
    virtual void Finish() {}
    // The name of what draws: OpenGL's renderer string ("llvmpipe (LLVM ...)" for Mesa's software
    // rasteriser), empty where the back end draws nothing.
    virtual std::string RendererName() const { return std::string(); }
    // The picture in the back buffer as 8-bit RGBA rows, top row first. False where the back end keeps
    // no pixels (the headless device).
    virtual bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) = 0;
};

// The object that creates devices.
class IDirect3D9 : public Unknown {
public:
    virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) = 0;
    virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviourFlags,
                                 D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) = 0;
};

// Creates the device factory of the back end the platform was configured with.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
