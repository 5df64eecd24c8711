#pragma once
// Toon lighting with shadows, and the separate outline pass: almost every mesh of the game is drawn
// through it, static and skinned.
#include "shaders/CShaderBase.h"
#include "shaders/MaterialColours.h"

class SkinnedMesh;

class MyShader : public CShaderBase {
public:
    // --- the passes of "Tech" ---
    static constexpr UINT kToonPass = 0;    // toon shading, cut away behind the clip plane when asked
    static constexpr UINT kFrozenPass = 1;  // frozen through
    // The toon pass of a draw that clips nothing, without the discard, and the same for unlit draws and
    // self-lit materials, without the lighting. Draw picks them by itself.
    static constexpr UINT kToonPassUnclipped = 2;
    static constexpr UINT kUnlitPassUnclipped = 3;

    void Init() override;
    void Release() override;
    void Draw(Mesh* mesh, UINT pass) override;
    // The skinned vertices are in world space already: the world is identity.
    void DrawSkinned(SkinnedMesh* skinned);
    // The outline shell of a mesh after its normal draw, with the same world.
    void DrawOutline(Mesh* mesh, D3DXVECTOR4 colour, float size);

    Texture toonTexture;

private:
    // Begins "Tech" with the pass asked for, or with the unclipped toon pass where it serves as well.
    // Returns the pass begun.
    UINT BeginTechPass(UINT pass, const DrawParams& p);
    UINT techPasses = 0;  // passes of "Tech" in the effect file
    // "Ambient", "Reflection", clipping, refraction and "bLight" from the draw parameters.
    void SetDrawParams(const DrawParams& p, const D3DLIGHT9& light);
    // The per-material values shared by the static and skinned draws; then commits and draws the
    // subset with the given pass of "Tech".
    void DrawMaterial(const MaterialColours& colours, float power, const DrawParams& p, const Texture* texture,
                      ID3DXMesh* mesh, DWORD subset, UINT pass);
};

