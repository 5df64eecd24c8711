#include "shaders/CEdgeFilter.h"

#include "graphics/GraphicsDevice.h"

void CEdgeFilter::Init() {
    D3DCAPS9 caps{};
    GraphicsDevice::GetInstance().GetDevice()->GetDeviceCaps(&caps);
    const DWORD vs11 = 0xFFFE0101, ps20 = 0xFFFF0200;
    if (caps.VertexShaderVersion < vs11 || caps.PixelShaderVersion < ps20) return;
    if (!LoadEffect("Shader/EdgeFilter.fx", nullptr)) return;  // silently without outlines
    techniqueHandle = effect->GetTechniqueByName("EdgeTech");
    lightTechniqueHandle = effect->GetTechniqueByName("EdgeLightTech");
    texelSizeHandle = effect->GetParameterByName(nullptr, "TexelSize");
    limitHandle = effect->GetParameterByName(nullptr, "Limit");
    effect->SetTechnique(techniqueHandle);
    ownDepth.Create(800, 600, D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3DPOOL_DEFAULT);
    ownScene.Create(800, 600, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT);
    depthView = ownDepth;
    sceneView = ownScene;
    outputTarget = new Texture;
    outputTarget->Create(800, 600, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT);
}

void CEdgeFilter::SetSceneTargets(const Texture& scene, const Texture& depth, const Texture& normals) {
    sceneView = scene;
    depthView = depth;
    normalView = normals;
}

void CEdgeFilter::Draw() {
    if (!effect) return;
    effect->SetTechnique(lightPicture && lightTechniqueHandle ? lightTechniqueHandle : techniqueHandle);
    const float texel[2] = {1.0f / 800.0f, 1.0f / 600.0f};
    effect->SetValue(texelSizeHandle, texel, 8);
    effect->SetFloat(limitHandle, kLimit);
    effect->SetTexture("SceneTex", sceneView.texture);
    effect->SetTexture("ZMapTex", depthView.texture);
    effect->SetTexture("NormalTex", normalView.texture);
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    GraphicsDevice::GetInstance().DrawScreenQuad(0.0f, 0.0f, 800.0f, 600.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    effect->EndPass();
    effect->End();
}

void CEdgeFilter::Release() {
    SafeRelease(effect);
    if (outputTarget) {
        outputTarget->Release();
        delete outputTarget;
        outputTarget = nullptr;
    }
    // The views only borrow; the targets made at Init are this filter's own.
    depthView = Texture{};
    sceneView = Texture{};
    normalView = Texture{};
    ownDepth.Release();
    ownScene.Release();
}
