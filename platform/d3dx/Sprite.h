#pragma once
// The shared 2D sprite batch in the shape the game draws with: Begin, SetTransform, Draw, End.
#include "platform/d3d9/Device.h"
#include "platform/sys/Win32.h"

class IDirect3DTexture9;

constexpr DWORD D3DXSPRITE_ALPHABLEND = 0x10;

class ID3DXSprite : public Unknown {
public:
    virtual HRESULT Begin(DWORD flags) = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT SetTransform(const D3DXMATRIX* transform) = 0;
    virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* sourceRect, const D3DXVECTOR3* centre,
                         const D3DXVECTOR3* position, D3DCOLOR colour) = 0;
};

// Text drawn through the sprite batch.
class ID3DXFont : public Unknown {};

struct D3DXFONT_DESCA {
    int Height;
    UINT Width;
    UINT Weight;
    UINT MipLevels;
    BOOL Italic;
    uint8_t CharSet;
    uint8_t OutputPrecision;
    uint8_t Quality;
    uint8_t PitchAndFamily;
    char FaceName[32];
};
