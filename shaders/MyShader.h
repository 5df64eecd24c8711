#pragma once
// Toon lighting with shadows, and the separate outline pass: almost every mesh of the game is drawn
// through it, static and skinned.
#include "shaders/CShaderBase.h"
#include "shaders/MaterialColours.h"

class SkinnedMesh;

class MyShader : public CShaderBase {
public:
    void Init() override;
    void Release() override;
    void Draw(Mesh* mesh, UINT pass) override;
    // The skinned vertices are in world space already: the world is identity.
    void DrawSkinned(SkinnedMesh* skinned);
    // The outline shell of a mesh after its normal draw, with the same world.
    void DrawOutline(Mesh* mesh, D3DXVECTOR4 colour, float size);

    Texture toonTexture;

private:
    // "Ambient", "Reflection", clipping, refraction and "bLight" from the draw parameters.
    void SetDrawParams(const DrawParams& p, const D3DLIGHT9& light);
    // The per-material values shared by the static and skinned draws; then commits and draws.
    void DrawMaterial(const MaterialColours& colours, float power, const DrawParams& p, const Texture* texture);
};
