#include "scenes/Continue.h"

#include "app/Application.h"
#include "app/GamePad.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectFields.h"

namespace {

constexpr float kPictureX = 360.0f;
constexpr float kPictureY = 540.0f;

}  // namespace

void Continue::Initialize() { picture = TextureManager::GetInstance().GetTexture("Data/Texture/Continue.png"); }

void Continue::Finalize() { picture = nullptr; }

void Continue::Update() {
    ++frames;
    // Any key state of the button counts, a press since the last look included.
    const bool clicked = GetAsyncKeyState(VK_LBUTTON) != 0;
    const bool padB = (GamePad::GetInstance().Pad(0).state.Gamepad.wButtons & XINPUT_GAMEPAD_B) != 0;
    if (frames > kMaxFrames || clicked || padB) {
        frames = 0;
        Application::GetInstance().nextScene = SCENE_TITLE;
    }
}

void Continue::Draw2D() {
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    if (!picture || !picture->texture || !sprite) return;
    D3DXMATRIX at;
    D3DXMatrixTranslation(&at, kPictureX, kPictureY, 0.0f);
    sprite->SetTransform(&at);
    sprite->Draw(picture->texture, &picture->rect, nullptr, nullptr, 0xFFFFFFFF);
}

void Continue::DumpFields(ObjectFields& out) const { out.Int("frames", frames); }
