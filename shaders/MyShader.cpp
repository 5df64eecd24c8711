#include "shaders/MyShader.h"

#include <cmath>

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

namespace {

DWORD State(IDirect3DDevice9& device, D3DRENDERSTATETYPE state) {
    DWORD value = 0;
    device.GetRenderState(state, &value);
    return value;
}

// Source factor 1 and destination factor 0 for a source alpha of 1, added: the source comes out as it is.
bool KeepsOpaqueSource(DWORD op, DWORD source, DWORD destination) {
    return op == D3DBLENDOP_ADD && (source == D3DBLEND_SRCALPHA || source == D3DBLEND_ONE) &&
           (destination == D3DBLEND_INVSRCALPHA || destination == D3DBLEND_ZERO);
}

// The toon pass writes alpha Diffuse.a * texel alpha to the colour target (the highlight may raise it to
// Specular.a), 1 to the depth target, and the outline flag to the normal target. For an opaque material
// (diffuse alpha 1, specular alpha at most 1) over opaque texels on an outlined object every target gets
// alpha 1, and a blend that keeps an opaque source returns exactly what the pass wrote. Leaving it off
// spares a software rasterizer reading all three targets back for most of the screen.
bool ToonBlendChangesNothing(IDirect3DDevice9& device, const MaterialColours& colours, const DrawParams& p,
                             const Texture& texture) {
    if (colours.diffuse.w != 1.0f || !(colours.specular.w <= 1.0f) || p.edge <= 0) return false;
    if (!State(device, D3DRS_ALPHABLENDENABLE)) return false;
    if (!KeepsOpaqueSource(State(device, D3DRS_BLENDOP), State(device, D3DRS_SRCBLEND), State(device, D3DRS_DESTBLEND)))
        return false;
    if (State(device, D3DRS_SEPARATEALPHABLENDENABLE) &&
        !KeepsOpaqueSource(State(device, D3DRS_BLENDOPALPHA), State(device, D3DRS_SRCBLENDALPHA),
                           State(device, D3DRS_DESTBLENDALPHA)))
        return false;
    return texture.Opaque();
}

}  // namespace

UINT MyShader::BeginTechPass(UINT pass, const DrawParams& p) {
    effect->SetTechnique("Tech");
    effect->Begin(&techPasses, 0);
    // An effect file without the unclipped pass still draws, through the toon pass.
    if (pass == kToonPass && !p.clip && kToonPassUnclipped < techPasses) pass = kToonPassUnclipped;
    effect->BeginPass(pass);
    return pass;
}

void MyShader::DrawMaterial(const MaterialColours& colours, float power, const DrawParams& p, const Texture* texture,
                            ID3DXMesh* mesh, DWORD subset, UINT pass) {
    effect->SetVector("Diffuse", &colours.diffuse);
    effect->SetVector("Specular", &colours.specular);
    effect->SetFloat("Power", power);
    effect->SetFloat("EmissivePow", p.emissivePower);
    effect->SetVector("Emissive", &colours.emissive);
    effect->SetFloat("SelfLit", colours.selfLit);
    effect->SetFloat("Edge", static_cast<float>(p.edge));
    // An unlit material switches to the unlit pass for its own draw.
    const bool unlit = !p.lighting || colours.selfLit >= 0.5f;
    const UINT own = pass == kToonPassUnclipped && unlit && kUnlitPassUnclipped < techPasses ? kUnlitPassUnclipped : pass;
    if (own != pass) {
        effect->EndPass();
        effect->BeginPass(own);
    }
    const Texture& shown = texture && texture->texture ? *texture : baseTexture;
    effect->SetTexture("MeshTex", shown.texture);
    effect->CommitChanges();
    IDirect3DDevice9& device = *GraphicsDevice::GetInstance().GetDevice();
    const bool toon = own == kToonPass || own == kToonPassUnclipped || own == kUnlitPassUnclipped;
    const bool unblended = toon && ToonBlendChangesNothing(device, colours, p, shown);
    if (unblended) device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    mesh->DrawSubset(subset);
    if (unblended) device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    if (own != pass) {
        effect->EndPass();
        effect->BeginPass(pass);
    }
}

void MyShader::Draw(Mesh* mesh, UINT pass) {
    if (!effect || !mesh || !Seen(DrawPass::Scene, *mesh, "mV", "mP")) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    const D3DLIGHT9 light = CurrentLight();
    // A mesh whose load failed has no parameters of its own; the defaults stand in.
    const DrawParams fallback;
    const DrawParams& p = mesh->drawParams ? *mesh->drawParams : fallback;
    pass = BeginTechPass(pass, p);
    SetDrawParams(p, light);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    for (DWORD i = 0; i < mesh->materialCount; ++i) {
        const D3DMATERIAL9& material = mesh->materials[i];
        DrawMaterial(MaterialColours::ForMesh(material, light, p), material.Power, p, &mesh->textures[i], mesh->mesh,
                     i, pass);
    }
    effect->EndPass();
    effect->End();
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
}

void MyShader::DrawSkinned(SkinnedMesh* skinned) {
    if (!effect || !skinned) return;
    DrawCulling::CountUncullable(DrawPass::Scene);
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    skinned->SkinVertices();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    SetWorld(&identity);
    const D3DLIGHT9 light = CurrentLight();
    const DrawParams& p = *skinned->drawParams;
    const UINT pass = BeginTechPass(kToonPass, p);
    SetDrawParams(p, light);
    graphics.SetRenderState(D3DRS_LIGHTING, FALSE);
    const int count = std::min<int>(skinned->containerCount, static_cast<int>(skinned->containers.size()));
    for (int c = 0; c < count; ++c) {
        MyLib::MY_CONTAINER* container = skinned->containers[c];
        for (DWORD j = 0; j < container->NumMaterials; ++j) {
            const D3DMATERIAL9& material = container->pMaterials[j].MatD3D;
            const Texture* texture = j < container->textures.size() ? &container->textures[j] : nullptr;
            DrawMaterial(MaterialColours::ForSkinned(material, light, p), material.Power, p, texture,
                         container->MeshData.pMesh, j, pass);
        }
    }
    graphics.SetRenderState(D3DRS_LIGHTING, TRUE);
    effect->EndPass();
    effect->End();
}

void MyShader::DrawOutline(Mesh* mesh, D3DXVECTOR4 colour, float size) {
    // The shell stands out from the surface by the outline's size along the normals.
    if (!effect || !mesh || !Seen(DrawPass::Scene, *mesh, "mV", "mP", std::fabs(size))) return;
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
