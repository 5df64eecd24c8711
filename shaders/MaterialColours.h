#pragma once
// The colours a material sends to the toon and ice effects: its own colours modulated by light 0 and
// by the drawing object's parameters.
#include "graphics/DrawParams.h"
#include "platform/d3dx/XFile.h"

struct MaterialColours {
    D3DXVECTOR4 diffuse;
    D3DXVECTOR4 specular;
    D3DXVECTOR4 emissive;  // the toon effect's: the diffuse colour scaled by the light's red, w = 0
    // 1 for a material whose own emissive colour is white: it shines by itself (the sky) and the toon
    // effect draws it without light bands, highlights or cast shadows; 0 for every other material.
    float selfLit = 0.0f;

    // Static meshes: the object's alpha multiplies the diffuse alpha and is the specular alpha.
    static MaterialColours ForMesh(const D3DMATERIAL9& m, const D3DLIGHT9& light, const DrawParams& p);
    // Skinned meshes: the alpha comes from the light, and the specular alpha is 1.
    static MaterialColours ForSkinned(const D3DMATERIAL9& m, const D3DLIGHT9& light, const DrawParams& p);
};

// Light 0 as the device holds it.
D3DLIGHT9 CurrentLight(DWORD index = 0);
