#include "shaders/MyShader.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "graphics/SkinnedMesh.h"

void MyShader::Init() {
    LoadEffect("Shader/MyShader.fx", "エラー");
    toonTexture.LoadFromFile("data/Texture/Toon.png");
    if (effect) effect->SetTexture("ToonTex", toonTexture.texture);
    baseTexture.Create(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    baseTexture.FillWhite();
}

void MyShader::Release() {
    SafeRelease(effect);
    baseTexture.Release();
    toonTexture.Release();
}

void MyShader::SetDrawParams(const DrawParams& p, const D3DLIGHT9& light) {
    effect->SetFloat("Ambient", light.Ambient.r);
    effect->SetFloat("Reflection", p.reflection);
    SetClip(p.clip, nullptr, nullptr);
    SetRefract(p.refract);
    effect->SetInt("bLight", p.lighting);
}

void MyShader::DrawMaterial(const MaterialColours& colours, float power, const DrawParams& p, const Texture* texture) {
    effect->SetVector("Diffuse", &colours.diffuse);
    effect->SetVector("Specular", &colours.specular);
    effect->SetFloat("Power", power);
    effect->SetFloat("EmissivePow", p.emissivePower);
    effect->SetVector("Emissive", &colours.emissive);
    effect->SetFloat("SelfLit", colours.selfLit);
    effect->SetFloat("Edge", static_cast<float>(p.edge));
    effect->SetTexture("MeshTex", texture && texture->texture ? texture->texture : baseTexture.texture);
    effect->CommitChanges();
}

void MyShader::Draw(Mesh* mesh, UINT pass) {
    if (!effect || !mesh) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    const D3DLIGHT9 light = CurrentLight();
    // A mesh whose load failed has no parameters of its own; the defaults stand in.
    const DrawParams fallback;
    const DrawParams& p = mesh->drawParams ? *mesh->drawParams : fallback;
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(pass);
    SetDrawParams(p, light);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    for (DWORD i = 0; i < mesh->materialCount; ++i) {
        const D3DMATERIAL9& material = mesh->materials[i];
        DrawMaterial(MaterialColours::ForMesh(material, light, p), material.Power, p, &mesh->textures[i]);
        mesh->mesh->DrawSubset(i);
    }
    effect->EndPass();
    effect->End();
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
}

void MyShader::DrawSkinned(SkinnedMesh* skinned) {
    if (!effect || !skinned) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    skinned->SkinVertices();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    SetWorld(&identity);
    const D3DLIGHT9 light = CurrentLight();
    const DrawParams& p = *skinned->drawParams;
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    SetDrawParams(p, light);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    const int count = std::min<int>(skinned->containerCount, static_cast<int>(skinned->containers.size()));
    for (int c = 0; c < count; ++c) {
        MyLib::MY_CONTAINER* container = skinned->containers[c];
        for (DWORD j = 0; j < container->NumMaterials; ++j) {
            const D3DMATERIAL9& material = container->pMaterials[j].MatD3D;
            const Texture* texture = j < container->textures.size() ? &container->textures[j] : nullptr;
            DrawMaterial(MaterialColours::ForSkinned(material, light, p), material.Power, p, texture);
            container->MeshData.pMesh->DrawSubset(j);
        }
    }
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
    effect->EndPass();
    effect->End();
}

void MyShader::DrawOutline(Mesh* mesh, D3DXVECTOR4 colour, float size) {
    if (!effect || !mesh) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    effect->SetTechnique("OutlineTech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(0);
    effect->SetVector("OutlineColor", &colour);
    effect->SetFloat("OutlineSize", size);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    for (DWORD i = 0; i < mesh->materialCount; ++i) {
        effect->CommitChanges();
        mesh->mesh->DrawSubset(i);
    }
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
    effect->EndPass();
    effect->End();
}
