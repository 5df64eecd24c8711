// Image files (PNG, BMP, JPEG, TGA): the size read, then the image decoded into a texture at its own
// size and at power-of-two size with a full mip chain, on the headless device.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "graphics/GraphicsDevice.h"
#include "platform/d3dx/TextureFile.h"

namespace {

void Load(IDirect3DDevice9* device, const char* path, UINT size) {
    IDirect3DTexture9* texture = nullptr;
    D3DXIMAGE_INFO info{};
    if (SUCCEEDED(D3DXCreateTextureFromFileExA(device, path, size, size, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
                                               D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, &info, nullptr,
                                               &texture))) {
        texture->Release();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartHeadless();
    const fuzz::InFolder inContent(fuzz::GameDir());
    const std::string path = fuzz::ScratchDir() + "/image";
    fuzz::WriteBytes(path, data, size);
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    D3DXIMAGE_INFO info{};
    D3DXGetImageInfoFromFileA(path.c_str(), &info);
    Load(device, path.c_str(), D3DX_DEFAULT_NONPOW2);
    Load(device, path.c_str(), D3DX_DEFAULT);
    return 0;
}
