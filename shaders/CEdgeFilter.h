#pragma once
// The final picture: one full-screen quad into the back buffer that samples the scene colour, depth
// and normals and draws outlines at silhouettes and creases.
#include "shaders/CShaderBase.h"

class CEdgeFilter : public CShaderBase {
public:
    static constexpr float kLimit = 0.2f;

    void Init() override;
    void Release() override;
    using CShaderBase::Draw;
    // Composes the frame into the current target (the back buffer).
    void Draw();
    // Makes the views refer to the scene targets of this frame (they own nothing then).
    void SetSceneTargets(const Texture& scene, const Texture& depth, const Texture& normals);

    // The light picture draws with "EdgeLightTech" (silhouettes from the depth alone), where the file has it.
    void UseLightPicture(bool light) { lightPicture = light; }

    D3DXHANDLE techniqueHandle = nullptr;
    D3DXHANDLE lightTechniqueHandle = nullptr;
    D3DXHANDLE texelSizeHandle = nullptr;
    D3DXHANDLE limitHandle = nullptr;
    Texture depthView;
    Texture sceneView;
    Texture normalView;  // the scene pass's normals and outline flags; empty before the first pass
    Texture* outputTarget = nullptr;

private:
    // The targets Init made for the views before the first scene pass, released once at Release.
    Texture ownDepth;
    Texture ownScene;
    bool lightPicture = false;
};
