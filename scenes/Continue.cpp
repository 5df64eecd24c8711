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

void Continue::Initialize() {
    picture = TextureManager::GetInstance().GetTexture("Data/Texture/Continue.png");
    // Both count as held until seen up: a button still down from the stage never skips the picture.
    clickHeld = padHeld = true;
    frames = 0;
}

void Continue::Finalize() { picture = nullptr; }

// A click or a B press that begins while the picture shows, each by its own latch, or 600 frames.
void Continue::Update() {
    ++frames;
    const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool padB = (GamePad::GetInstance().Pad(0).state.Gamepad.wButtons & XINPUT_GAMEPAD_B) != 0;
    const bool pressed = (down && !clickHeld) || (padB && !padHeld);
    clickHeld = down;
    padHeld = padB;
    if (frames > kMaxFrames || pressed) {
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
