#include "platform/headless/HeadlessDevice.h"

#include <cstring>
#include <mutex>

#include "platform/d3d9/Texture.h"
#include "platform/sys/WindowInternal.h"

std::string DeviceCall::ToString() const {
    std::string text = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) text += ", ";
        text += std::to_string(args[i]);
    }
    return text + ")";
}

namespace {

IDirect3DSurface9* MakeSurface(D3DFORMAT format, UINT width, UINT height) {
    return new IDirect3DSurface9(D3DSURFACE_DESC{format, width, height});
}

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

}  // namespace

HeadlessDevice::HeadlessDevice(const D3DPRESENT_PARAMETERS& params, D3DDEVTYPE type)
    : StateDevice(params, MakeSurface(params.BackBufferFormat, params.BackBufferWidth, params.BackBufferHeight),
                  params.EnableAutoDepthStencil
                      ? MakeSurface(params.AutoDepthStencilFormat, params.BackBufferWidth, params.BackBufferHeight)
                      : nullptr,
                  type) {}

HeadlessDevice* HeadlessDevice::From(IDirect3DDevice9* device) { return dynamic_cast<HeadlessDevice*>(device); }

void HeadlessDevice::Record(std::string name, std::vector<uint32_t> args) {
    std::lock_guard lock(recordMutex);
    if (recording) calls.push_back(DeviceCall{std::move(name), std::move(args)});
}

HRESULT HeadlessDevice::BeginScene() {
    Record("BeginScene");
    return StateDevice::BeginScene();
}

HRESULT HeadlessDevice::EndScene() {
    Record("EndScene");
    return StateDevice::EndScene();
}

// Keeps no pixels: the copy is recorded, and checked as the OpenGL device checks it.
HRESULT HeadlessDevice::StretchRect(IDirect3DSurface9* source, const void* sourceRect, IDirect3DSurface9* dest,
                                    const void* destRect, D3DTEXTUREFILTERTYPE filter) {
    Record("StretchRect", {filter});
    D3DSURFACE_DESC a{}, b{};
    if (!source || !dest || sourceRect || destRect) return D3DERR_INVALIDCALL;
    source->GetDesc(&a);
    dest->GetDesc(&b);
    return a.Width == b.Width && a.Height == b.Height && a.Format == b.Format ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT HeadlessDevice::Clear(DWORD count, const void*, DWORD flags, D3DCOLOR colour, float z, DWORD stencil) {
    Record("Clear", {count, flags, colour, Bits(z), stencil});
    return D3D_OK;
}

HRESULT HeadlessDevice::Present(const void*, const void*, HWND, const void*) {
    Record("Present");
    ++presents;
    return D3D_OK;
}

HRESULT HeadlessDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    Record("SetRenderState", {state, value});
    return StateDevice::SetRenderState(state, value);
}

HRESULT HeadlessDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    Record("SetSamplerState", {sampler, type, value});
    return StateDevice::SetSamplerState(sampler, type, value);
}

HRESULT HeadlessDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    Record("SetTextureStageState", {stage, type, value});
    return StateDevice::SetTextureStageState(stage, type, value);
}

HRESULT HeadlessDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DXMATRIX* matrix) {
    Record("SetTransform", {type});
    return StateDevice::SetTransform(type, matrix);
}

HRESULT HeadlessDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
    Record("SetLight", {index});
    return StateDevice::SetLight(index, light);
}

HRESULT HeadlessDevice::SetMaterial(const D3DMATERIAL9* m) {
    Record("SetMaterial");
    return StateDevice::SetMaterial(m);
}

HRESULT HeadlessDevice::LightEnable(DWORD index, BOOL enable) {
    Record("LightEnable", {index, static_cast<uint32_t>(enable)});
    return StateDevice::LightEnable(index, enable);
}

HRESULT HeadlessDevice::SetRenderTarget(DWORD index, IDirect3DSurface9* surface) {
    Record("SetRenderTarget", {index});
    return StateDevice::SetRenderTarget(index, surface);
}

HRESULT HeadlessDevice::SetDepthStencilSurface(IDirect3DSurface9* surface) {
    Record("SetDepthStencilSurface");
    return StateDevice::SetDepthStencilSurface(surface);
}

HRESULT HeadlessDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                      D3DPOOL pool, IDirect3DTexture9** texture, void*) {
    if (!texture || width == 0 || height == 0) return D3DERR_INVALIDCALL;
    *texture = new IDirect3DTexture9(width, height, levels, usage, format, pool);
    return D3D_OK;
}

HRESULT HeadlessDevice::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE,
                                                  DWORD, BOOL, IDirect3DSurface9** surface, void*) {
    if (!surface || width == 0 || height == 0) return D3DERR_INVALIDCALL;
    *surface = MakeSurface(format, width, height);
    return D3D_OK;
}

HRESULT HeadlessDevice::SetTexture(DWORD stage, IDirect3DTexture9* texture) {
    Record("SetTexture", {stage, texture ? 1u : 0u});
    return StateDevice::SetTexture(stage, texture);
}

HRESULT HeadlessDevice::SetFVF(DWORD value) {
    Record("SetFVF", {value});
    return StateDevice::SetFVF(value);
}

HRESULT HeadlessDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                                        UINT stride) {
    if (!vertices || stride == 0) return D3DERR_INVALIDCALL;
    Record("DrawPrimitiveUP", {type, primitiveCount, stride});
    return D3D_OK;
}

namespace platform::headless {
namespace {

std::mutex filterMutex;
CreateFilter filter;

// Fills in what Direct3D fills in at creation: a zero size means the window's client size.
void CompletePresentParams(D3DPRESENT_PARAMETERS& params, HWND window) {
    if (params.Windowed) {
        if (params.BackBufferWidth == 0) params.BackBufferWidth = window ? window->clientWidth : 0;
        if (params.BackBufferHeight == 0) params.BackBufferHeight = window ? window->clientHeight : 0;
    }
    if (params.BackBufferFormat == D3DFMT_UNKNOWN) params.BackBufferFormat = D3DFMT_X8R8G8B8;
}

class HeadlessDirect3D : public IDirect3D9 {
public:
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
        if (!mode || adapter != D3DADAPTER_DEFAULT) return D3DERR_INVALIDCALL;
        *mode = D3DDISPLAYMODE{kDesktopWidth, kDesktopHeight, 60, D3DFMT_X8R8G8B8};
        return D3D_OK;
    }
    HRESULT CreateDevice(UINT, D3DDEVTYPE type, HWND focus, DWORD flags, D3DPRESENT_PARAMETERS* params,
                         IDirect3DDevice9** device) override {
        if (!params || !device) return D3DERR_INVALIDCALL;
        {
            std::lock_guard lock(filterMutex);
            if (filter && !filter(type, flags)) return D3DERR_NOTAVAILABLE;
        }
        CompletePresentParams(*params, params->hDeviceWindow ? params->hDeviceWindow : focus);
        *device = new HeadlessDevice(*params, type);
        return D3D_OK;
    }
};

}  // namespace

void SetCreateFilter(CreateFilter f) {
    std::lock_guard lock(filterMutex);
    filter = std::move(f);
}

IDirect3D9* CreateDirect3D() { return new HeadlessDirect3D; }

}  // namespace platform::headless
