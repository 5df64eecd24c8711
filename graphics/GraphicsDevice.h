#pragma once
// The process-wide owner of the device, the shared sprite and font, and the device's own back buffer
// and depth-stencil surface.
#include <optional>

#include "platform/d3d9/Device.h"
#include "platform/d3dx/Sprite.h"

class Texture;

// A colour as D3DCOLOR: each channel clamped to 0..1, scaled by 255 and rounded.
D3DCOLOR ToD3DColor(const D3DXCOLOR& colour);

class GraphicsDevice {
public:
    static GraphicsDevice& GetInstance();

    // --- life ---
    // Asks windowed or full screen (unless fullScreenAnswer holds the answer), creates the device, the
    // sprite and the font.
    bool Init(HWND hwnd, int width, int height);
    // The start question's answer when the command line or the settings gave it.
    std::optional<bool> fullScreenAnswer;
    // The fixed pipeline state, set once after Init.
    void SetupRenderStates();
    // Releases everything Init created, in reverse dependency order.
    void Release();

    // --- state helpers ---
    // Replaces light 0, the single light of the whole renderer.
    void SetDirectionalLight(const D3DXVECTOR3* direction, const D3DCOLORVALUE* diffuse,
                             const D3DCOLORVALUE* ambient, const D3DCOLORVALUE* specular);
    // 2D drawing: no lighting, no depth, clamped addressing; off restores the 3D state.
    void SetSpriteMode(bool on);
    void SetRenderState(D3DRENDERSTATETYPE state, DWORD value) { device->SetRenderState(state, value); }
    void SetTextureStageState(D3DTEXTURESTAGESTATETYPE type, DWORD value) {
        device->SetTextureStageState(0, type, value);
    }
    void SetSamplerState(D3DSAMPLERSTATETYPE type, DWORD value) { device->SetSamplerState(0, type, value); }

    // --- 2D drawing ---
    // The texture stretched with the shared sprite to 800 pixels wide and height high, offsetY down.
    // Between the sprite's Begin and End; a null texture draws nothing.
    void DrawFullScreenTexture(const Texture* texture, int offsetY, int height, D3DCOLOR colour);
    // A rectangle in screen pixels with the texture of stage 0, uv from (0, 0) to (u, v).
    void DrawScreenQuad(float x, float y, float w, float h, float u, float v, D3DCOLOR colour);
    // A rectangle in the plane z = 0 of the current world transform.
    void DrawQuad(float left, float right, float top, float bottom, float u, float v, D3DXCOLOR colour);

    // --- accessors ---
    IDirect3DDevice9* GetDevice() const { return device; }
    ID3DXSprite* GetSprite() const { return sprite; }
    ID3DXFont* GetFont() const { return font; }
    IDirect3DSurface9* GetBackBuffer() const { return backBuffer; }
    IDirect3DSurface9* GetDepthStencil() const { return depthStencil; }
    const D3DPRESENT_PARAMETERS& GetPresentParams() const { return presentParams; }
    UINT GetBackBufferWidth() const { return presentParams.BackBufferWidth; }
    UINT GetBackBufferHeight() const { return presentParams.BackBufferHeight; }

private:
    GraphicsDevice() = default;
    bool CreateDevice(HWND hwnd);

    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
    D3DPRESENT_PARAMETERS presentParams{};
    ID3DXSprite* sprite = nullptr;
    ID3DXFont* font = nullptr;
    D3DXFONT_DESCA fontDesc{};
    D3DCAPS9 caps{};
    IDirect3DSurface9* backBuffer = nullptr;
    IDirect3DSurface9* depthStencil = nullptr;
};
