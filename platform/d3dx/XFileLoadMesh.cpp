#include <cstring>

#include "platform/d3dx/XFile.h"
#include "platform/d3dx/XFileImport.h"

namespace {

using platform::xfile::ToMatrix;

void CollectParts(const aiScene& scene, const aiNode& node, const D3DXMATRIX& parent,
                  std::vector<std::pair<const aiMesh*, D3DXMATRIX>>& parts) {
    const D3DXMATRIX world = ToMatrix(node.mTransformation) * parent;
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes) parts.push_back({scene.mMeshes[node.mMeshes[i]], world});
    for (unsigned i = 0; i < node.mNumChildren; ++i) CollectParts(scene, *node.mChildren[i], world, parts);
}

// The D3DXMATERIAL array followed by the texture names it points to, in one buffer.
ID3DXBuffer* PackMaterials(const platform::xfile::BuiltMesh& built) {
    size_t size = built.materials.size() * sizeof(D3DXMATERIAL);
    for (const std::string& name : built.textures) size += name.size() + 1;
    ID3DXBuffer* buffer = new ID3DXBuffer(size);
    auto* materials = static_cast<D3DXMATERIAL*>(buffer->GetBufferPointer());
    char* names = reinterpret_cast<char*>(materials + built.materials.size());
    for (size_t i = 0; i < built.materials.size(); ++i) {
        materials[i].MatD3D = built.materials[i];
        materials[i].pTextureFilename = nullptr;
        if (built.textures[i].empty()) continue;
        std::memcpy(names, built.textures[i].c_str(), built.textures[i].size() + 1);
        materials[i].pTextureFilename = names;
        names += built.textures[i].size() + 1;
    }
    return buffer;
}

ID3DXBuffer* PackAdjacency(const platform::xfile::BuiltMesh& built) {
    const std::vector<DWORD> adjacency = platform::xfile::ComputeAdjacency(built.vertices, built.indices);
    ID3DXBuffer* buffer = new ID3DXBuffer(adjacency.size() * sizeof(DWORD));
    std::memcpy(buffer->GetBufferPointer(), adjacency.data(), adjacency.size() * sizeof(DWORD));
    return buffer;
}

}  // namespace

HRESULT D3DXLoadMeshFromXA(const char* file, DWORD, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                           ID3DXBuffer** materials, ID3DXBuffer** effects, DWORD* numMaterials,
                           ID3DXMesh** mesh) {
    if (!mesh || effects) return D3DERR_INVALIDCALL;
    *mesh = nullptr;
    platform::xfile::ImportedFile imported;
    if (!platform::xfile::Import(file, imported)) return D3DXERR_INVALIDDATA;
    std::vector<std::pair<const aiMesh*, D3DXMATRIX>> parts;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    CollectParts(*imported.scene, *imported.scene->mRootNode, identity, parts);
    platform::xfile::BuiltMesh built;
    if (!platform::xfile::BuildMesh(*imported.scene, parts, built)) return D3DXERR_INVALIDDATA;
    if (adjacency) *adjacency = PackAdjacency(built);
    if (materials) *materials = PackMaterials(built);
    if (numMaterials) *numMaterials = static_cast<DWORD>(built.materials.size());
    *mesh = new ID3DXMesh(device, std::move(built.vertices), std::move(built.indices), std::move(built.attributes),
                          std::move(built.table));
    return D3D_OK;
}
