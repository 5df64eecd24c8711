#include "shaders/CShadowMapShader.h"

#include "app/Application.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "graphics/SkinnedMesh.h"
#include "shaders/MaterialColours.h"
#include "shaders/ShaderManager.h"

D3DXVECTOR3 ShadowLightEye(const D3DXVECTOR3& focus, const D3DXVECTOR3& d) {
    return D3DXVECTOR3(focus.x - 30.0f * d.x, 2.0f - 30.0f * d.y, focus.z - 30.0f * d.z);
}

CShadowMapShader::CShadowMapShader() { D3DXMatrixIdentity(&lightViewProj); }

void CShadowMapShader::Init() {
    Release();
    // Without its effect the game shows why and ends before its first frame.
    if (!LoadEffect("Shader/ShadowMap.fx", "シャドウマップのエフェクトファイルが読み込めていません")) {
        Application::GetInstance().quitRequested = true;
        return;
    }
    size = kSize;
    CreateTargets();
}

void CShadowMapShader::CreateTargets() {
    shadowTexture.Create(size, size, D3DUSAGE_DEPTHSTENCIL, D3DFMT_D32F_LOCKABLE, D3DPOOL_DEFAULT);
    shadowTarget.Create(size, size, D3DUSAGE_RENDERTARGET, D3DFMT_NULL, D3DPOOL_DEFAULT);
}

void CShadowMapShader::Resize(UINT edge) {
    if (!effect || edge == size) return;
    shadowTexture.Release();
    shadowTarget.Release();
    size = edge;
    CreateTargets();
}

void CShadowMapShader::Release() { SafeRelease(effect); }

void CShadowMapShader::SetWorld(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mW", m);
}

void CShadowMapShader::SetLightView(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mLV", m);
}

void CShadowMapShader::SetLightProjection(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mLP", m);
}

void CShadowMapShader::Begin(const D3DXVECTOR3* lightEye, D3DXVECTOR3 up, float width, float height) {
    if (!effect) return;
    mode = 0;
    const D3DLIGHT9 light = CurrentLight();
    const D3DXVECTOR3 direction(light.Direction.x, light.Direction.y, light.Direction.z);
    const D3DXVECTOR3 at = *lightEye + direction;
    D3DXMATRIX lightView, lightProj;
    D3DXMatrixLookAtLH(&lightView, lightEye, &at, &up);
    SetLightView(&lightView);
    D3DXMatrixOrthoLH(&lightProj, width, height, 1.0f, 100.0f);
    SetLightProjection(&lightProj);
    lightViewProj = lightView * lightProj;

    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    device->GetRenderTarget(0, &savedRenderTarget);
    device->GetDepthStencilSurface(&savedDepthStencil);
    if (shadowTarget.surface) device->SetRenderTarget(0, shadowTarget.surface);
    device->SetDepthStencilSurface(shadowTexture.surface);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFF, 1.0f, 0);
}

void CShadowMapShader::Draw(Mesh* mesh, UINT pass) {
    if (!effect || !mesh || !Seen(DrawPass::Shadow, *mesh, "mLV", "mLP")) return;
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(pass);
    for (DWORD i = 0; i < mesh->materialCount; ++i) {
        effect->SetTexture("MeshTex", mesh->textures[i].texture);
        effect->CommitChanges();
        mesh->mesh->DrawSubset(i);
    }
    effect->EndPass();
    effect->End();
}

void CShadowMapShader::DrawSkinned(SkinnedMesh* skinned) {
    if (!effect || !skinned) return;
    DrawCulling::CountUncullable(DrawPass::Shadow);
    skinned->SkinVertices();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    SetWorld(&identity);
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    const int count = std::min<int>(skinned->containerCount, static_cast<int>(skinned->containers.size()));
    for (int c = 0; c < count; ++c) {
        MyLib::MY_CONTAINER* container = skinned->containers[c];
        for (DWORD j = 0; j < container->NumMaterials; ++j) {
            effect->SetTexture("MeshTex", j < container->textures.size() ? container->textures[j].texture : nullptr);
            effect->CommitChanges();
            container->MeshData.pMesh->DrawSubset(j);
        }
    }
    effect->EndPass();
    effect->End();
}

void CShadowMapShader::End() {
    if (!effect) return;
    MyShader& toon = ShaderManager::GetInstance().toon;
    if (toon.effect) {
        toon.effect->SetMatrix("mLVP", &lightViewProj);
        toon.effect->SetTexture("ShadowTex", shadowTexture.texture);
        toon.effect->SetTexture("ShadowTexSmooth", shadowTexture.texture);
    }
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (savedRenderTarget) device->SetRenderTarget(0, savedRenderTarget);
    device->SetDepthStencilSurface(savedDepthStencil);
    SafeRelease(savedRenderTarget);
    SafeRelease(savedDepthStencil);
}
