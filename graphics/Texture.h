#pragma once
// One image or render target: the texture, its level-0 surface, the image description, a rectangle
// covering the whole image (the sprite source rectangle) and the file it came from.
#include <string>

#include "graphics/DepthStencil.h"
#include "platform/d3d9/Texture.h"
#include "platform/d3dx/TextureFile.h"

class Texture {
public:
    IDirect3DTexture9* texture = nullptr;
    IDirect3DSurface9* surface = nullptr;
    D3DXIMAGE_INFO info{};
    RECT rect{};
    std::string name;

    // --- loading (each starts with Release, so a record may be reloaded in place) ---
    // Power-of-two size with a full mip chain; info and rect keep the file's own size.
    bool LoadFromFile(const char* path);
    // Exactly width x height, one level, the file's format, no filtering.
    bool LoadFromFileEx(const char* path, UINT width, UINT height);
    // An empty texture: render targets, or 1 x 1 images filled by FillWhite.
    bool Create(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    // Writes opaque white into every pixel of level 0 (32-bit formats).
    bool FillWhite();
    // Holds the same texture as another record (one more reference), with its description and name.
    void Share(const Texture& other);

    // --- what the image holds ---
    // True when no texel of any level lets anything show through: a format without alpha, or alpha 255
    // everywhere. Filtering such texels gives alpha 1 exactly. Worked out once per change of the texels.
    bool Opaque() const;

    void Release();

private:
    // The texture and texel version the answer below belongs to.
    mutable const IDirect3DTexture9* opaqueOf = nullptr;
    mutable uint64_t opaqueVersion = 0;
    mutable bool opaque = false;
};
