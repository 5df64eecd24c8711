#pragma once
// Frame hierarchy records and the allocator interface through which the hierarchy loader hands every
// frame and mesh container to the game, which may extend them with fields of its own.
#include "platform/d3dx/Mesh.h"
#include "platform/d3dx/SkinInfo.h"

class ID3DXAnimationController;

enum D3DXMESHDATATYPE : uint32_t { D3DXMESHTYPE_MESH = 1 };

struct D3DXMESHDATA {
    D3DXMESHDATATYPE Type;
    ID3DXMesh* pMesh;
};

struct D3DXMESHCONTAINER {
    char* Name;
    D3DXMESHDATA MeshData;
    D3DXMATERIAL* pMaterials;
    D3DXEFFECTINSTANCE* pEffects;
    DWORD NumMaterials;
    DWORD* pAdjacency;
    ID3DXSkinInfo* pSkinInfo;
    D3DXMESHCONTAINER* pNextMeshContainer;
};

struct D3DXFRAME {
    char* Name;
    D3DXMATRIX TransformationMatrix;
    D3DXMESHCONTAINER* pMeshContainer;
    D3DXFRAME* pFrameSibling;
    D3DXFRAME* pFrameFirstChild;
};

class ID3DXAllocateHierarchy {
public:
    virtual ~ID3DXAllocateHierarchy() = default;
    virtual HRESULT CreateFrame(const char* name, D3DXFRAME** newFrame) = 0;
    // The allocator takes its own references to the mesh and the skin it keeps.
    virtual HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData,
                                        const D3DXMATERIAL* materials, const D3DXEFFECTINSTANCE* effects,
                                        DWORD numMaterials, const DWORD* adjacency, ID3DXSkinInfo* skinInfo,
                                        D3DXMESHCONTAINER** newContainer) = 0;
    virtual HRESULT DestroyFrame(D3DXFRAME* frame) = 0;
    virtual HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* container) = 0;
};

// Destroys a hierarchy made by D3DXLoadMeshHierarchyFromXA: every container, then every frame.
HRESULT D3DXFrameDestroy(D3DXFRAME* root, ID3DXAllocateHierarchy* allocator);
