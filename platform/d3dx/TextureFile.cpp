#include "platform/d3dx/TextureFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
// Larger than any texture the game draws; a header claiming more is a broken file, and decoding it would
// ask for gigabytes before noticing that the pixels are missing.
#define STBI_MAX_DIMENSIONS 8192
#include <stb/stb_image.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include "platform/sys/Paths.h"

namespace {

struct PixelsFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// A decoded image, 8-bit RGBA rows top first, in the decoder's own buffer.
struct Image {
    int width = 0, height = 0;
    bool alpha = false;
    D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_UNKNOWN;
    std::unique_ptr<stbi_uc, PixelsFree> rgba;
};

D3DXIMAGE_FILEFORMAT FileFormat(FILE* file) {
    unsigned char head[4] = {};
    const size_t got = std::fread(head, 1, 4, file);
    std::fseek(file, 0, SEEK_SET);
    if (got >= 4 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return D3DXIFF_PNG;
    if (got >= 2 && head[0] == 'B' && head[1] == 'M') return D3DXIFF_BMP;
    if (got >= 2 && head[0] == 0xFF && head[1] == 0xD8) return D3DXIFF_JPG;
    return D3DXIFF_TGA;  // TGA has no signature; stb decides whether it is one
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool ReadInfo(const char* path, D3DXIMAGE_INFO& info) {
    if (!path) return false;
    FilePtr file(platform::OpenFile(path, "rb"));
    if (!file) return false;
    const D3DXIMAGE_FILEFORMAT format = FileFormat(file.get());
    int w = 0, h = 0, components = 0;
    if (!stbi_info_from_file(file.get(), &w, &h, &components) || w <= 0 || h <= 0) return false;
    if (w > STBI_MAX_DIMENSIONS || h > STBI_MAX_DIMENSIONS) return false;
    const bool alpha = components == 2 || components == 4;
    info = D3DXIMAGE_INFO{static_cast<UINT>(w), static_cast<UINT>(h), 1, 1,
                          alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8, D3DRTYPE_TEXTURE, format};
    return true;
}

bool Decode(const char* path, Image& image) {
    if (!path) return false;
    FilePtr file(platform::OpenFile(path, "rb"));
    if (!file) return false;
    image.fileFormat = FileFormat(file.get());
    int components = 0;
    image.rgba.reset(stbi_load_from_file(file.get(), &image.width, &image.height, &components, 4));
    if (!image.rgba) return false;
    image.alpha = components == 2 || components == 4;
    return true;
}

UINT PowerOfTwo(UINT n) {
    UINT p = 1;
    while (p < n) p <<= 1;
    return p;
}

UINT ChooseSize(UINT requested, int fileSize) {
    const UINT own = static_cast<UINT>(fileSize);
    if (requested == D3DX_DEFAULT) return PowerOfTwo(own);
    if (requested == 0 || requested == D3DX_DEFAULT_NONPOW2 || requested == D3DX_FROM_FILE) return own;
    return requested;
}


// Writes RGBA into a locked 32-bit level as B, G, R, A.
void Store(IDirect3DTexture9* texture, UINT level, const uint8_t* rgba) {
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(level, &locked, nullptr, 0))) return;
    const UINT w = texture->Width(level), h = texture->Height(level);
    for (UINT y = 0; y < h; ++y) {
        auto* row = static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
        const uint8_t* src = rgba + static_cast<size_t>(y) * w * 4;
        for (UINT x = 0; x < w; ++x, src += 4) {
            row[x * 4 + 0] = src[2];
            row[x * 4 + 1] = src[1];
            row[x * 4 + 2] = src[0];
            row[x * 4 + 3] = src[3];
        }
    }
    texture->UnlockRect(level);
}

// RGBA at another size, filtered.
std::vector<uint8_t> Scaled(const uint8_t* rgba, int fromWidth, int fromHeight, UINT width, UINT height) {
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * 4);
    stbir_resize_uint8(rgba, fromWidth, fromHeight, 0, out.data(), static_cast<int>(width), static_cast<int>(height), 0, 4);
    return out;
}

// Every level of the chain: the first scaled from the file's picture (or that picture itself at its own
// size), each further one from the level above it, as a mip filter does (filtering each from the whole
// picture costs as much again per level).
void StoreChain(IDirect3DTexture9* texture, const Image& image) {
    const uint8_t* above = image.rgba.get();
    std::vector<uint8_t> scaled;
    int width = image.width, height = image.height;
    for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
        const UINT w = texture->Width(level), h = texture->Height(level);
        if (static_cast<int>(w) != width || static_cast<int>(h) != height) {
            scaled = Scaled(above, width, height, w, h);
            above = scaled.data();
        }
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        Store(texture, level, above);
    }
}

}  // namespace

HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info) {
    if (!info) return D3DERR_INVALIDCALL;
    D3DXIMAGE_INFO read{};
    if (!ReadInfo(path, read)) return D3DXERR_INVALIDDATA;
    *info = read;
    return D3D_OK;
}

HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels, DWORD usage,
                          D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture) {
    if (!device || !texture) return D3DERR_INVALIDCALL;
    if (format == D3DFMT_UNKNOWN) format = D3DFMT_A8R8G8B8;
    return device->CreateTexture(width, height, mipLevels == D3DX_DEFAULT ? 0 : mipLevels, usage, format, pool,
                                 texture, nullptr);
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* path, IDirect3DTexture9** texture) {
    return D3DXCreateTextureFromFileExA(device, path, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* path, UINT width, UINT height,
                                     UINT mipLevels, DWORD usage, D3DFORMAT format, D3DPOOL pool, DWORD, DWORD,
                                     D3DCOLOR, D3DXIMAGE_INFO* info, void*, IDirect3DTexture9** texture) {
    if (!device || !texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    Image image;
    if (!Decode(path, image)) return D3DXERR_INVALIDDATA;
    const D3DFORMAT fileFormat = image.alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    if (format == D3DFMT_UNKNOWN) format = fileFormat;
    // Only 32-bit colour formats are filled from files.
    if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) return D3DERR_INVALIDCALL;
    const UINT w = ChooseSize(width, image.width), h = ChooseSize(height, image.height);
    const UINT levels = (mipLevels == D3DX_DEFAULT || mipLevels == D3DX_FROM_FILE) ? 0 : mipLevels;
    IDirect3DTexture9* created = nullptr;
    if (FAILED(device->CreateTexture(w, h, levels, usage, format, pool, &created, nullptr))) return E_FAIL;
    StoreChain(created, image);
    if (info) {
        *info = D3DXIMAGE_INFO{static_cast<UINT>(image.width), static_cast<UINT>(image.height), 1, 1, fileFormat,
                               D3DRTYPE_TEXTURE, image.fileFormat};
    }
    *texture = created;
    return D3D_OK;
}
