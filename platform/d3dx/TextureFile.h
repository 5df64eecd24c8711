#pragma once
// Texture creation and image-file loading in the shapes of D3DX: PNG, BMP, JPEG and TGA files decoded
// with stb_image into A8R8G8B8 (files with alpha) or X8R8G8B8 textures.
#include "platform/d3d9/Texture.h"

enum D3DXIMAGE_FILEFORMAT : uint32_t {
    D3DXIFF_BMP = 0, D3DXIFF_JPG = 1, D3DXIFF_TGA = 2, D3DXIFF_PNG = 3, D3DXIFF_UNKNOWN = 0xFFFFFFFF,
};

struct D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;           // sizes: the file's, rounded up to powers of two
constexpr UINT D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEu;   // sizes: the file's as they are
constexpr UINT D3DX_FROM_FILE = 0xFFFFFFFDu;
constexpr DWORD D3DX_FILTER_NONE = 1;

HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info);
HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture);
// The file at power-of-two size with a full mip chain.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* path, IDirect3DTexture9** texture);
// The file at the given size (D3DX_DEFAULT: powers of two; D3DX_DEFAULT_NONPOW2, D3DX_FROM_FILE or 0: the
// file's own) with the given levels (0 or D3DX_DEFAULT: the full chain). An image loaded at its own size is
// copied pixel for pixel. palette and colorKey are not supported (0 and null are what the game passes).
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD filter,
                                     DWORD mipFilter, D3DCOLOR colorKey, D3DXIMAGE_INFO* info, void* palette,
                                     IDirect3DTexture9** texture);
