#pragma once
// Ice: the same per-material feeding as the toon shader, plus a second light direction, an alpha-test
// threshold, the material's own emissive colour and the depth of the scene drawn before it.
#include "shaders/CShaderBase.h"

class CIceShader : public CShaderBase {
public:
    void Init() override;
    void Release() override;  // the effect only
    void Draw(Mesh* mesh, UINT pass) override;

    Texture toonTexture;
};
