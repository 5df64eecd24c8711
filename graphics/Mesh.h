#pragma once
// A static model loaded from a .x file: the mesh, one material and one texture per subset, and the
// draw parameters the shaders read. Owned by MeshManager and shared by every object naming the file.
#include <string>
#include <vector>

#include "graphics/DrawParams.h"
#include "graphics/MeshBox.h"
#include "graphics/SharedTextures.h"
#include "graphics/Texture.h"
#include "platform/d3dx/XFile.h"

class Mesh {
public:
    ID3DXMesh* mesh = nullptr;  // null when loading failed
    std::vector<Texture> textures;
    std::vector<D3DMATERIAL9> materials;  // Ambient replaced by Diffuse
    DWORD materialCount = 0;
    ID3DXBuffer* adjacency = nullptr;
    std::string fileName;  // name and extension, without the folder
    DrawParams* drawParams = nullptr;
    MeshBox box;  // around the vertices, in the mesh's own space

    Mesh() = default;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    ~Mesh() { Release(); }

    // Texture names in the file are relative to the file's own folder. With `shared`, each image comes
    // from there (loaded once for every model using it); without, this model loads its own.
    bool Load(IDirect3DDevice9* device, const std::string& path, SharedTextures* shared = nullptr);
    void Release();
    // Draws every subset with the current transforms, lights and states.
    void DrawFixed();
};

// The folder part of a path with its trailing separator ('/' or '\'), or "" when it has none.
std::string DirectoryOf(const std::string& path);
