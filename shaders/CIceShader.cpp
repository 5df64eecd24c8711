#include "shaders/CIceShader.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "shaders/MaterialColours.h"

void CIceShader::Init() {
    Release();
    LoadEffect("Shader/IceShader.fx", "エラー");
    toonTexture.LoadFromFile("data/Texture/Toon.png");
    if (effect) effect->SetTexture("ToonTex", toonTexture.texture);
    baseTexture.Create(1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    baseTexture.FillWhite();
}

void CIceShader::Release() { SafeRelease(effect); }

void CIceShader::Draw(Mesh* mesh, UINT pass) {
    if (!effect || !mesh || !Seen(DrawPass::Scene, *mesh, "mV", "mP")) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    const DrawParams fallback;
    const DrawParams& p = mesh->drawParams ? *mesh->drawParams : fallback;
    // Nothing sets a second light: it reads as light 0's direction when unset.
    D3DLIGHT9 second = CurrentLight(1);
    const D3DLIGHT9 light = CurrentLight(0);
    if (second.Type == 0) second = light;
    const D3DXVECTOR4 normalLight(second.Direction.x, second.Direction.y, second.Direction.z, 1.0f);
    effect->SetVector("NormalLightDir", &normalLight);
    effect->SetTechnique("Tech");
    effect->Begin(nullptr, 0);
    effect->BeginPass(pass);
    effect->SetFloat("Ambient", light.Ambient.r);
    effect->SetFloat("Reflection", p.reflection);
    SetClip(p.clip, nullptr, nullptr);
    SetRefract(p.refract);
    effect->SetFloat("AlphaTest", p.alphaTest);
    effect->SetInt("bLight", p.lighting);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    for (DWORD i = 0; i < mesh->materialCount; ++i) {
        const D3DMATERIAL9& material = mesh->materials[i];
        const MaterialColours colours = MaterialColours::ForMesh(material, light, p);
        effect->SetVector("Diffuse", &colours.diffuse);
        effect->SetVector("Specular", &colours.specular);
        effect->SetFloat("Power", material.Power);
        effect->SetFloat("EmissivePow", p.emissivePower);
        effect->SetValue("Emissive", &material.Emissive, 16);
        const Texture& texture = mesh->textures[i];
        effect->SetTexture("MeshTex", texture.texture ? texture.texture : baseTexture.texture);
        effect->CommitChanges();
        mesh->mesh->DrawSubset(i);
    }
    effect->EndPass();
    effect->End();
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
}
