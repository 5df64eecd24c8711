#include "shaders/ShaderManager.h"

#include <cstdlib>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/FramePhase.h"
#include "graphics/GraphicsDevice.h"
#include "objects/ObjectList.h"

namespace {

constexpr D3DCOLOR kBlack = 0xFF000000;

Texture* NewTarget(D3DFORMAT format) {
    auto* texture = new Texture;
    texture->Create(ShaderManager::kTargetWidth, ShaderManager::kTargetHeight, D3DUSAGE_RENDERTARGET, format,
                    D3DPOOL_DEFAULT);
    return texture;
}

void FreeTarget(Texture*& texture) {
    if (!texture) return;
    texture->Release();
    delete texture;
    texture = nullptr;
}

IDirect3DDevice9* Device() { return GraphicsDevice::GetInstance().GetDevice(); }

}  // namespace

ShaderManager& ShaderManager::GetInstance() {
    static ShaderManager instance;
    return instance;
}

void ShaderManager::Init() {
    toon.Init();
    shadowMap.Init();
    edgeFilter.Init();
    ice.Init();
    blur.Init();
    spareTarget1 = NewTarget(D3DFMT_A8R8G8B8);
    spareTarget2 = NewTarget(D3DFMT_A8R8G8B8);
    sceneTarget = NewTarget(D3DFMT_A8R8G8B8);
    depthTarget = NewTarget(D3DFMT_R32F);
    sceneDepthStencil.Release();
    sceneDepthStencil.Create(kTargetWidth, kTargetHeight);
    ownIceDepth.Create(kTargetWidth, kTargetHeight, D3DUSAGE_RENDERTARGET, D3DFMT_R32F, D3DPOOL_DEFAULT);
    iceDepthView = ownIceDepth;
    extraTarget = NewTarget(D3DFMT_A8R8G8B8);
    renderer = Device() ? Device()->RendererName() : std::string();
    picture = platform::PictureQuality::Full;
    pictureApplied = false;
    edgeFilter.UseLightPicture(false);
}

void ShaderManager::ChoosePicture() {
    const platform::PictureQuality chosen =
        ResolvePicture(std::getenv("VELDORIN_QUALITY"), platform::GetSettings().picture, renderer);
    if (chosen != picture || !pictureApplied) ApplyPicture(chosen);
}

void ShaderManager::ApplyPicture(platform::PictureQuality chosen) {
    picture = chosen;
    pictureApplied = true;
    const bool light = chosen == platform::PictureQuality::Light;
    shadowMap.Resize(light ? CShadowMapShader::kLightSize : CShadowMapShader::kSize);
    if (toon.effect) toon.effect->SetInt("bLightPicture", light ? 1 : 0);
    edgeFilter.UseLightPicture(light);
}

void ShaderManager::Release() {
    toon.Release();
    shadowMap.Release();
    edgeFilter.Release();
    ice.Release();
    blur.Release();
    FreeTarget(spareTarget1);
    FreeTarget(spareTarget2);
    FreeTarget(sceneTarget);
    FreeTarget(depthTarget);
    sceneDepthStencil.Release();
    iceDepthView = Texture{};
    ownIceDepth.Release();
    FreeTarget(extraTarget);
    // What the shaders keep beyond their effects goes now too, while the device still lives.
    shadowMap.shadowTexture.Release();
    shadowMap.shadowTarget.Release();
    ice.toonTexture.Release();
    ice.baseTexture.Release();
    for (Texture& target : blur.targets) target.Release();
}

void ShaderManager::SetCommonParams(CShaderBase& shader, const FrameParams& frame) {
    shader.SetScreenSize(800.0f, 600.0f);
    shader.SetTexelSize(800.0f, 600.0f);
    const D3DLIGHT9 light = CurrentLight();
    const D3DXVECTOR3 direction(light.Direction.x, light.Direction.y, light.Direction.z);
    shader.SetLightDir(&direction);
    shader.SetProjection(&frame.projection);
    shader.SetView(&frame.view);
    shader.SetCamPos(&frame.camPos);
    shader.SetClip(FALSE, nullptr, nullptr);
}

void ShaderManager::BeginFrame(D3DXVECTOR3 focus) {
    FramePhaseScope phase(FramePhase::ShadowPass);
    ChoosePicture();
    FrameParams frame;
    if (const Camera* camera = Application::GetInstance().camera) {
        frame.camPos = camera->position;
        frame.view = camera->view;
        frame.projection = camera->projection;
    }
    for (CShaderBase* shader : std::initializer_list<CShaderBase*>{&toon, &shadowMap, &edgeFilter, &ice}) {
        SetCommonParams(*shader, frame);
    }
    Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);

    const D3DLIGHT9 light = CurrentLight();
    const D3DXVECTOR3 eye = ShadowLightEye(focus, D3DXVECTOR3(light.Direction.x, light.Direction.y, light.Direction.z));
    shadowMap.Begin(&eye, D3DXVECTOR3(0.0f, 1.0f, 0.0f), 30.0f, 30.0f);
    if (shadowMap.effect) {
        // Objects may not change the list while they draw; an index walk keeps that safe anyway.
        std::vector<CharacterBase*>& objects = GetObjectList();
        for (size_t i = 0; i < objects.size(); ++i) objects[i]->DrawShadow();
    }
    shadowMap.End();
}

void ShaderManager::BeginMRT() {
    IDirect3DDevice9* device = Device();
    device->GetRenderTarget(0, &savedRenderTarget);
    device->GetDepthStencilSurface(&savedDepthStencil);
    if (picture == platform::PictureQuality::Light) {
        // Colour and depth only: the light edge filter finds its lines in the depth.
        if (sceneTarget && sceneTarget->surface) device->SetRenderTarget(0, sceneTarget->surface);
        if (depthTarget && depthTarget->surface) device->SetRenderTarget(1, depthTarget->surface);
        device->SetDepthStencilSurface(sceneDepthStencil.surface);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
        return;
    }
    if (extraTarget && extraTarget->surface) device->SetRenderTarget(0, extraTarget->surface);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
    if (sceneTarget && sceneTarget->surface) device->SetRenderTarget(0, sceneTarget->surface);
    if (depthTarget && depthTarget->surface) device->SetRenderTarget(1, depthTarget->surface);
    if (extraTarget && extraTarget->surface) device->SetRenderTarget(2, extraTarget->surface);
    device->SetDepthStencilSurface(sceneDepthStencil.surface);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
}

void ShaderManager::EndMRT() {
    IDirect3DDevice9* device = Device();
    if (savedRenderTarget) device->SetRenderTarget(0, savedRenderTarget);
    device->SetDepthStencilSurface(savedDepthStencil);
    SafeRelease(savedRenderTarget);
    SafeRelease(savedDepthStencil);
    device->SetRenderTarget(1, nullptr);
    device->SetRenderTarget(2, nullptr);
    if (sceneTarget && depthTarget && extraTarget) edgeFilter.SetSceneTargets(*sceneTarget, *depthTarget, *extraTarget);
}

// The ice patches read the depth of every opaque surface through a copy taken once a frame: the target
// itself is being drawn into, and the translucent draws that follow may not see each other.
void ShaderManager::SnapshotSceneDepth() {
    if (!depthTarget || !depthTarget->surface || !ownIceDepth.surface) return;
    Device()->StretchRect(depthTarget->surface, nullptr, ownIceDepth.surface, nullptr, D3DTEXF_NONE);
    iceDepthView = ownIceDepth;
    if (ice.effect) ice.effect->SetTexture("ZMapTex", iceDepthView.texture);
}

void ShaderManager::RenderScene() {
    FramePhaseScope phase(FramePhase::ScenePass);
    BeginMRT();
    // The opaque draws walk the list as it stood when the pass began, copied into storage that keeps
    // its capacity from frame to frame.
    std::vector<CharacterBase*>& objects = opaqueDrawList;
    objects.assign(GetObjectList().begin(), GetObjectList().end());
    for (CharacterBase* object : objects) {
        if (object->kind == 1) object->Draw();
    }
    for (CharacterBase* object : objects) {
        if (object->kind != 1) object->Draw();
    }
    SnapshotSceneDepth();
    // Translucent draws come after every opaque one; the live list, as objects stand now.
    std::vector<CharacterBase*>& live = GetObjectList();
    for (size_t i = 0; i < live.size(); ++i) live[i]->DrawAlpha();
    objects.clear();  // no pointer outlives the pass
    EndMRT();
}
