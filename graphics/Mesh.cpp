#include "graphics/Mesh.h"

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Mesh::Load(IDirect3DDevice9* device, const std::string& path, SharedTextures* shared) {
    Release();
    const std::string directory = DirectoryOf(path);
    fileName = path.substr(directory.size());
    ID3DXBuffer* materialBuffer = nullptr;
    DWORD count = 0;
    if (FAILED(D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_MANAGED, device, &adjacency, &materialBuffer, nullptr,
                                  &count, &mesh)))
        return false;
    // Any static mesh can be a collision mesh (objects without their own fall back to the drawn one), so
    // every one gets its ray tree here, on the loading thread, rather than on the first probe of a frame.
    // Skinned meshes are never ray-queried; their containers get no tree unless something queries them.
    mesh->PrepareRayTree();
    box = MeshBox::Around(mesh->Vertices());
    materialCount = count;
    textures.resize(count);
    materials.resize(count);
    const auto* fileMaterials = static_cast<const D3DXMATERIAL*>(materialBuffer->GetBufferPointer());
    for (DWORD i = 0; i < count; ++i) {
        materials[i] = fileMaterials[i].MatD3D;
        materials[i].Ambient = materials[i].Diffuse;
        if (fileMaterials[i].pTextureFilename)
            LoadTexture(shared, directory + fileMaterials[i].pTextureFilename, textures[i]);
    }
    drawParams = new DrawParams();
    materialBuffer->Release();
    return true;
}

void Mesh::Release() {
    for (Texture& texture : textures) texture.Release();
    materialCount = 0;
    textures.clear();
    materials.clear();
    SafeRelease(adjacency);
    SafeRelease(mesh);
    fileName.clear();
    box = MeshBox{};
    delete drawParams;
    drawParams = nullptr;
}

void Mesh::DrawFixed() {
    if (!mesh) return;  // a model that failed to load draws nothing
    IDirect3DDevice9* device = nullptr;
    mesh->GetDevice(&device);
    for (DWORD i = 0; i < materialCount; ++i) {
        if (device) {
            device->SetMaterial(&materials[i]);
            device->SetTexture(0, textures[i].texture);
        }
        mesh->DrawSubset(i);
    }
    SafeRelease(device);
}
