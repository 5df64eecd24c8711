#pragma once
// The shadow map: every caster drawn from light 0 into a 2048 x 2048 depth texture with an orthographic
// 30 x 30 view centred near the player; at the end the toon shader receives the map and the light's
// view-projection, and compares against it while it samples. Only depth is drawn: target 0 is a
// colour target without storage.
#include "shaders/CShaderBase.h"

class SkinnedMesh;

class CShadowMapShader : public CShaderBase {
public:
    static constexpr UINT kSize = 2048;
    static constexpr UINT kLightSize = 1024;  // the light picture's map

    CShadowMapShader();

    void Init() override;
    void Release() override;  // the effect only
    void Draw(Mesh* mesh, UINT pass) override;
    // These three write their parameter even without the usual check for a loaded effect.
    void SetWorld(const D3DXMATRIX* m) override;
    void SetLightView(const D3DXMATRIX* m) override;
    void SetLightProjection(const D3DXMATRIX* m) override;

    // --- the pass ---
    // Switches to the map and clears it white (everything far), looking from lightEye along light 0.
    void Begin(const D3DXVECTOR3* lightEye, D3DXVECTOR3 up, float width, float height);
    void DrawSkinned(SkinnedMesh* skinned);
    // Hands the map to the toon shader and puts the previous targets back.
    void End();
    // Makes the map `edge` texels square (a no-op at its size already, or without the effect).
    void Resize(UINT edge);
    UINT Size() const { return size; }

    Texture shadowTexture;  // the depth texture (0 near, 1 far)
    int mode = 0;
    Texture shadowTarget;   // the colour target 0 of the pass, without storage
    D3DXMATRIX lightViewProj;

private:
    void CreateTargets();

    UINT size = kSize;
    IDirect3DSurface9* savedRenderTarget = nullptr;
    IDirect3DSurface9* savedDepthStencil = nullptr;
};

// Where the light stands for a frame: 30 units back along the light from the focus, at height 2.
D3DXVECTOR3 ShadowLightEye(const D3DXVECTOR3& focus, const D3DXVECTOR3& lightDirection);
