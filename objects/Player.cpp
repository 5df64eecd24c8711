#include "objects/Player.h"

#include <string>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/SkinnedMesh.h"
#include "graphics/TextureManager.h"
#include "loading/TextData.h"
#include "objects/Billboard.h"
#include "objects/ObjectFields.h"
#include "objects/ShotEmitter.h"
#include "scenes/Fade.h"
#include "shaders/ShaderManager.h"

namespace {

constexpr int kTrailInterval = 10;  // frames between two steps of the slide trail
constexpr float kMarkerHeight = 2.0f;
constexpr float kMarkerScale = 0.15f;

// Playback speeds of the animation sets and the cross-fade into the interaction.
void TuneAnimations(SkinnedMesh& skin) {
    const std::pair<int, float> speeds[] = {{1, 1.5f}, {2, 0.5f}, {5, 0.75f}, {6, 1.0f}, {7, 1.0f}, {8, 1.0f}, {9, 1.0f}};
    const int count = static_cast<int>(skin.animations.size());
    for (const auto& [set, speed] : speeds)
        if (set < count) skin.animations[static_cast<size_t>(set)].speed = speed;
    if (PLAYER_INTERACT < count) skin.animations[PLAYER_INTERACT].blendTime = 0.8f;
}

}  // namespace

PlayerShared& Player::Shared() {
    static PlayerShared shared;
    return shared;
}

void Player::ResetShared() { Shared() = PlayerShared{}; }

Player::Player() {
    kind = KIND_PLAYER;
    TextureManager& textures = TextureManager::GetInstance();
    markerTexture = textures.GetTexture("data/Texture/hatena.png");
    for (int n = 0; n < kTrailLength; ++n)
        slipTextures[n] = textures.GetTexture("data/Texture/slip/slipeffect" + std::to_string(n) + ".png");
    emitter.Init();
    for (D3DXMATRIX& m : trail) D3DXMatrixIdentity(&m);
}

Player::~Player() {
    markerTexture = nullptr;
    skin = nullptr;
}

void Player::Init(std::vector<std::string> params) {
    mesh = nullptr;
    colMesh = nullptr;
    state = 0;
    for (size_t i = 1; i < params.size(); ++i) {
        std::string key, value;
        if (!SplitParam(params[i], key, value) || SetParam(key, value)) continue;
        if (key == "SkinMesh") {
            skin = MeshManager::GetInstance().GetSkinnedMesh(GraphicsDevice::GetInstance().GetDevice(), value);
            skin->ChangeAnimation(PLAYER_STAND);
        } else if (key == "Container" && skin) {
            skin->containerCount = ParseIntLenient(value);
        }
    }
    if (skin) TuneAnimations(*skin);
    D3DXMatrixScaling(&scaleMat, kModelScale, kModelScale, kModelScale);
    RebuildWorld();
    prevState = PLAYER_STAND;
    state = PLAYER_STAND;
    if (skin) {
        skin->ChangeAnimation(PLAYER_STAND);
        skin->world = *world;
    }
}

void Player::RebuildWorld() {
    D3DXMATRIX halfTurn;
    D3DXMatrixRotationY(&halfTurn, kModelHalfTurn);
    *world = scaleMat * halfTurn * rotMat * transMat;
}

void Player::Update() {
    Fade& fade = Fade::GetInstance();
    // While the screen goes black for a restart the player lets go of the controls.
    input = fade.mode == Fade::kToBlackStill ? PlayerInput{} : PlayerInput::Read();
    const D3DXVECTOR3 before = Position();
    if (fade.mode == 0 || fade.mode == Fade::kToBlackStill) {
        Move();
        UndoCrossing(before);
        ApplyGravity();
        UpdateFootsteps();
    } else if (fade.mode == Fade::kToBlack) {
        FadeWalk();
        UndoCrossing(before);
        UpdateFootsteps();
    } else if (fade.mode == Fade::kBars) {
        state = PLAYER_INTERACT;
        if (fade.phase) CheckWall();
    }
    emitter.Update();
    RebuildWorld();
    AnimateSkin();
    AdvanceTrail();
}

void Player::AnimateSkin() {
    if (!skin) return;
    if (state != skin->current) skin->ChangeAnimation(state);
    skin->Update(*world);
}

// Every tenth frame the trail moves up by one place and takes the player's position; the images
// rotate along with it, so each place shows the next image in turn.
void Player::AdvanceTrail() {
    PlayerShared& shared = Shared();
    if (++shared.trailTimer <= kTrailInterval) return;
    shared.trailTimer = 0;
    Texture* last = slipTextures[kTrailLength - 1];
    for (int n = kTrailLength - 1; n >= 1; --n) {
        trail[n] = trail[n - 1];
        slipTextures[n] = slipTextures[n - 1];
    }
    slipTextures[0] = last;
    trail[0] = transMat;
}

void Player::Draw() {
    if (!skin) return;
    ShaderManager::GetInstance().toon.DrawSkinned(skin);
}

void Player::DrawShadow() {
    if (skin) ShaderManager::GetInstance().shadowMap.DrawSkinned(skin);
}

void Player::DrawAlpha() {
    DrawParticle();
    emitter.Draw();
    if (state == PLAYER_SLIDE) DrawTrail();
}

void Player::DrawTrail() {
    BeginAdditiveSquares();
    for (int n = 0; n < kTrailLength; ++n) DrawFacingSquare(trail[n], slipTextures[n], 255);
    EndAdditiveSquares();
}

// The question mark above the player's head, projected to the screen.
void Player::Draw2D() {
    if (!markerShown || !markerTexture || !markerTexture->texture) return;
    const Camera* camera = Application::GetInstance().camera;
    ID3DXSprite* sprite = GraphicsDevice::GetInstance().GetSprite();
    if (!camera || !sprite) return;
    const D3DXVECTOR3 p = Position();
    const D3DXVECTOR3 head(p.x, p.y + kMarkerHeight, p.z);
    const D3DXMATRIX viewProjection = camera->view * camera->projection;
    D3DXVECTOR3 screen;
    D3DXVec3TransformCoord(&screen, &head, &viewProjection);
    D3DXMATRIX scale, at;
    D3DXMatrixScaling(&scale, kMarkerScale, kMarkerScale, kMarkerScale);
    D3DXMatrixTranslation(&at, 400.0f * screen.x + 400.0f, 300.0f - 300.0f * screen.y, 0.0f);
    const D3DXMATRIX transform = scale * at;
    sprite->SetTransform(&transform);
    const D3DXVECTOR3 centre(static_cast<float>(markerTexture->info.Width) / 2.0f,
                             static_cast<float>(markerTexture->info.Height) / 2.0f, 0.0f);
    sprite->Draw(markerTexture->texture, &markerTexture->rect, &centre, nullptr, 0xFFFFFFFF);
}

void Player::DumpFields(ObjectFields& out) const {
    const PlayerShared& shared = Shared();
    out.Int("inAir", inAir);
    out.Int("aim", aim);
    out.Int("markerShown", markerShown);
    out.Int("pushReady", pushReady);
    out.Float("moveSpeed", shared.moveSpeed);
    out.Float("yaw", shared.playerYaw);
    out.Int("anim", skin ? skin->current : -1);
    out.Int("containers", skin ? skin->containerCount : 0);
}
