#pragma once
// Stand-in texture record until the texture work merges: only what the mesh records use.
#include <string>

class IDirect3DTexture9;

class Texture {
public:
    IDirect3DTexture9* texture = nullptr;
    std::string name;

    // Remembers the path; the image itself is loaded once textures exist on the device.
    bool LoadFromFile(const char* path);
    void Release();
};
