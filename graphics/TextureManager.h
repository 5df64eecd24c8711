#pragma once
// The process-wide image cache: each file is loaded once, at its exact pixel size, and the same record
// is handed out for the same name until ReleaseAll. A file that cannot be loaded stays cached as an
// empty record and is not tried again.
#include <atomic>
#include <map>
#include <mutex>
#include <string>

#include "graphics/Texture.h"

class TextureManager {
public:
    static TextureManager& GetInstance();

    // Never null. Names are compared byte for byte: "a.png", "A.png" and "dir\a.png" are different entries.
    // Safe to call from the loader and the loading-screen threads at once.
    Texture* GetTexture(const std::string& name);
    // Releases and frees every record; the cache is as new afterwards.
    void ReleaseAll();
    // Counts the ReleaseAll calls: a user that keeps records fetches them anew when it changes.
    unsigned Generation() const { return generation; }

private:
    TextureManager() = default;
    // Whatever is still cached at process end goes with the manager.
    ~TextureManager() { ReleaseAll(); }
    std::mutex mutex;
    std::map<std::string, Texture*> textures;
    std::atomic<unsigned> generation{0};
};
