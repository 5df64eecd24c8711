#include "graphics/SharedTextures.h"

bool SharedTextures::Load(const std::string& path, Texture& into) {
    auto [entry, added] = loaded.try_emplace(path);
    if (added) entry->second.LoadFromFile(path.c_str());
    into.Share(entry->second);
    return into.texture != nullptr;
}

bool LoadTexture(SharedTextures* shared, const std::string& path, Texture& into) {
    return shared ? shared->Load(path, into) : into.LoadFromFile(path.c_str());
}

void SharedTextures::ReleaseAll() {
    for (auto& [path, texture] : loaded) texture.Release();
    loaded.clear();
}
