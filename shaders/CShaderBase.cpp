#include "shaders/CShaderBase.h"

#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"

bool CShaderBase::LoadEffect(const char* path, const char* caption) {
    ID3DXBuffer* errors = nullptr;
    const HRESULT hr = D3DXCreateEffectFromFileA(GraphicsDevice::GetInstance().GetDevice(), path, nullptr, nullptr, 0,
                                                 nullptr, &effect, &errors);
    if (FAILED(hr)) {
        effect = nullptr;
        if (caption) {
            MessageBoxA(nullptr, errors ? static_cast<const char*>(errors->GetBufferPointer()) : path, caption, MB_OK);
        }
    }
    SafeRelease(errors);
    return effect != nullptr;
}

void CShaderBase::Release() {
    SafeRelease(effect);
    baseTexture.Release();
}

void CShaderBase::SetWorldWithHeight(const D3DXMATRIX* m) {
    if (!effect) return;
    effect->SetMatrix("mW", m);
    effect->SetFloat("Y", m->_42);
}

void CShaderBase::SetWorld2(const D3DXMATRIX* m) {
    if (!effect) return;
    effect->SetMatrix("mW2", m);
    effect->SetFloat("Y", m->_42);
}

void CShaderBase::SetView(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mV", m);
}

void CShaderBase::SetProjection(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mP", m);
}

void CShaderBase::SetWorld(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mW", m);
}

void CShaderBase::SetLightView(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mV", m);
}

void CShaderBase::SetLightProjection(const D3DXMATRIX* m) {
    if (effect) effect->SetMatrix("mP", m);
}

void CShaderBase::SetLightDir(const D3DXVECTOR3* v) {
    if (effect) effect->SetValue("LightDir", v, 12);
}

void CShaderBase::SetCamPos(const D3DXVECTOR3* v) {
    if (effect) effect->SetValue("CamPos", v, 12);
}

void CShaderBase::SetScroll(float f) {
    if (effect) effect->SetFloat("Scroll", f);
}

void CShaderBase::SetClip(BOOL on, const D3DXVECTOR3* pos, const D3DXVECTOR3* dir) {
    if (!effect) return;
    effect->SetInt("bClip", on);
    if (pos) effect->SetValue("ClipPos", pos, 12);
    if (dir) effect->SetValue("ClipDir", dir, 12);
}

void CShaderBase::SetMirrorTex(const Texture* t) {
    if (effect) effect->SetTexture("MirrorTex", t->texture);
}

void CShaderBase::SetBackTex(const Texture* t) {
    if (effect) effect->SetTexture("BackTex", t->texture);
}

void CShaderBase::SetRefract(BOOL on) {
    if (effect) effect->SetInt("bRefract", on);
}

void CShaderBase::SetClipDir(const D3DXVECTOR4* v) {
    if (effect) effect->SetVector("ClipDir", v);
}

void CShaderBase::SetScreenSize(float w, float h) {
    if (!effect) return;
    const D3DXVECTOR4 size(w, h, 0.0f, 0.0f);
    effect->SetVector("ScreenSize", &size);
}

void CShaderBase::SetTexelSize(float w, float h) {
    if (!effect) return;
    const D3DXVECTOR4 texel(1.0f / w, 1.0f / h, 0.0f, 0.0f);
    effect->SetVector("TexelSize", &texel);
}

bool CShaderBase::Seen(DrawPass pass, const Mesh& mesh, const char* view, const char* projection, float margin) {
    D3DXMATRIX world, viewMatrix, projectionMatrix;
    if (!effect || FAILED(effect->GetMatrix("mW", &world)) || FAILED(effect->GetMatrix(view, &viewMatrix)) ||
        FAILED(effect->GetMatrix(projection, &projectionMatrix))) {
        DrawCulling::CountUncullable(pass);
        return true;
    }
    return DrawCulling::Admit(pass, mesh.box, world, viewMatrix * projectionMatrix, margin);
}
