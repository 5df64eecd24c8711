#pragma once
// The device of a process without display or GPU: it accepts every call, keeps the state a real device
// would, and can record the calls a test wants to check.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/d3d9/StateDevice.h"

struct DeviceCall {
    std::string name;
    std::vector<uint32_t> args;
    std::string ToString() const;  // "SetRenderState(7, 1)"
};

class HeadlessDevice : public StateDevice {
public:
    HeadlessDevice(const D3DPRESENT_PARAMETERS& params, D3DDEVTYPE type);

    // The headless device behind an interface pointer, or null for another back end.
    static HeadlessDevice* From(IDirect3DDevice9* device);

    void StartRecording() { recording = true; }
    void StopRecording() { recording = false; }
    void ClearCalls() { calls.clear(); }
    const std::vector<DeviceCall>& Calls() const { return calls; }
    int PresentCount() const { return presents; }

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const void* rects, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) override;
    HRESULT Present(const void*, const void*, HWND, const void*) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, const D3DXMATRIX* matrix) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override;
    HRESULT SetMaterial(const D3DMATERIAL9* material) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* surface) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture9** texture, void* sharedHandle) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                      DWORD quality, BOOL discard, IDirect3DSurface9** surface,
                                      void* sharedHandle) override;
    HRESULT SetTexture(DWORD stage, IDirect3DTexture9* texture) override;
    HRESULT SetFVF(DWORD fvf) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices, UINT stride) override;
    HRESULT StretchRect(IDirect3DSurface9* source, const void* sourceRect, IDirect3DSurface9* dest,
                        const void* destRect, D3DTEXTUREFILTERTYPE filter) override;
    bool ReadBackBuffer(std::vector<uint8_t>&, int&, int&) override { return false; }

    // Adds a call to the record (for platform pieces drawn through this device, such as sprites).
    // Texture arguments are recorded as 1 (set) or 0 (none).
    void Record(std::string name, std::vector<uint32_t> args = {});

private:
    // Device calls may come from the loading-screen thread while another thread creates resources.
    std::mutex recordMutex;
    bool recording = false;
    std::vector<DeviceCall> calls;
    int presents = 0;
};

namespace platform::headless {

// Decides which device creation attempts succeed (all, unless a test says otherwise).
using CreateFilter = std::function<bool(D3DDEVTYPE type, DWORD behaviourFlags)>;
void SetCreateFilter(CreateFilter filter);

// The display mode the headless adapter reports.
constexpr UINT kDesktopWidth = 1920;
constexpr UINT kDesktopHeight = 1080;

IDirect3D9* CreateDirect3D();

}  // namespace platform::headless
