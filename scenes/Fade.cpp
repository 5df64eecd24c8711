#include "scenes/Fade.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Mouse.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/TextureManager.h"

namespace {

void SetCameraControl(bool on) {
    if (Camera* camera = Application::GetInstance().camera) camera->mouseControl = on;
}

}  // namespace

Fade& Fade::GetInstance() {
    static Fade instance;
    return instance;
}

Fade::Fade() { FetchTextures(); }

// The records are the texture cache's: after the cache has been emptied they are fetched anew.
void Fade::FetchTextures() {
    TextureManager& textures = TextureManager::GetInstance();
    black = textures.GetTexture("data/Texture/Black.png");
    blackOut = textures.GetTexture("data/Texture/BlackOut.png");
    textureGeneration = textures.Generation();
}

void Fade::Update() {
    switch (mode) {
        case 0:
            barHeight = 0.0f;
            barTimer = 0.0f;
            phase = 0;
            alpha = 0;
            break;
        case 1: UpdateBars(); break;
        case kToBlack:
        case kToBlackStill: UpdateBlack(); break;
        default: break;
    }
}

void Fade::StartBlack(int blackMode) {
    mode = blackMode;
    phase = 0;
    alpha = 0;
    barHeight = 0.0f;
    barTimer = 0.0f;
}

void Fade::UpdateBars() {
    barTimer += 1.0f;
    if (barTimer <= kBarGrowFrames) {
        barHeight += 2.0f;
    } else if (barTimer > kBarHoldUntil) {
        barHeight -= 3.0f;
        phase = 1;
    }
    barHeight = std::clamp(barHeight, 0.0f, kBarHeight);
    if (barHeight == 0.0f) {
        barTimer = 0.0f;
        mode = 0;
    }
}

void Fade::UpdateBlack() {
    SetCameraControl(false);
    if (phase == 0) {
        alpha += 4;
        if (alpha > 255) {
            alpha = 255;
            phase = 1;
        }
    } else {
        alpha -= 3;
        if (alpha < 0) {
            alpha = 0;
            mode = 0;
            phase = 0;
            Mouse::GetInstance().Recenter();
            SetCameraControl(true);
        }
    }
}

void Fade::Draw() {
    if (textureGeneration != TextureManager::GetInstance().Generation()) FetchTextures();
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    graphics.DrawFullScreenTexture(black, 0, 600, (static_cast<D3DCOLOR>(alpha) << 24) | 0xFFFFFF);
    if (mode == kBars) {
        graphics.DrawFullScreenTexture(black, static_cast<int>(barHeight - kBarHeight), 60, 0xFFFFFFFF);
        graphics.DrawFullScreenTexture(black, static_cast<int>(600.0f - barHeight), 60, 0xFFFFFFFF);
    }
}
