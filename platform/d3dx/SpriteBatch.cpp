#include "platform/d3dx/SpriteBatch.h"

#include <cstring>

#include "platform/d3d9/Texture.h"
#include "platform/headless/HeadlessDevice.h"

namespace {

struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 28);
constexpr DWORD kSpriteFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

uint32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

}  // namespace

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite) {
    if (!device || !sprite) return D3DERR_INVALIDCALL;
    *sprite = new SpriteBatch(device);
    return D3D_OK;
}

SpriteBatch::SpriteBatch(IDirect3DDevice9* dev) : device(dev) {
    device->AddRef();
    D3DXMatrixIdentity(&transform);
}

SpriteBatch::~SpriteBatch() {
    SafeRelease(savedTexture);
    device->Release();
}

void SpriteBatch::SetState(D3DRENDERSTATETYPE state, DWORD value) {
    DWORD old = 0;
    device->GetRenderState(state, &old);
    savedStates.emplace_back(state, old);
    device->SetRenderState(state, value);
}

void SpriteBatch::SetSampler(D3DSAMPLERSTATETYPE type, DWORD value) {
    DWORD old = 0;
    device->GetSamplerState(0, type, &old);
    savedSamplers.emplace_back(type, old);
    device->SetSamplerState(0, type, value);
}

void SpriteBatch::SetStage(D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    DWORD old = 0;
    device->GetTextureStageState(0, type, &old);
    savedStages.emplace_back(type, old);
    device->SetTextureStageState(0, type, value);
}

HRESULT SpriteBatch::Begin(DWORD flags) {
    if (begun) return D3DERR_INVALIDCALL;
    begun = true;
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) headless->Record("Sprite.Begin", {flags});
    device->GetFVF(&savedFvf);
    device->GetTexture(0, &savedTexture);
    if (flags & D3DXSPRITE_ALPHABLEND) {
        SetState(D3DRS_ALPHABLENDENABLE, TRUE);
        SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        SetState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
        SetState(D3DRS_ALPHATESTENABLE, TRUE);
        SetState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
        SetState(D3DRS_ALPHAREF, 0);
    }
    SetState(D3DRS_CULLMODE, D3DCULL_NONE);
    SetState(D3DRS_ZENABLE, D3DZB_FALSE);
    SetState(D3DRS_LIGHTING, FALSE);
    SetState(D3DRS_FOGENABLE, FALSE);
    SetStage(D3DTSS_COLOROP, D3DTOP_MODULATE);
    SetStage(D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    SetStage(D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    SetStage(D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    SetStage(D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    SetSampler(D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    SetSampler(D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    SetSampler(D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    SetSampler(D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    SetSampler(D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    return D3D_OK;
}

HRESULT SpriteBatch::End() {
    if (!begun) return D3DERR_INVALIDCALL;
    begun = false;
    for (auto it = savedStates.rbegin(); it != savedStates.rend(); ++it) device->SetRenderState(it->first, it->second);
    for (auto it = savedSamplers.rbegin(); it != savedSamplers.rend(); ++it) {
        device->SetSamplerState(0, it->first, it->second);
    }
    for (auto it = savedStages.rbegin(); it != savedStages.rend(); ++it) {
        device->SetTextureStageState(0, it->first, it->second);
    }
    savedStates.clear();
    savedSamplers.clear();
    savedStages.clear();
    device->SetFVF(savedFvf);
    device->SetTexture(0, savedTexture);
    SafeRelease(savedTexture);
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) headless->Record("Sprite.End");
    return D3D_OK;
}

HRESULT SpriteBatch::SetTransform(const D3DXMATRIX* m) {
    if (!m) return D3DERR_INVALIDCALL;
    transform = *m;
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        headless->Record("Sprite.SetTransform", {Bits(m->_11), Bits(m->_22), Bits(m->_41), Bits(m->_42)});
    }
    return D3D_OK;
}

HRESULT SpriteBatch::GetTransform(D3DXMATRIX* m) {
    if (!m) return D3DERR_INVALIDCALL;
    *m = transform;
    return D3D_OK;
}

HRESULT SpriteBatch::Draw(IDirect3DTexture9* texture, const RECT* sourceRect, const D3DXVECTOR3* centre,
                          const D3DXVECTOR3* position, D3DCOLOR colour) {
    if (!texture) return D3DERR_INVALIDCALL;
    const RECT whole{0, 0, static_cast<int32_t>(texture->Width()), static_cast<int32_t>(texture->Height())};
    const RECT r = sourceRect ? *sourceRect : whole;
    const D3DXVECTOR3 c = centre ? *centre : D3DXVECTOR3(0, 0, 0);
    const D3DXVECTOR3 p = position ? *position : D3DXVECTOR3(0, 0, 0);
    if (HeadlessDevice* headless = HeadlessDevice::From(device)) {
        headless->Record("Sprite.Draw", {static_cast<uint32_t>(r.left), static_cast<uint32_t>(r.top),
                                         static_cast<uint32_t>(r.right), static_cast<uint32_t>(r.bottom), colour,
                                         Bits(p.x), Bits(p.y)});
    }
    const float w = static_cast<float>(r.right - r.left), h = static_cast<float>(r.bottom - r.top);
    const float tw = static_cast<float>(texture->Width()), th = static_cast<float>(texture->Height());
    const float corners[4][2] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    SpriteVertex quad[4];
    for (int i = 0; i < 4; ++i) {
        const D3DXVECTOR3 local(corners[i][0] - c.x + p.x, corners[i][1] - c.y + p.y, p.z - c.z);
        D3DXVECTOR3 screen;
        D3DXVec3TransformCoord(&screen, &local, &transform);
        // Direct3D samples pixel centres at whole coordinates: half a pixel back lands texel on pixel.
        quad[i] = SpriteVertex{screen.x - 0.5f, screen.y - 0.5f, 0.0f, 1.0f, colour,
                               (static_cast<float>(r.left) + corners[i][0]) / tw,
                               (static_cast<float>(r.top) + corners[i][1]) / th};
    }
    device->SetFVF(kSpriteFvf);
    device->SetTexture(0, texture);
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(SpriteVertex));
}
