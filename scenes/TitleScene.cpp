#include "scenes/TitleScene.h"

#include <algorithm>

#include "app/Application.h"
#include "app/GamePad.h"
#include "app/Mouse.h"
#include "app/SceneChanger.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/SkinnedMesh.h"
#include "graphics/TextureManager.h"
#include "loading/ObjectPlacement.h"
#include "loading/ResourceLoader.h"
#include "loading/SaveData.h"
#include "objects/CDoor.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "scenes/EscLatch.h"
#include "scenes/Fade.h"
#include "scenes/MenuText.h"
#include "scenes/StageView.h"
#include "sound/Music.h"
#include "sound/SoundManager.h"

namespace {

constexpr int kStartSound = 2;
constexpr int kGunContainers = 2;
constexpr float kEyeHeight = 2.0f;
constexpr WORD kStartButtons = XINPUT_GAMEPAD_RIGHT_SHOULDER | XINPUT_GAMEPAD_B | XINPUT_GAMEPAD_START;

// Calls visit on the first count objects of the kind (as many as exist), without gathering them.
template <typename Visit>
void ForFirstFew(int kind, int count, Visit&& visit) {
    int seen = 0;
    ForEachOfKind(kind, [&](CharacterBase* object) {
        if (seen++ < count) visit(object);
    });
}

}  // namespace

void TitleScene::Initialize() {
    StopGameMusic();
    ResourceLoader::GetInstance().Load("Data/txt/Title.txt");
    TextureManager& textures = TextureManager::GetInstance();
    logo = textures.GetTexture("data/Texture/TitleLogo.png");
    logo2 = textures.GetTexture("data/Texture/TitleLogo2.png");
    mask = textures.GetTexture("data/Texture/Mask.png");
    ObjectPlacement(kPlacement);
    openDoors = openLaunchers = ReadProgress();
    OpenByProgress();
    if (Camera* camera = Application::GetInstance().camera) {
        camera->Reset();
        camera->mouseControl = false;
    }
    Mouse::GetInstance().Recenter();
    StartTitleMusic();
    if (Application::GetInstance().stageSelect == -1) {
        // Back from a stage's goal: no logo, the intro runs at once.
        logoAlpha = 0;
        started = 1;
    }
}

// Only the doors the hub has are opened, however far the progress goes.
void TitleScene::OpenByProgress() {
    ForFirstFew(KIND_DOOR, openDoors, [](CharacterBase* door) { static_cast<CDoor*>(door)->open = 1; });
    auto* player = static_cast<Player*>(FirstOfKind(KIND_PLAYER));
    if (openDoors > 1 && player && player->skin) player->skin->containerCount = kGunContainers;
}

// Before the start O opens the options; once in the hub the pause control opens the menu.
bool TitleScene::UpdatePause() {
    const bool optionsKey = (GetAsyncKeyState('O') & 0x8000) != 0;
    const bool openOptions = optionsKey && !optionsKeyHeld && !started && !pause.Paused();
    optionsKeyHeld = optionsKey;
    if (openOptions) pause.OpenOptions();
    const int mode = Fade::GetInstance().mode;
    const bool fading = mode == Fade::kToBlack || mode == Fade::kToBlackStill;
    Application& app = Application::GetInstance();
    const PauseMenu::Choice choice = pause.Update(entered && !fading && app.nextScene == SCENE_NONE);
    if (choice == PauseMenu::kQuit) app.quitRequested = true;
    if (choice == PauseMenu::kTitle) {
        app.stageSelect = 0;  // the logo again
        changer->ChangeScene(SCENE_TITLE);
    }
    return pause.Paused() || openOptions;
}

void TitleScene::Update() {
    Application& app = Application::GetInstance();
    if (UpdatePause()) return;
    if (EscLatch::Pressed()) app.quitRequested = true;
    if (auto* player = static_cast<Player*>(FirstOfKind(KIND_PLAYER))) PosePlayer(*player);
    if (!started) {
        CheckStart();
        entered = false;
    } else {
        logoAlpha = std::max(logoAlpha - kLogoFade, 0);
        if (entered) {
            ForFirstFew(KIND_LAUNCHER, openLaunchers, [](CharacterBase* launcher) { launcher->state = 1; });
            UpdateObjects();
            RemoveDeadObjects();
        }
    }
    Camera* camera = app.camera;
    if (entered) {
        // During a fade to black the camera swings after the player on its own, as in a stage.
        const Fade& fade = Fade::GetInstance();
        const bool fading = fade.mode == Fade::kToBlack || fade.mode == Fade::kToBlackStill;
        if (camera && !fading) camera->mouseControl = true;
        if (camera && camera->mouseControl) {
            camera->pitch = Mouse::GetInstance().GetVerticalAngle();
            camera->yaw = Mouse::GetInstance().GetHorizontalAngle();
        }
    } else {
        if (camera) camera->mouseControl = false;
        Mouse::GetInstance().Recenter();
    }
    Fade::GetInstance().Update();
}

// Posed facing the camera before the start; walking in during the intro; on its own once entered.
void TitleScene::PosePlayer(Player& player) {
    if (entered) return;
    int animation = PLAYER_STAND;
    if (started) {
        player.FadeWalk();
        player.UpdateFootsteps();
        animation = PLAYER_WALK;
    }
    D3DXMatrixIdentity(&player.rotMat);
    if (started) {
        D3DXMATRIX halfTurn;
        D3DXMatrixRotationY(&halfTurn, Player::kModelHalfTurn);
        *player.world = player.scaleMat * halfTurn * player.rotMat * player.transMat;
    }
    player.state = animation;
    if (!player.skin) return;
    if (player.skin->current != animation) player.skin->ChangeAnimation(animation);
    player.skin->Update(*player.world);
}

// A click (once per press, by its own latch) or a held pad button starts the game.
void TitleScene::CheckStart() {
    const bool down = (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    const bool click = down && !clickHeld;
    clickHeld = down;
    const bool pad = (GamePad::GetInstance().Pad(0).state.Gamepad.wButtons & kStartButtons) != 0;
    if (!click && !pad) return;
    SoundManager::GetInstance().Play(kStartSound, SoundManager::kEffectVolume);
    started = 1;
}

void TitleScene::StepIntro() {
    look.x = 0.0f;
    introOffset -= introStep / static_cast<float>(kIntroFrames);
    look.y -= lookStart.y / kIntroFrames;
    look.z -= lookStart.z / kIntroFrames;
    if (look.y > 0.01f || look.z < 0.0f) look = D3DXVECTOR3(0, 0, 0);
    if (introOffset.x < 0.0f || introOffset.y < 0.0f) {
        introOffset = D3DXVECTOR2(0, 0);
        entered = true;
    }
}

void TitleScene::Draw() {
    const D3DXMATRIX projection = BeginStageView(StandardStageLight());
    CharacterBase* player = FirstOfKind(KIND_PLAYER);
    D3DXMATRIX w;
    if (player) w = *player->world;
    else D3DXMatrixIdentity(&w);
    if (started) StepIntro();
    w._41 -= introOffset.x;
    w._42 -= introOffset.y;
    Camera* camera = Application::GetInstance().camera;
    if (camera) {
        if (!started) {
            camera->pitch = introAngles.x;
            camera->yaw = introAngles.y;
            look = lookStart;
        } else if (!entered) {
            camera->pitch -= introAngles.x / kIntroFrames;
            camera->yaw -= introAngles.y / kIntroFrames;
            if (camera->pitch < 0.0f || camera->yaw < 0.0f) camera->pitch = camera->yaw = 0.0f;
        }
        camera->FollowWithOffset(&w, D3DXVECTOR3(look.x, kEyeHeight + look.y, camera->distance + look.z));
    }
    const D3DXVECTOR3 focus = player ? player->Position() : D3DXVECTOR3(0, 0, 0);
    RenderStageView(projection, focus);
}

void TitleScene::Draw2D() {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    IDirect3DDevice9* device = graphics.GetDevice();
    const D3DCOLOR colour = D3DCOLOR_ARGB(static_cast<uint32_t>(logoAlpha), 255, 255, 255);
    for (const Texture* layer : {logo2, logo}) {
        device->SetTexture(0, layer ? layer->texture : nullptr);
        if (layer && layer->texture) graphics.DrawScreenQuad(0, 0, 800, 600, 1, 1, colour);
    }
    device->SetTexture(0, nullptr);
    if (!started && logoAlpha > 0) {
        const D3DCOLOR hint = D3DCOLOR_ARGB(static_cast<uint32_t>(logoAlpha), 0xF2, 0xF6, 0xFF);
        menu_text::DrawCentred("O: Options        Esc: Quit", 400.0f, 556.0f, hint);
    }
    if (ID3DXFont* font = graphics.GetFont()) {
        D3DXMATRIX at;
        D3DXMatrixTranslation(&at, 680.0f, 0.0f, 0.0f);
        if (ID3DXSprite* sprite = graphics.GetSprite()) sprite->SetTransform(&at);
        RECT rect{0, 0, 0, 0};
        font->DrawTextA(graphics.GetSprite(), "ver 1.01", -1, &rect, DT_NOCLIP, colour);
    }
    Fade::GetInstance().Draw();
    pause.Draw();
}

void TitleScene::Finalize() {
    pause.Close();
    Fade::GetInstance().Update();
    logo = logo2 = mask = nullptr;
    ClearObjects();
    if (Camera* camera = Application::GetInstance().camera) camera->TurnToward(D3DXVECTOR3(0.0f, 0.0f, 1.0f));
}

void TitleScene::DumpFields(ObjectFields& out) const {
    out.Int("logoAlpha", logoAlpha);
    out.Int("started", started);
    out.Int("entered", entered ? 1 : 0);
    out.Int("openDoors", openDoors);
}
