#pragma once
// The shared 2D sprite batch and the font in the shapes the game draws with: Begin, SetTransform,
// Draw, End, and text drawn through the sprite.
#include "platform/d3d9/Device.h"
#include "platform/sys/Win32.h"

class IDirect3DTexture9;

constexpr DWORD D3DXSPRITE_ALPHABLEND = 0x10;

class ID3DXSprite : public Unknown {
public:
    // Sets the sprite's own states (saving what they replace) until End.
    virtual HRESULT Begin(DWORD flags) = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT SetTransform(const D3DXMATRIX* transform) = 0;
    virtual HRESULT GetTransform(D3DXMATRIX* transform) = 0;
    // Draws sourceRect of the texture (the whole texture when null) with its corner sourceRect's top-left
    // moved by -centre, then by position, then through the transform; the colour multiplies the texels.
    virtual HRESULT Draw(IDirect3DTexture9* texture, const RECT* sourceRect, const D3DXVECTOR3* centre,
                         const D3DXVECTOR3* position, D3DCOLOR colour) = 0;
    virtual IDirect3DDevice9* Device() const = 0;
};

HRESULT D3DXCreateSprite(IDirect3DDevice9* device, ID3DXSprite** sprite);

// --- text ---
constexpr DWORD DT_TOP = 0x0;
constexpr DWORD DT_LEFT = 0x0;
constexpr DWORD DT_NOCLIP = 0x100;
constexpr DWORD DT_CALCRECT = 0x400;

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t OUT_DEFAULT_PRECIS = 0;
constexpr uint8_t DEFAULT_QUALITY = 0;
constexpr uint8_t DEFAULT_PITCH = 0;
constexpr uint8_t FF_DONTCARE = 0;

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

class ID3DXFont : public Unknown {
public:
    // Draws UTF-8 text (count -1: up to the terminating zero) with its top-left at rect's top-left,
    // through sprite (its current transform) or, when sprite is null, on its own. Returns the text height;
    // DT_CALCRECT only measures, into rect.
    virtual int DrawTextA(ID3DXSprite* sprite, const char* text, int count, RECT* rect, DWORD format,
                          D3DCOLOR colour) = 0;
    virtual HRESULT GetDescA(D3DXFONT_DESCA* desc) = 0;
};

// The face comes from the private font file registered with AddFontResourceExA, whatever the name.
HRESULT D3DXCreateFontA(IDirect3DDevice9* device, int height, UINT width, UINT weight, UINT mipLevels, BOOL italic,
                        DWORD charSet, DWORD outputPrecision, DWORD quality, DWORD pitchAndFamily,
                        const char* faceName, ID3DXFont** font);
