#include "graphics/TextureManager.h"

TextureManager& TextureManager::GetInstance() {
    static TextureManager instance;
    return instance;
}

Texture* TextureManager::GetTexture(const std::string& name) {
    std::lock_guard lock(mutex);
    auto found = textures.find(name);
    if (found != textures.end()) return found->second;
    // Without a readable description the size is unknown; the load then fails on the same file, but
    // the file's own size is asked for so a file that appears in between still loads unscaled.
    D3DXIMAGE_INFO fileInfo{};
    UINT width = D3DX_DEFAULT_NONPOW2, height = D3DX_DEFAULT_NONPOW2;
    if (SUCCEEDED(D3DXGetImageInfoFromFileA(name.c_str(), &fileInfo))) {
        width = fileInfo.Width;
        height = fileInfo.Height;
    }
    auto* texture = new Texture;
    texture->LoadFromFileEx(name.c_str(), width, height);
    textures.emplace(name, texture);
    return texture;
}

void TextureManager::ReleaseAll() {
    std::lock_guard lock(mutex);
    for (auto& entry : textures) {
        entry.second->Release();
        delete entry.second;
        entry.second = nullptr;
    }
    textures.clear();
    ++generation;
}
