#include "graphics/MeshManager.h"

MeshManager& MeshManager::GetInstance() {
    static MeshManager instance;
    return instance;
}

Mesh* MeshManager::GetMesh(IDirect3DDevice9* device, const std::string& name) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = meshes.find(name);
    if (found != meshes.end()) return found->second;
    Mesh* mesh = new Mesh();
    mesh->Load(device, name, &textures);
    meshes.emplace(name, mesh);
    return mesh;
}

SkinnedMesh* MeshManager::GetSkinnedMesh(IDirect3DDevice9* device, const std::string& name) {
    std::lock_guard<std::mutex> guard(lock);
    auto found = skinnedMeshes.find(name);
    if (found != skinnedMeshes.end()) return found->second;
    SkinnedMesh* mesh = new SkinnedMesh();
    mesh->Load(device, name, &textures);
    skinnedMeshes.emplace(name, mesh);
    return mesh;
}

std::vector<SkinnedMesh*> MeshManager::SkinnedMeshes() {
    std::lock_guard<std::mutex> guard(lock);
    std::vector<SkinnedMesh*> all;
    for (const auto& [name, mesh] : skinnedMeshes) all.push_back(mesh);
    return all;
}

void MeshManager::ReleaseAll() {
    std::lock_guard<std::mutex> guard(lock);
    for (auto& [name, mesh] : meshes) {
        mesh->Release();
        delete mesh;
        mesh = nullptr;
    }
    meshes.clear();
    for (auto& [name, mesh] : skinnedMeshes) {
        mesh->Release();
        delete mesh;
        mesh = nullptr;
    }
    skinnedMeshes.clear();
    textures.ReleaseAll();
}
