#pragma once
// The allocator through which a skinned model's frames and mesh containers are created and destroyed,
// and the extended frame and container records it makes.
#include <vector>

#include "graphics/SharedTextures.h"
#include "graphics/Texture.h"
#include "platform/d3dx/Hierarchy.h"

namespace MyLib {

struct MY_FRAME : public D3DXFRAME {
    D3DXMATRIX combined;    // TransformationMatrix x parent's combined, from the last update
    D3DXMATRIX boneOffset;  // the skin's offset matrix when this frame is a bone
    int boneIndex = -1;     // this frame's bone in the skin, or -1
};

struct MY_CONTAINER : public D3DXMESHCONTAINER {
    std::vector<Texture> textures;  // one per material; empty where it has none
    DWORD attributeCount = 0;
    ID3DXMesh* sourceMesh = nullptr;  // as loaded: the input of the skinning
    std::vector<D3DXATTRIBUTERANGE> attributeTable;
    std::vector<MY_FRAME*> boneFrames;  // for each bone of the skin, the frame of the same name
};

class MY_HIERARCHY : public ID3DXAllocateHierarchy {
public:
    // Where the containers' images come from while set (see Mesh::Load); each loads its own otherwise.
    SharedTextures* shared = nullptr;

    HRESULT CreateFrame(const char* name, D3DXFRAME** newFrame) override;
    HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* meshData, const D3DXMATERIAL* materials,
                                const D3DXEFFECTINSTANCE* effects, DWORD numMaterials, const DWORD* adjacency,
                                ID3DXSkinInfo* skinInfo, D3DXMESHCONTAINER** newContainer) override;
    HRESULT DestroyFrame(D3DXFRAME* frame) override;
    HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* container) override;
};

}  // namespace MyLib
