#pragma once
// The base of the game's shaders: one effect, one texture of its own, and the setters that write the
// effect parameters every shader shares. Every setter does nothing while the effect failed to load.
#include "graphics/DrawCulling.h"
#include "graphics/Texture.h"
#include "platform/fx/Effect.h"

class Mesh;

class CShaderBase {
public:
    CShaderBase() = default;
    CShaderBase(const CShaderBase&) = delete;
    CShaderBase& operator=(const CShaderBase&) = delete;
    virtual ~CShaderBase() = default;

    // --- life ---
    virtual void Init() = 0;
    virtual void Release();
    // Draws a mesh whose DrawParams the caller has swapped in, with the world set by SetWorld.
    virtual void Draw(Mesh* mesh, UINT pass) { (void)mesh, (void)pass; }

    // --- transforms ("mW", "mW2" with the height "Y", "mV", "mP") ---
    virtual void SetWorldWithHeight(const D3DXMATRIX* m);
    virtual void SetWorld2(const D3DXMATRIX* m);
    virtual void SetView(const D3DXMATRIX* m);
    virtual void SetProjection(const D3DXMATRIX* m);
    virtual void SetWorld(const D3DXMATRIX* m);
    virtual void SetLightView(const D3DXMATRIX* m);
    virtual void SetLightProjection(const D3DXMATRIX* m);

    // --- lighting, camera and clipping ---
    virtual void SetLightDir(const D3DXVECTOR3* v);
    virtual void SetCamPos(const D3DXVECTOR3* v);
    virtual void SetScroll(float f);
    virtual void SetClip(BOOL on, const D3DXVECTOR3* pos, const D3DXVECTOR3* dir);
    virtual void SetMirrorTex(const Texture* t);
    virtual void SetBackTex(const Texture* t);
    virtual void SetRefract(BOOL on);
    virtual void SetClipDir(const D3DXVECTOR4* v);
    virtual void SetScreenSize(float w, float h);
    virtual void SetTexelSize(float w, float h);

    ID3DXEffect* effect = nullptr;
    Texture baseTexture;

protected:
    // Loads the effect file; on failure shows the compiler's text under caption (when one is given)
    // and leaves effect null.
    bool LoadEffect(const char* path, const char* caption);
    // Counts a draw of the mesh in the pass and tells whether it can reach the target: placed by the
    // effect's "mW", seen through its matrices named `view` and `projection`, grown by `margin`. A draw
    // is let through whenever the effect lacks one of them.
    bool Seen(DrawPass pass, const Mesh& mesh, const char* view, const char* projection, float margin = 0.0f);
};
