#include "platform/d3d9/StateDevice.h"

#include "platform/d3d9/Texture.h"

namespace {

// Direct3D's documented defaults for the states the game and its back ends read.
void SetDefaultRenderStates(std::array<DWORD, D3DRS_COUNT>& rs, bool autoDepth) {
    rs[D3DRS_ZENABLE] = autoDepth ? D3DZB_TRUE : D3DZB_FALSE;
    rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
    rs[D3DRS_SHADEMODE] = D3DSHADE_GOURAUD;
    rs[D3DRS_ZWRITEENABLE] = TRUE;
    rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    rs[D3DRS_CULLMODE] = D3DCULL_CCW;
    rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
    rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILZFAIL] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
    rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
    rs[D3DRS_STENCILMASK] = 0xFFFFFFFFu;
    rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
    rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
    rs[D3DRS_LIGHTING] = TRUE;
    rs[D3DRS_COLORWRITEENABLE] = 0xF;
    rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    rs[D3DRS_SRCBLENDALPHA] = D3DBLEND_ONE;
    rs[D3DRS_DESTBLENDALPHA] = D3DBLEND_ZERO;
    rs[D3DRS_BLENDOPALPHA] = D3DBLENDOP_ADD;
}

void SetDefaultStageStates(std::array<DWORD, D3DTSS_COUNT>& ts, bool firstStage) {
    ts[D3DTSS_COLOROP] = firstStage ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    ts[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    ts[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    ts[D3DTSS_ALPHAOP] = firstStage ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    ts[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    ts[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
}

template <typename T>
bool InRange(DWORD index, const T& table) {
    return index < table.size();
}

}  // namespace

StateDevice::StateDevice(const D3DPRESENT_PARAMETERS& params, IDirect3DSurface9* backBuffer,
                         IDirect3DSurface9* depth, D3DDEVTYPE type)
    : presentParams(params), ownBackBuffer(backBuffer), ownDepthStencil(depth) {
    SetDefaultRenderStates(renderStates, params.EnableAutoDepthStencil != FALSE);
    for (auto& sampler : samplerStates) {
        sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    }
    for (size_t i = 0; i < stageStates.size(); ++i) SetDefaultStageStates(stageStates[i], i == 0);
    D3DXMatrixIdentity(&world);
    D3DXMatrixIdentity(&view);
    D3DXMatrixIdentity(&projection);
    viewport = {0, 0, params.BackBufferWidth, params.BackBufferHeight, 0.0f, 1.0f};

    caps.DeviceType = type;
    caps.MaxTextureWidth = 8192;
    caps.MaxTextureHeight = 8192;
    caps.NumSimultaneousRTs = kMaxRenderTargets;
    caps.VertexShaderVersion = 0xFFFE0300;  // vs_3_0
    caps.PixelShaderVersion = 0xFFFF0300;   // ps_3_0

    renderTargets[0] = ownBackBuffer;
    if (ownBackBuffer) ownBackBuffer->AddRef();
    depthStencil = ownDepthStencil;
    if (depthStencil) depthStencil->AddRef();
}

StateDevice::~StateDevice() { ReleaseSurfaces(); }

void StateDevice::ReleaseSurfaces() {
    for (auto*& texture : textures) SafeRelease(texture);
    for (auto*& target : renderTargets) SafeRelease(target);
    SafeRelease(depthStencil);
    SafeRelease(ownBackBuffer);
    SafeRelease(ownDepthStencil);
}

HRESULT StateDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    if (!InRange(state, renderStates)) return D3DERR_INVALIDCALL;
    renderStates[state] = value;
    return D3D_OK;
}

HRESULT StateDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    if (!value || !InRange(state, renderStates)) return D3DERR_INVALIDCALL;
    *value = renderStates[state];
    return D3D_OK;
}

HRESULT StateDevice::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (!InRange(sampler, samplerStates) || !InRange(type, samplerStates[0])) return D3DERR_INVALIDCALL;
    samplerStates[sampler][type] = value;
    return D3D_OK;
}

HRESULT StateDevice::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
    if (!value || !InRange(sampler, samplerStates) || !InRange(type, samplerStates[0])) {
        return D3DERR_INVALIDCALL;
    }
    *value = samplerStates[sampler][type];
    return D3D_OK;
}

HRESULT StateDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    if (!InRange(stage, stageStates) || !InRange(type, stageStates[0])) return D3DERR_INVALIDCALL;
    stageStates[stage][type] = value;
    return D3D_OK;
}

HRESULT StateDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) {
    if (!value || !InRange(stage, stageStates) || !InRange(type, stageStates[0])) {
        return D3DERR_INVALIDCALL;
    }
    *value = stageStates[stage][type];
    return D3D_OK;
}

HRESULT StateDevice::SetTransform(D3DTRANSFORMSTATETYPE type, const D3DXMATRIX* matrix) {
    if (!matrix) return D3DERR_INVALIDCALL;
    switch (type) {
        case D3DTS_WORLD: world = *matrix; return D3D_OK;
        case D3DTS_VIEW: view = *matrix; return D3D_OK;
        case D3DTS_PROJECTION: projection = *matrix; return D3D_OK;
        default: return D3D_OK;  // texture transforms are accepted and unused
    }
}

HRESULT StateDevice::GetTransform(D3DTRANSFORMSTATETYPE type, D3DXMATRIX* matrix) {
    if (!matrix) return D3DERR_INVALIDCALL;
    switch (type) {
        case D3DTS_WORLD: *matrix = world; return D3D_OK;
        case D3DTS_VIEW: *matrix = view; return D3D_OK;
        case D3DTS_PROJECTION: *matrix = projection; return D3D_OK;
        default: D3DXMatrixIdentity(matrix); return D3D_OK;
    }
}

HRESULT StateDevice::SetViewport(const D3DVIEWPORT9* vp) {
    if (!vp) return D3DERR_INVALIDCALL;
    viewport = *vp;
    return D3D_OK;
}

HRESULT StateDevice::GetViewport(D3DVIEWPORT9* vp) {
    if (!vp) return D3DERR_INVALIDCALL;
    *vp = viewport;
    return D3D_OK;
}

HRESULT StateDevice::SetLight(DWORD index, const D3DLIGHT9* light) {
    if (!light || !InRange(index, lights)) return D3DERR_INVALIDCALL;
    lights[index] = *light;
    return D3D_OK;
}

HRESULT StateDevice::GetLight(DWORD index, D3DLIGHT9* light) {
    if (!light || !InRange(index, lights)) return D3DERR_INVALIDCALL;
    *light = lights[index];
    return D3D_OK;
}

HRESULT StateDevice::LightEnable(DWORD index, BOOL enable) {
    if (!InRange(index, lightEnabled)) return D3DERR_INVALIDCALL;
    lightEnabled[index] = enable ? TRUE : FALSE;
    return D3D_OK;
}

HRESULT StateDevice::GetLightEnable(DWORD index, BOOL* enable) {
    if (!enable || !InRange(index, lightEnabled)) return D3DERR_INVALIDCALL;
    *enable = lightEnabled[index];
    return D3D_OK;
}

HRESULT StateDevice::SetMaterial(const D3DMATERIAL9* m) {
    if (!m) return D3DERR_INVALIDCALL;
    material = *m;
    return D3D_OK;
}

HRESULT StateDevice::GetMaterial(D3DMATERIAL9* m) {
    if (!m) return D3DERR_INVALIDCALL;
    *m = material;
    return D3D_OK;
}

HRESULT StateDevice::GetRenderTarget(DWORD index, IDirect3DSurface9** surface) {
    if (!surface || !InRange(index, renderTargets)) return D3DERR_INVALIDCALL;
    *surface = renderTargets[index];
    if (!*surface) return D3DERR_NOTAVAILABLE;
    (*surface)->AddRef();
    return D3D_OK;
}

HRESULT StateDevice::SetRenderTarget(DWORD index, IDirect3DSurface9* surface) {
    if (!InRange(index, renderTargets) || (index == 0 && !surface)) return D3DERR_INVALIDCALL;
    if (surface) surface->AddRef();
    SafeRelease(renderTargets[index]);
    renderTargets[index] = surface;
    if (index == 0) {
        // Binding target 0 resets the viewport to the whole new target, as Direct3D does.
        D3DSURFACE_DESC d{};
        surface->GetDesc(&d);
        viewport = {0, 0, d.Width, d.Height, 0.0f, 1.0f};
    }
    OnTargetsChanged();
    return D3D_OK;
}

HRESULT StateDevice::GetDepthStencilSurface(IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = depthStencil;
    if (!*surface) return D3DERR_NOTAVAILABLE;
    (*surface)->AddRef();
    return D3D_OK;
}

HRESULT StateDevice::SetDepthStencilSurface(IDirect3DSurface9* surface) {
    if (surface) surface->AddRef();
    SafeRelease(depthStencil);
    depthStencil = surface;
    OnTargetsChanged();
    return D3D_OK;
}

HRESULT StateDevice::GetDeviceCaps(D3DCAPS9* out) {
    if (!out) return D3DERR_INVALIDCALL;
    *out = caps;
    return D3D_OK;
}

HRESULT StateDevice::BeginScene() {
    if (inScene) return D3DERR_INVALIDCALL;
    inScene = true;
    return D3D_OK;
}

HRESULT StateDevice::EndScene() {
    if (!inScene) return D3DERR_INVALIDCALL;
    inScene = false;
    return D3D_OK;
}

HRESULT StateDevice::SetTexture(DWORD stage, IDirect3DTexture9* texture) {
    if (!InRange(stage, textures)) return D3DERR_INVALIDCALL;
    if (texture) texture->AddRef();
    SafeRelease(textures[stage]);
    textures[stage] = texture;
    return D3D_OK;
}

HRESULT StateDevice::GetTexture(DWORD stage, IDirect3DTexture9** texture) {
    if (!texture || !InRange(stage, textures)) return D3DERR_INVALIDCALL;
    *texture = textures[stage];
    if (*texture) (*texture)->AddRef();
    return D3D_OK;
}

HRESULT StateDevice::SetFVF(DWORD value) {
    fvf = value;
    return D3D_OK;
}

HRESULT StateDevice::GetFVF(DWORD* value) {
    if (!value) return D3DERR_INVALIDCALL;
    *value = fvf;
    return D3D_OK;
}
