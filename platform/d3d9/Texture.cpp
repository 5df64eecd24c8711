#include "platform/d3d9/Texture.h"

#include <algorithm>

IDirect3DTexture9::IDirect3DTexture9(UINT width, UINT height, UINT levelCount, DWORD use, D3DFORMAT fmt,
                                     D3DPOOL memoryPool)
    : usage(use), format(fmt), pool(memoryPool) {
    width = std::max<UINT>(width, 1);
    height = std::max<UINT>(height, 1);
    // Zero levels means the whole chain down to 1 x 1.
    UINT most = 1;
    for (UINT w = width, h = height; w > 1 || h > 1; w = std::max<UINT>(w / 2, 1), h = std::max<UINT>(h / 2, 1)) {
        ++most;
    }
    if (levelCount == 0 || levelCount > most) levelCount = most;
    const bool cpuCopy = !IsRenderTarget();
    for (UINT i = 0; i < levelCount; ++i) {
        Level level{width, height, {}, nullptr};
        if (cpuCopy) level.bits.assign(static_cast<size_t>(width) * height * BytesPerPixel(format), 0);
        levels.push_back(std::move(level));
        width = std::max<UINT>(width / 2, 1);
        height = std::max<UINT>(height / 2, 1);
    }
}

IDirect3DTexture9::~IDirect3DTexture9() {
    for (Level& level : levels) SafeRelease(level.surface);
}

UINT IDirect3DTexture9::BytesPerPixel(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A16B16G16R16F: return 8;
        default: return 4;  // A8R8G8B8, X8R8G8B8, R32F
    }
}

HRESULT IDirect3DTexture9::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const {
    if (!desc || level >= levels.size()) return D3DERR_INVALIDCALL;
    *desc = D3DSURFACE_DESC{format, levels[level].width, levels[level].height};
    return D3D_OK;
}

IDirect3DSurface9* IDirect3DTexture9::MakeSurface(UINT level) {
    return new IDirect3DSurface9(D3DSURFACE_DESC{format, levels[level].width, levels[level].height});
}

HRESULT IDirect3DTexture9::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
    if (!surface || level >= levels.size()) return D3DERR_INVALIDCALL;
    if (!levels[level].surface) levels[level].surface = MakeSurface(level);
    if (!levels[level].surface) return D3DERR_INVALIDCALL;
    levels[level].surface->AddRef();
    *surface = levels[level].surface;
    return D3D_OK;
}

HRESULT IDirect3DTexture9::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) {
    if (!locked || level >= levels.size() || IsRenderTarget() || lockedLevel >= 0) return D3DERR_INVALIDCALL;
    Level& l = levels[level];
    size_t offset = 0;
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->right > static_cast<int32_t>(l.width) ||
            rect->bottom > static_cast<int32_t>(l.height) || rect->left >= rect->right || rect->top >= rect->bottom) {
            return D3DERR_INVALIDCALL;
        }
        offset = (static_cast<size_t>(rect->top) * l.width + rect->left) * BytesPerPixel(format);
    }
    locked->Pitch = static_cast<int>(Pitch(level));
    locked->pBits = l.bits.data() + offset;
    lockedLevel = static_cast<int>(level);
    return D3D_OK;
}

HRESULT IDirect3DTexture9::UnlockRect(UINT level) {
    if (lockedLevel != static_cast<int>(level)) return D3DERR_INVALIDCALL;
    lockedLevel = -1;
    ++version;
    return D3D_OK;
}
