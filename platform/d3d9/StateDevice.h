#pragma once
// The state every device keeps whatever it draws with: render, sampler and stage states with
// Direct3D's defaults, transforms, lights, viewport and the bound surfaces. Back ends derive from it
// and read the tables when they draw.
#include <array>

#include "platform/d3d9/Device.h"

class StateDevice : public IDirect3DDevice9 {
public:
    static constexpr int kMaxSamplers = 16;
    static constexpr int kMaxStages = 8;
    static constexpr int kMaxLights = 8;
    static constexpr int kMaxRenderTargets = 4;

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DXMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, D3DXMATRIX* matrix) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT9* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** surface) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) override;
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT GetMaterial(D3DMATERIAL9* material) override;
    HRESULT SetTexture(DWORD stage, IDirect3DTexture9* texture) override;
    HRESULT GetTexture(DWORD stage, IDirect3DTexture9** texture) override;
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT GetFVF(DWORD* fvf) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;

    bool InScene() const { return inScene; }

protected:
    // Takes ownership of the device's own back buffer and depth-stencil surface and binds them.
    StateDevice(const D3DPRESENT_PARAMETERS& params, IDirect3DSurface9* backBuffer,
                IDirect3DSurface9* depthStencil, D3DDEVTYPE type);
    ~StateDevice() override;

    // Drops every surface and texture reference the device holds (before a back end tears its context down).
    void ReleaseSurfaces();
    // Lets a back end react when the bound surfaces change.
    virtual void OnTargetsChanged() {}

    D3DPRESENT_PARAMETERS presentParams{};
    D3DCAPS9 caps{};
    std::array<DWORD, D3DRS_COUNT> renderStates{};
    std::array<std::array<DWORD, D3DSAMP_COUNT>, kMaxSamplers> samplerStates{};
    std::array<std::array<DWORD, D3DTSS_COUNT>, kMaxStages> stageStates{};
    D3DXMATRIX world, view, projection;
    D3DVIEWPORT9 viewport{};
    std::array<D3DLIGHT9, kMaxLights> lights{};
    D3DMATERIAL9 material{};
    std::array<BOOL, kMaxLights> lightEnabled{};
    std::array<IDirect3DSurface9*, kMaxRenderTargets> renderTargets{};
    IDirect3DSurface9* depthStencil = nullptr;
    std::array<IDirect3DTexture9*, kMaxStages> textures{};
    DWORD fvf = 0;
    bool inScene = false;

private:
    IDirect3DSurface9* ownBackBuffer;
    IDirect3DSurface9* ownDepthStencil;
};
