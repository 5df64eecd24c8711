#include "graphics/GraphicsDevice.h"

#include <cstring>

#include "graphics/Texture.h"
#include "platform/sys/Fonts.h"
#include "platform/sys/Win32.h"

namespace {

constexpr char kFontFile[] = "data/font/toroman.ttf";

DWORD FloatBits(float f) {
    DWORD bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

}  // namespace

GraphicsDevice& GraphicsDevice::GetInstance() {
    static GraphicsDevice instance;
    return instance;
}

bool GraphicsDevice::Init(HWND hwnd, int width, int height) {
    const bool fullScreen = fullScreenAnswer ? *fullScreenAnswer
                                             : MessageBoxA(hwnd, "フルスクリーンで遊びますか？", "ウインドウモード選択",
                                                           MB_YESNO) == IDYES;

    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3D) return false;
    D3DDISPLAYMODE mode{};
    if (FAILED(direct3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) return false;

    presentParams = D3DPRESENT_PARAMETERS{};
    presentParams.BackBufferWidth = fullScreen ? static_cast<UINT>(width) : 0;
    presentParams.BackBufferHeight = fullScreen ? static_cast<UINT>(height) : 0;
    presentParams.BackBufferFormat = fullScreen ? D3DFMT_X8R8G8B8 : mode.Format;
    presentParams.BackBufferCount = 2;
    presentParams.MultiSampleType = D3DMULTISAMPLE_NONE;
    presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParams.hDeviceWindow = hwnd;
    presentParams.Windowed = fullScreen ? FALSE : TRUE;
    presentParams.EnableAutoDepthStencil = TRUE;
    presentParams.AutoDepthStencilFormat = D3DFMT_D24S8;
    presentParams.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;

    if (!CreateDevice(hwnd)) {
        MessageBoxA(hwnd, "Direct3Dの初期化に失敗", "Direct3D初期化", MB_ICONERROR);
        return false;
    }
    device->GetDeviceCaps(&caps);

    D3DXCreateSprite(device, &sprite);
    if (AddFontResourceExA(kFontFile, FR_PRIVATE, nullptr) <= 0) {
        MessageBoxA(nullptr, "add font failure", "", MB_OK);
    }
    // The face name is the one the private font file installs; whatever font it holds is used.
    D3DXCreateFontA(device, 24, 0, 0, 1, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, "アンニャントロマン", &font);
    if (font) font->GetDescA(&fontDesc);

    device->GetRenderTarget(0, &backBuffer);
    device->GetDepthStencilSurface(&depthStencil);
    return true;
}

// Hardware vertex processing first, then software, then the reference device.
bool GraphicsDevice::CreateDevice(HWND hwnd) {
    const struct {
        D3DDEVTYPE type;
        DWORD flags;
    } attempts[] = {
        {D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED | D3DCREATE_FPU_PRESERVE},
        {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED | D3DCREATE_FPU_PRESERVE},
        {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_MULTITHREADED | D3DCREATE_FPU_PRESERVE},
    };
    for (const auto& attempt : attempts) {
        if (SUCCEEDED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, attempt.type, hwnd, attempt.flags, &presentParams,
                                             &device))) {
            return true;
        }
    }
    device = nullptr;
    return false;
}

void GraphicsDevice::SetupRenderStates() {
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    // Alpha accumulates as src * 1 + dst * (1 - src alpha) while colour blends by source alpha.
    device->SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_BLENDOPALPHA, D3DBLENDOP_ADD);
    device->SetRenderState(D3DRS_SRCBLENDALPHA, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_DESTBLENDALPHA, D3DBLEND_INVSRCALPHA);

    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);

    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    device->SetSamplerState(0, D3DSAMP_MIPMAPLODBIAS, FloatBits(-1.0f));

    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
    light.Specular = D3DCOLORVALUE{1.0f, 1.0f, 1.0f, 1.0f};
    light.Ambient = D3DCOLORVALUE{0.0f, 0.0f, 0.0f, 1.0f};
    D3DXVECTOR3 direction(0.5f, -1.0f, 0.3f);
    D3DXVec3Normalize(&direction, &direction);
    light.Direction = D3DVECTOR{direction.x, direction.y, direction.z};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);

    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
}

void GraphicsDevice::SetDirectionalLight(const D3DXVECTOR3* direction, const D3DCOLORVALUE* diffuse,
                                         const D3DCOLORVALUE* ambient, const D3DCOLORVALUE* specular) {
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = *diffuse;
    light.Ambient = *ambient;
    light.Specular = *specular;
    D3DXVECTOR3 normal;
    D3DXVec3Normalize(&normal, direction);
    light.Direction = D3DVECTOR{normal.x, normal.y, normal.z};
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
}

void GraphicsDevice::SetSpriteMode(bool on) {
    device->SetRenderState(D3DRS_LIGHTING, on ? FALSE : TRUE);
    device->SetRenderState(D3DRS_ZENABLE, on ? D3DZB_FALSE : D3DZB_TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, on ? FALSE : TRUE);
    const DWORD address = on ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, address);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, address);
}

void GraphicsDevice::DrawFullScreenTexture(const Texture* texture, int offsetY, int height, D3DCOLOR colour) {
    if (!texture) return;
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, 800.0f / static_cast<float>(texture->info.Width),
                      static_cast<float>(height) / static_cast<float>(texture->info.Height), 0.0f);
    m._41 += 0.0f;
    m._42 += static_cast<float>(offsetY);
    m._43 += 0.0f;
    sprite->SetTransform(&m);
    sprite->Draw(texture->texture, &texture->rect, nullptr, nullptr, colour);
}

void GraphicsDevice::DrawScreenQuad(float x, float y, float w, float h, float u, float v, D3DCOLOR colour) {
    struct Vertex {
        float x, y, z, rhw;
        D3DCOLOR colour;
        float u, v;
    };
    static_assert(sizeof(Vertex) == 28);
    const Vertex vertices[4] = {
        {x, y, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {x + w, y, 0.0f, 1.0f, colour, u, 0.0f},
        {x, y + h, 0.0f, 1.0f, colour, 0.0f, v},
        {x + w, y + h, 0.0f, 1.0f, colour, u, v},
    };
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(Vertex));
}

D3DCOLOR ToD3DColor(const D3DXCOLOR& colour) {
    auto channel = [](float value) -> DWORD {
        if (value >= 1.0f) return 255;
        if (value <= 0.0f) return 0;
        return static_cast<DWORD>(value * 255.0f + 0.5f);
    };
    const DWORD red = channel(colour.r), green = channel(colour.g), blue = channel(colour.b),
                alpha = channel(colour.a);
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// The texture runs from u at the left edge to 0 at the right, and from v at the bottom to 0 at the top.
void GraphicsDevice::DrawQuad(float left, float right, float top, float bottom, float u, float v,
                              D3DXCOLOR colour) {
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
        float u, v;
    };
    static_assert(sizeof(Vertex) == 24);
    const D3DCOLOR c = ToD3DColor(colour);
    const Vertex vertices[4] = {
        {-left, -bottom, 0.0f, c, u, v},
        {right, -bottom, 0.0f, c, 0.0f, v},
        {-left, top, 0.0f, c, u, 0.0f},
        {right, top, 0.0f, c, 0.0f, 0.0f},
    };
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices, sizeof(Vertex));
}

void GraphicsDevice::Release() {
    SafeRelease(backBuffer);
    SafeRelease(depthStencil);
    SafeRelease(sprite);
    SafeRelease(font);
    SafeRelease(device);
    SafeRelease(direct3D);
}
