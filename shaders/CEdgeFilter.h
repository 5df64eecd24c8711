#pragma once
// The final picture: one full-screen quad into the back buffer that samples the scene colour and depth
// and draws outlines where they jump.
#include "shaders/CShaderBase.h"

class CEdgeFilter : public CShaderBase {
public:
    static constexpr float kLimit = 0.2f;

    void Init() override;
    void Release() override;
    // Composes the frame into the current target (the back buffer).
    void Draw();
    // Makes the two views refer to the scene targets of this frame (they own nothing then).
    void SetSceneTargets(const Texture& scene, const Texture& depth);

    D3DXHANDLE techniqueHandle = nullptr;
    D3DXHANDLE texelSizeHandle = nullptr;
    D3DXHANDLE limitHandle = nullptr;
    Texture depthView;
    Texture sceneView;
    Texture* outputTarget = nullptr;

private:
    // The targets Init made for the views before the first scene pass, released once at Release.
    Texture ownDepth;
    Texture ownScene;
};
