#pragma once
// The textures that models name, each file loaded once and handed to every material that names it: the
// map pieces of a place and the objects made of the same wood or stone share their images instead of
// decoding and filtering each again. Not locked: MeshManager loads its models under its own lock.
#include <map>
#include <string>

#include "graphics/Texture.h"

class SharedTextures {
public:
    SharedTextures() = default;
    SharedTextures(const SharedTextures&) = delete;
    SharedTextures& operator=(const SharedTextures&) = delete;
    ~SharedTextures() { ReleaseAll(); }

    // Makes `into` a holder of the file's texture, loading it on the first request. A file that cannot
    // be loaded leaves `into` empty but named, as Texture::LoadFromFile does, and is not tried again.
    bool Load(const std::string& path, Texture& into);
    // Drops this cache's own holds; every model keeps its own until it is released.
    void ReleaseAll();

private:
    std::map<std::string, Texture> loaded;
};

// Through `shared` when there is one; otherwise `into` loads a texture of its own.
bool LoadTexture(SharedTextures* shared, const std::string& path, Texture& into);
