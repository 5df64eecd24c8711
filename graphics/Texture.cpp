#include "graphics/Texture.h"

#include "graphics/GraphicsDevice.h"

namespace {
IDirect3DDevice9* Device() { return GraphicsDevice::GetInstance().GetDevice(); }

bool EveryTexelOpaque(const IDirect3DTexture9& texture) {
    if (texture.IsRenderTarget()) return false;  // drawn on the device: its texels are not known here
    if (texture.Format() == D3DFMT_X8R8G8B8) return true;
    if (texture.Format() != D3DFMT_A8R8G8B8) return false;
    for (UINT level = 0; level < texture.GetLevelCount(); ++level) {
        const std::vector<uint8_t>& bits = texture.Bits(level);
        for (size_t i = 3; i < bits.size(); i += 4) {  // stored B, G, R, A
            if (bits[i] != 255) return false;
        }
    }
    return true;
}
}  // namespace

void Texture::Release() {
    SafeRelease(surface);
    SafeRelease(texture);
    opaqueOf = nullptr;
    name.clear();
    info = D3DXIMAGE_INFO{};
    rect = RECT{0, 0, 0, 0};
}

bool Texture::LoadFromFile(const char* path) {
    Release();
    if (!path) return false;
    name = path;
    if (FAILED(D3DXCreateTextureFromFileExA(Device(), path, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                            D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, &info,
                                            nullptr, &texture))) {
        texture = nullptr;
        return false;
    }
    if (FAILED(texture->GetSurfaceLevel(0, &surface))) return false;
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    info.MipLevels = texture->GetLevelCount();
    info.Format = desc.Format;
    rect = RECT{0, 0, static_cast<int32_t>(info.Width), static_cast<int32_t>(info.Height)};
    return true;
}

bool Texture::LoadFromFileEx(const char* path, UINT width, UINT height) {
    Release();
    if (!path) return false;
    name = path;
    if (FAILED(D3DXCreateTextureFromFileExA(Device(), path, width, height, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                            D3DX_FILTER_NONE, D3DX_DEFAULT, 0, &info, nullptr, &texture))) {
        texture = nullptr;
        return false;
    }
    if (FAILED(texture->GetSurfaceLevel(0, &surface))) return false;
    rect = RECT{0, 0, static_cast<int32_t>(info.Width), static_cast<int32_t>(info.Height)};
    return true;
}

bool Texture::Create(UINT width, UINT height, DWORD usage, D3DFORMAT format, D3DPOOL pool) {
    Release();
    if (FAILED(D3DXCreateTexture(Device(), width, height, 1, usage, format, pool, &texture))) {
        texture = nullptr;
        return false;
    }
    if (FAILED(texture->GetSurfaceLevel(0, &surface))) return false;
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    info.Width = desc.Width;
    info.Height = desc.Height;
    info.MipLevels = texture->GetLevelCount();
    info.Format = desc.Format;
    rect = RECT{0, 0, static_cast<int32_t>(info.Width), static_cast<int32_t>(info.Height)};
    return true;
}

bool Texture::FillWhite() {
    if (!texture || IDirect3DTexture9::BytesPerPixel(texture->Format()) != 4) return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return false;
    for (UINT y = 0; y < info.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch);
        for (UINT x = 0; x < info.Width; ++x) row[x] = 0xFFFFFFFFu;
    }
    texture->UnlockRect(0);
    return true;
}

void Texture::Share(const Texture& other) {
    if (&other == this) return;
    Release();
    texture = other.texture;
    surface = other.surface;
    if (texture) texture->AddRef();
    if (surface) surface->AddRef();
    info = other.info;
    rect = other.rect;
    name = other.name;
}

bool Texture::Opaque() const {
    if (!texture) return false;
    if (opaqueOf != texture || opaqueVersion != texture->Version()) {
        opaque = EveryTexelOpaque(*texture);
        opaqueOf = texture;
        opaqueVersion = texture->Version();
    }
    return opaque;
}
