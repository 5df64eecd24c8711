#include "graphics/MyHierarchy.h"

#include <cstring>
#include <new>

namespace MyLib {
namespace {

char* CopyName(const char* name) {
    const char* source = name ? name : "";
    char* copy = new (std::nothrow) char[std::strlen(source) + 1];
    if (copy) std::strcpy(copy, source);
    return copy;
}

// Copies the file's materials and loads their textures; names are relative to the working folder.
void CopyMaterials(MY_CONTAINER& c, const D3DXMATERIAL* materials, DWORD numMaterials, SharedTextures* shared) {
    c.NumMaterials = numMaterials > 0 ? numMaterials : 1;
    c.pMaterials = new D3DXMATERIAL[c.NumMaterials]();
    c.textures.resize(c.NumMaterials);
    if (numMaterials == 0 || !materials) {
        c.pMaterials[0].MatD3D.Diffuse = {0.8f, 0.8f, 0.8f, 0.0f};
        c.pMaterials[0].MatD3D.Specular = c.pMaterials[0].MatD3D.Diffuse;
        return;
    }
    for (DWORD i = 0; i < numMaterials; ++i) {
        c.pMaterials[i] = materials[i];
        if (materials[i].pTextureFilename) LoadTexture(shared, materials[i].pTextureFilename, c.textures[i]);
        c.pMaterials[i].pTextureFilename = nullptr;
    }
}

}  // namespace

HRESULT MY_HIERARCHY::CreateFrame(const char* name, D3DXFRAME** newFrame) {
    if (!newFrame) return E_FAIL;
    *newFrame = nullptr;
    MY_FRAME* frame = new (std::nothrow) MY_FRAME();
    if (!frame) return E_OUTOFMEMORY;
    frame->Name = CopyName(name);
    if (!frame->Name) {
        delete frame;
        return E_FAIL;
    }
    D3DXMatrixIdentity(&frame->TransformationMatrix);
    D3DXMatrixIdentity(&frame->combined);
    D3DXMatrixIdentity(&frame->boneOffset);
    *newFrame = frame;
    return D3D_OK;
}

HRESULT MY_HIERARCHY::CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                          const D3DXMATERIAL* materials, const D3DXEFFECTINSTANCE*,
                                          DWORD numMaterials, const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                          D3DXMESHCONTAINER** newContainer) {
    if (!newContainer || !meshData || !meshData->pMesh) return E_FAIL;
    *newContainer = nullptr;
    MY_CONTAINER* c = new MY_CONTAINER();
    c->Name = CopyName(name);
    ID3DXMesh* source = meshData->pMesh;
    const DWORD faces = source->GetNumFaces();
    c->pAdjacency = new DWORD[faces * 3];
    c->sourceMesh = source;
    source->AddRef();
    c->MeshData.Type = meshData->Type;
    IDirect3DDevice9* device = nullptr;
    source->GetDevice(&device);
    const HRESULT cloned = source->CloneMeshFVF(D3DXMESH_MANAGED, source->GetFVF(), device, &c->MeshData.pMesh);
    SafeRelease(device);
    if (FAILED(cloned) || !c->Name) {
        DestroyMeshContainer(c);
        return E_FAIL;
    }
    c->MeshData.pMesh->GetAttributeTable(nullptr, &c->attributeCount);
    c->attributeTable.resize(c->attributeCount);
    c->MeshData.pMesh->GetAttributeTable(c->attributeTable.data(), &c->attributeCount);
    CopyMaterials(*c, materials, numMaterials, shared);
    if (adjacency) std::memcpy(c->pAdjacency, adjacency, sizeof(DWORD) * faces * 3);
    if (skinInfo) {
        c->pSkinInfo = skinInfo;
        skinInfo->AddRef();
    }
    *newContainer = c;
    return D3D_OK;
}

HRESULT MY_HIERARCHY::DestroyFrame(D3DXFRAME* frame) {
    if (!frame) return D3D_OK;
    delete[] frame->Name;
    DestroyFrame(frame->pFrameFirstChild);
    DestroyFrame(frame->pFrameSibling);
    delete static_cast<MY_FRAME*>(frame);
    return D3D_OK;
}

HRESULT MY_HIERARCHY::DestroyMeshContainer(D3DXMESHCONTAINER* base) {
    if (!base) return D3D_OK;
    MY_CONTAINER* c = static_cast<MY_CONTAINER*>(base);
    delete[] c->Name;
    SafeRelease(c->pSkinInfo);
    delete[] c->pAdjacency;
    delete[] c->pMaterials;
    for (Texture& texture : c->textures) texture.Release();
    SafeRelease(c->MeshData.pMesh);
    SafeRelease(c->sourceMesh);
    delete c;
    return D3D_OK;
}

}  // namespace MyLib
