#pragma once
// The five shaders, the off-screen targets of the frame, and the frame's passes: common parameters,
// the shadow map, and the scene drawn into three targets at once (colour, depth, extra).
#include <vector>

#include "graphics/DepthStencil.h"
#include "shaders/CBlurShader.h"
#include "shaders/CEdgeFilter.h"
#include "shaders/CIceShader.h"
#include "shaders/CShadowMapShader.h"
#include "shaders/MyShader.h"
#include "shaders/PictureChoice.h"

class CharacterBase;

// What every shader is told about the frame's camera.
struct FrameParams {
    D3DXVECTOR3 camPos;
    D3DXMATRIX view;
    D3DXMATRIX projection;
};

class ShaderManager {
public:
    static constexpr UINT kTargetWidth = 800;
    static constexpr UINT kTargetHeight = 600;

    static ShaderManager& GetInstance();

    void Init();
    void Release();
    // The picture chosen for this frame, common parameters, clear, and the shadow pass centred on the
    // focus (the player's position).
    void BeginFrame(D3DXVECTOR3 focus);
    // The picture the last frame was drawn with (Full before the first).
    platform::PictureQuality Picture() const { return picture; }
    // The scene pass: the map first, then every other object, then every object's translucent draw.
    void RenderScene();

    // --- the shaders (objects and scenes draw through them directly) ---
    MyShader toon;
    CShadowMapShader shadowMap;
    CEdgeFilter edgeFilter;
    CIceShader ice;
    CBlurShader blur;

    // --- the frame's targets ---
    Texture* spareTarget1 = nullptr;
    Texture* spareTarget2 = nullptr;
    Texture* depthTarget = nullptr;
    DepthStencil sceneDepthStencil;
    IDirect3DSurface9* savedDepthStencil = nullptr;
    Texture* sceneTarget = nullptr;
    IDirect3DSurface9* savedRenderTarget = nullptr;
    // What the ice's "ZMapTex" reads: the scene depth as the opaque draws left it, copied each frame.
    Texture iceDepthView;
    Texture* extraTarget = nullptr;

private:
    ShaderManager() = default;
    void SetCommonParams(CShaderBase& shader, const FrameParams& frame);
    void BeginMRT();
    void EndMRT();
    void SnapshotSceneDepth();
    // Resolves the picture from the environment, the settings and the renderer, and switches the
    // shaders and targets over when it changed.
    void ChoosePicture();
    void ApplyPicture(platform::PictureQuality chosen);

    // The copy of the scene depth that iceDepthView shows, released at Release.
    Texture ownIceDepth;
    // The object list as the scene pass began (RenderScene's own).
    std::vector<CharacterBase*> opaqueDrawList;
    platform::PictureQuality picture = platform::PictureQuality::Full;
    bool pictureApplied = false;  // the shaders were set for `picture` since Init
    std::string renderer;         // the device's renderer, read at Init
};
