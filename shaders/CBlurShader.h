#pragma once
// Blur: its effect and a chain of ten targets from a quarter of the back buffer up to five quarters,
// prepared at start-up for the picture effects that use them.
#include "shaders/CShaderBase.h"

class CBlurShader : public CShaderBase {
public:
    static constexpr int kTargetCount = 10;

    void Init() override;
    void Release() override;  // the effect only

    Texture targets[kTargetCount];
};
