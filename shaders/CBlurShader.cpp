#include "shaders/CBlurShader.h"

#include "graphics/GraphicsDevice.h"

void CBlurShader::Init() {
    Release();
    if (!LoadEffect("Shader/Blur.fx", "シェーダコンパイルエラー")) return;
    const GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    const UINT quarterW = graphics.GetBackBufferWidth() / 4, quarterH = graphics.GetBackBufferHeight() / 4;
    for (UINT k = 1; k <= kTargetCount / 2; ++k) {
        for (UINT i : {2 * k - 2, 2 * k - 1}) {
            targets[i].Create(k * quarterW, k * quarterH, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT);
        }
    }
}

void CBlurShader::Release() { SafeRelease(effect); }
