#pragma once
// A texture: a chain of levels of one format, kept as CPU copies that the back ends upload when they
// draw with it (the managed pool), or as render targets that live on the device only.
#include <cstdint>
#include <vector>

#include "platform/d3d9/Device.h"
#include "platform/sys/Win32.h"

class IDirect3DTexture9 : public Unknown {
public:
    IDirect3DTexture9(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool);
    ~IDirect3DTexture9() override;

    // --- the calls of the game ---
    DWORD GetLevelCount() const { return static_cast<DWORD>(levels.size()); }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) const;
    // Hands out a reference to the level's surface; the caller releases it.
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface);
    // Locks a level for CPU writes (render targets cannot be locked). rect selects part of it.
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags);
    HRESULT UnlockRect(UINT level);

    // --- platform extras ---
    D3DFORMAT Format() const { return format; }
    DWORD Usage() const { return usage; }
    // Render targets and depth textures live on the device alone (no CPU copy).
    bool IsRenderTarget() const { return (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) != 0; }
    UINT Width(UINT level = 0) const { return levels[level].width; }
    UINT Height(UINT level = 0) const { return levels[level].height; }
    UINT Pitch(UINT level) const { return levels[level].width * BytesPerPixel(format); }
    // The CPU copy of a level, rows top first, pitch = width * bytes per pixel.
    const std::vector<uint8_t>& Bits(UINT level) const { return levels[level].bits; }
    // Changes with every unlock: a back end uploads again when it sees a new value.
    uint64_t Version() const { return version; }

    static UINT BytesPerPixel(D3DFORMAT format);

protected:
    // The surface object of a level; a back end gives render targets its own kind.
    virtual IDirect3DSurface9* MakeSurface(UINT level);

private:
    struct Level {
        UINT width, height;
        std::vector<uint8_t> bits;
        IDirect3DSurface9* surface = nullptr;
    };
    std::vector<Level> levels;
    DWORD usage;
    D3DFORMAT format;
    [[maybe_unused]] D3DPOOL pool;  // kept as created; every pool behaves alike here
    uint64_t version = 1;
    int lockedLevel = -1;
};
