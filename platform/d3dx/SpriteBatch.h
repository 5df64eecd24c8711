#pragma once
// The sprite on any device: every Draw becomes one pre-transformed textured quad drawn at once, so the
// order of draws is the order on screen. On the headless device the sprite's calls are also recorded
// ("Sprite.SetTransform" with the bits of _11, _22, _41, _42; "Sprite.Draw" with the source rectangle,
// the colour and the bits of the position's x and y).
#include <array>
#include <utility>
#include <vector>

#include "platform/d3dx/Sprite.h"

class SpriteBatch : public ID3DXSprite {
public:
    explicit SpriteBatch(IDirect3DDevice9* device);
    ~SpriteBatch() override;

    HRESULT Begin(DWORD flags) override;
    HRESULT End() override;
    HRESULT SetTransform(const D3DXMATRIX* transform) override;
    HRESULT GetTransform(D3DXMATRIX* transform) override;
    HRESULT Draw(IDirect3DTexture9* texture, const RECT* sourceRect, const D3DXVECTOR3* centre,
                 const D3DXVECTOR3* position, D3DCOLOR colour) override;
    IDirect3DDevice9* Device() const override { return device; }

private:
    void SetState(D3DRENDERSTATETYPE state, DWORD value);
    void SetSampler(D3DSAMPLERSTATETYPE type, DWORD value);
    void SetStage(D3DTEXTURESTAGESTATETYPE type, DWORD value);

    IDirect3DDevice9* device;
    D3DXMATRIX transform;
    bool begun = false;
    // What Begin replaced, restored by End.
    std::vector<std::pair<D3DRENDERSTATETYPE, DWORD>> savedStates;
    std::vector<std::pair<D3DSAMPLERSTATETYPE, DWORD>> savedSamplers;
    std::vector<std::pair<D3DTEXTURESTAGESTATETYPE, DWORD>> savedStages;
    DWORD savedFvf = 0;
    IDirect3DTexture9* savedTexture = nullptr;
};
