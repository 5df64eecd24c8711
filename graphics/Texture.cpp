#include "graphics/Texture.h"

bool Texture::LoadFromFile(const char* path) {
    Release();
    name = path ? path : "";
    return false;
}

void Texture::Release() {
    texture = nullptr;
    name.clear();
}
