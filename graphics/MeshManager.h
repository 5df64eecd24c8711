#pragma once
// The process-wide cache of models by requested file name: every object naming a file shares one
// record, loaded on the first request. A file that fails to load stays cached as an empty record and
// is not tried again. The models share their images: a file that several name is loaded once. Safe
// to use from the loading thread and the main thread.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "graphics/Mesh.h"
#include "graphics/SkinnedMesh.h"

class MeshManager {
public:
    static MeshManager& GetInstance();

    // Never null.
    Mesh* GetMesh(IDirect3DDevice9* device, const std::string& name);
    // Never null.
    SkinnedMesh* GetSkinnedMesh(IDirect3DDevice9* device, const std::string& name);
    // Every animated model loaded so far.
    std::vector<SkinnedMesh*> SkinnedMeshes();
    // Releases every model and the images they shared; afterwards the cache is as new.
    void ReleaseAll();

private:
    MeshManager() = default;
    ~MeshManager() { ReleaseAll(); }

    std::mutex lock;
    std::map<std::string, Mesh*> meshes;
    std::map<std::string, SkinnedMesh*> skinnedMeshes;
    SharedTextures textures;  // every model's images, each file loaded once
};
