#include "shaders/MaterialColours.h"

#include "graphics/GraphicsDevice.h"

namespace {

// The emissive level, in every channel, from which a material counts as self-lit.
constexpr float kSelfLitEmissive = 0.99f;

MaterialColours Modulate(const D3DMATERIAL9& m, const D3DLIGHT9& l, const DrawParams& p, float diffuseAlpha,
                         float specularAlpha) {
    MaterialColours c;
    c.diffuse = D3DXVECTOR4(m.Diffuse.r * l.Diffuse.r, m.Diffuse.g * l.Diffuse.g, m.Diffuse.b * l.Diffuse.b,
                            diffuseAlpha);
    c.specular = D3DXVECTOR4(m.Specular.r * l.Specular.r * p.specularScale,
                             m.Specular.g * l.Specular.g * p.specularScale,
                             m.Specular.b * l.Specular.b * p.specularScale, specularAlpha);
    c.emissive = D3DXVECTOR4(m.Diffuse.r * l.Diffuse.r, m.Diffuse.g * l.Diffuse.r, m.Diffuse.b * l.Diffuse.r, 0.0f);
    // Glowing parts (runes, ice, the exit) have tinted emissive colours and stay toon-lit.
    c.selfLit = m.Emissive.r >= kSelfLitEmissive && m.Emissive.g >= kSelfLitEmissive && m.Emissive.b >= kSelfLitEmissive
                    ? 1.0f : 0.0f;
    return c;
}

}  // namespace

MaterialColours MaterialColours::ForMesh(const D3DMATERIAL9& m, const D3DLIGHT9& l, const DrawParams& p) {
    return Modulate(m, l, p, m.Diffuse.a * p.alpha, p.alpha);
}

MaterialColours MaterialColours::ForSkinned(const D3DMATERIAL9& m, const D3DLIGHT9& l, const DrawParams& p) {
    return Modulate(m, l, p, m.Diffuse.a * l.Diffuse.a, 1.0f);
}

D3DLIGHT9 CurrentLight(DWORD index) {
    D3DLIGHT9 light{};
    if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice()) device->GetLight(index, &light);
    return light;
}
