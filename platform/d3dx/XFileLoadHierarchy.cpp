#include <cstring>

#include "platform/d3dx/XFile.h"
#include "platform/d3dx/XFileImport.h"

namespace {

using platform::xfile::BuiltMesh;

struct HierarchyBuilder {
    const aiScene& scene;
    IDirect3DDevice9* device;
    ID3DXAllocateHierarchy& allocator;

    HRESULT AddContainer(const aiNode& node, D3DXFRAME& frame);
    HRESULT BuildFrame(const aiNode& node, D3DXFRAME** out);
    HRESULT BuildSiblings(aiNode* const* nodes, unsigned count, D3DXFRAME** first);
};

// The node's meshes become one container; the allocator takes its own references.
HRESULT HierarchyBuilder::AddContainer(const aiNode& node, D3DXFRAME& frame) {
    std::vector<std::pair<const aiMesh*, D3DXMATRIX>> parts;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (node.mMeshes[i] < scene.mNumMeshes) parts.push_back({scene.mMeshes[node.mMeshes[i]], identity});
    BuiltMesh built;
    if (!platform::xfile::BuildMesh(scene, parts, built)) return D3DXERR_INVALIDDATA;
    const std::vector<DWORD> adjacency = platform::xfile::ComputeAdjacency(built.vertices, built.indices);
    std::vector<D3DXMATERIAL> materials(built.materials.size());
    for (size_t i = 0; i < materials.size(); ++i)
        materials[i] = {built.materials[i],
                        built.textures[i].empty() ? nullptr : const_cast<char*>(built.textures[i].c_str())};
    const DWORD vertexCount = static_cast<DWORD>(built.vertices.size());
    ID3DXSkinInfo* skin = built.bones.empty() ? nullptr : new ID3DXSkinInfo(vertexCount, std::move(built.bones));
    D3DXMESHDATA data{D3DXMESHTYPE_MESH, new ID3DXMesh(device, std::move(built.vertices), std::move(built.indices),
                                                       std::move(built.attributes), std::move(built.table))};
    const HRESULT hr = allocator.CreateMeshContainer(node.mName.C_Str(), &data, materials.data(), nullptr,
                                                     static_cast<DWORD>(materials.size()), adjacency.data(), skin,
                                                     &frame.pMeshContainer);
    data.pMesh->Release();
    SafeRelease(skin);
    return hr;
}

HRESULT HierarchyBuilder::BuildFrame(const aiNode& node, D3DXFRAME** out) {
    *out = nullptr;
    D3DXFRAME* frame = nullptr;
    HRESULT hr = allocator.CreateFrame(node.mName.C_Str(), &frame);
    if (FAILED(hr) || !frame) return FAILED(hr) ? hr : E_FAIL;
    *out = frame;
    frame->TransformationMatrix = platform::xfile::ToMatrix(node.mTransformation);
    if (node.mNumMeshes > 0 && FAILED(hr = AddContainer(node, *frame))) return hr;
    return BuildSiblings(node.mChildren, node.mNumChildren, &frame->pFrameFirstChild);
}

HRESULT HierarchyBuilder::BuildSiblings(aiNode* const* nodes, unsigned count, D3DXFRAME** first) {
    D3DXFRAME** link = first;
    for (unsigned i = 0; i < count; ++i) {
        const HRESULT hr = BuildFrame(*nodes[i], link);
        if (FAILED(hr)) return hr;
        link = &(*link)->pFrameSibling;
    }
    return D3D_OK;
}

// Assimp gathers several top-level frames under a root of its own; D3DX makes them siblings.
bool IsGatheringRoot(const aiNode& root) {
    return std::strncmp(root.mName.C_Str(), "$dummy_root", 11) == 0 && root.mNumMeshes == 0;
}

void RegisterOutputs(D3DXFRAME* frame, ID3DXAnimationController& controller) {
    for (; frame; frame = frame->pFrameSibling) {
        if (frame->Name) controller.RegisterAnimationOutput(frame->Name, &frame->TransformationMatrix);
        RegisterOutputs(frame->pFrameFirstChild, controller);
    }
}

}  // namespace

HRESULT D3DXLoadMeshHierarchyFromXA(const char* file, DWORD, IDirect3DDevice9* device,
                                    ID3DXAllocateHierarchy* allocator, void* userDataLoader,
                                    D3DXFRAME** rootFrame, ID3DXAnimationController** controller) {
    if (!allocator || !rootFrame || userDataLoader) return D3DERR_INVALIDCALL;
    *rootFrame = nullptr;
    if (controller) *controller = nullptr;
    platform::xfile::ImportedFile imported;
    if (!platform::xfile::Import(file, imported)) return D3DXERR_INVALIDDATA;
    const aiNode& root = *imported.scene->mRootNode;
    HierarchyBuilder builder{*imported.scene, device, *allocator};
    aiNode* const single[] = {imported.scene->mRootNode};
    const HRESULT hr = IsGatheringRoot(root) ? builder.BuildSiblings(root.mChildren, root.mNumChildren, rootFrame)
                                             : builder.BuildSiblings(single, 1, rootFrame);
    if (FAILED(hr) || !*rootFrame) {
        D3DXFrameDestroy(*rootFrame, allocator);
        *rootFrame = nullptr;
        return FAILED(hr) ? hr : D3DXERR_INVALIDDATA;
    }
    if (controller) {
        std::vector<ID3DXAnimationSet*> sets = platform::xfile::BuildAnimationSets(imported);
        *controller = new ID3DXAnimationController(2, sets);
        for (ID3DXAnimationSet* set : sets) set->Release();
        RegisterOutputs(*rootFrame, **controller);
    }
    return D3D_OK;
}

HRESULT D3DXFrameDestroy(D3DXFRAME* frame, ID3DXAllocateHierarchy* allocator) {
    if (!frame || !allocator) return D3D_OK;
    if (frame->pMeshContainer) allocator->DestroyMeshContainer(frame->pMeshContainer);
    frame->pMeshContainer = nullptr;
    D3DXFrameDestroy(frame->pFrameFirstChild, allocator);
    D3DXFrameDestroy(frame->pFrameSibling, allocator);
    frame->pFrameFirstChild = frame->pFrameSibling = nullptr;
    return allocator->DestroyFrame(frame);
}
