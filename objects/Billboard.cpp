#include "objects/Billboard.h"

#include <algorithm>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Texture.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

IDirect3DDevice9* Device() { return GraphicsDevice::GetInstance().GetDevice(); }

}  // namespace

void BeginAdditiveSquares() {
    IDirect3DDevice9* device = Device();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
}

void EndAdditiveSquares() {
    IDirect3DDevice9* device = Device();
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}

void DrawSquare(const D3DXMATRIX& world, const Texture* texture, float half, int alpha) {
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
        float u, v;
    };
    IDirect3DDevice9* device = Device();
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, texture ? texture->texture : nullptr);
    const D3DCOLOR colour = D3DCOLOR_ARGB(static_cast<DWORD>(std::clamp(alpha, 0, 255)), 255, 255, 255);
    const Vertex corners[4] = {
        {-half, half, 0, colour, 0, 0},
        {half, half, 0, colour, 1, 0},
        {half, -half, 0, colour, 1, 1},
        {-half, -half, 0, colour, 0, 1},
    };
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, corners, sizeof(Vertex));
}

void DrawFacingSquare(const D3DXMATRIX& at, const Texture* texture, int alpha) {
    constexpr float kHalfSize = 1.0f;
    float pitch = 0.0f, yaw = 0.0f;
    if (const Camera* camera = Application::GetInstance().camera) {
        pitch = camera->pitch;
        yaw = camera->yaw;
    }
    D3DXMATRIX turnX, turnY;
    D3DXMatrixRotationX(&turnX, pitch * kDegreesToRadians);
    D3DXMatrixRotationY(&turnY, yaw * kDegreesToRadians);
    DrawSquare(turnX * turnY * at, texture, kHalfSize, alpha);
}
