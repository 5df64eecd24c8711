#include "objects/CIceBox.h"

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "objects/CSwitch.h"
#include "objects/RayProbe.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

namespace {

constexpr float kGravity = 0.01f;
constexpr float kProbeWindow = 5.0f;
constexpr float kProbeLead = 0.75f;   // the ground probe looks ahead along the velocity
constexpr float kProbeHeight = 1.0f;
constexpr float kContact = 0.1f;
constexpr float kCornerReach = 0.47f;  // the corner probes, a little inside the box's half width
constexpr float kRestLift = 0.05f;
constexpr float kSlide = 0.1f;        // the slide factor on ice or frozen through
constexpr float kSlideLoss = 0.01f;
constexpr float kWallLead = 0.5f;
constexpr float kWallHeight = 0.7f;
constexpr float kWallClearance = 0.8f;
constexpr float kPushStep = 0.03f;
constexpr float kFloorDrop = 0.6f;    // ground this far below the box's floor is off it
constexpr float kPlayerReach = 1.0f;  // home is taken by the player this near in x and z,
constexpr float kBoxReach = 1.0f;     // or by another box,
constexpr float kHomeHeight = 1.5f;   // and this near in height
constexpr float kFadeStep = 0.015f;
constexpr int kColdStep = 5;
constexpr int kSlideSound = 4;
constexpr int kPushSound = 12;
constexpr int kBurstSound = 13;
const char* const kLevelMeshes[CIceBox::kLevelCount] = {"data/xfile/Object/Icebox_level1.x",
                                                        "data/xfile/Object/Icebox_level2.x",
                                                        "data/xfile/Object/Icebox_levelMax.x"};

void PlayEffect(int slot) { SoundManager::GetInstance().Play(slot, SoundManager::kEffectVolume); }

void Translate(D3DXMATRIX& transMat, const D3DXVECTOR3& step) {
    transMat._41 += step.x;
    transMat._42 += step.y;
    transMat._43 += step.z;
}

}  // namespace

CIceBox::CIceBox(const BoxTraits& boxTraits) : traits(boxTraits) {
    kind = KIND_BOX;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    for (int i = 0; i < kLevelCount; ++i) {
        levelMeshes[i] = MeshManager::GetInstance().GetMesh(device, kLevelMeshes[i]);
        levelParams[i].alpha = 0.0f;
    }
    breakTexture = TextureManager::GetInstance().GetTexture(traits.breakTexture);
    D3DXMatrixIdentity(&homeTransform);
}

void CIceBox::Init(std::vector<std::string> params) {
    CharacterBase::Init(std::move(params));
    homeTransform = transMat;
    *world = rotMat * transMat;
}

void CIceBox::Update() {
    // A bursting box stays where it broke while its pieces fly.
    if (!breaking) {
        transMat._42 += fallSpeed;
        fallSpeed -= kGravity;
    }
    ProbeGround();
    Slide();
    freezeAmount = std::clamp(freezeAmount, 0, kMaxFreeze);
    UpdateLevels();
    *world = rotMat * transMat;
}

// Ground under the box: under its middle, a little ahead along its velocity, and under its four
// corners. It rests on the highest surface any of them finds, so a box half over an edge (a step, the
// hole a switch plate sinks into) rests on the edge instead of sinking into it. What lies under its
// middle is pressed, names the ground's kind (an ice patch only names it) and tells whether the box
// has left its floor.
void CIceBox::ProbeGround() {
    const D3DXVECTOR3 p = Position();
    const D3DXVECTOR3 middle = p + D3DXVECTOR3(0, kProbeHeight, 0) + move * kProbeLead;
    RayProbe probe(traits.groundKinds, ProbeRange::Window, kProbeWindow);
    probe.Skip(this);
    float best = -100.0f;
    bool landed = false;
    for (const ProbeHit& hit : probe.CastAll(middle, D3DXVECTOR3(0, -1, 0))) {
        if (hit.point.y > best) {
            groundKind = hit.object->kind;
            if (groundKind != KIND_COLD) {
                best = hit.point.y;
                landed = true;
            }
        }
        // A switch plate sinking under a box that rests on the floor beside it stays pressed.
        const float reach = kContact + (hit.object->kind == KIND_SWITCH ? CSwitch::kFullDepth : 0.0f);
        if (hit.distance - kProbeHeight < reach) hit.object->OnHit(this);
    }
    // Leaving the floor is judged under the middle: a box whose middle is over the brink topples.
    const bool left = !breaking && LeftItsFloor(landed, best);
    for (const float x : {-kCornerReach, kCornerReach}) {
        for (const float z : {-kCornerReach, kCornerReach}) {
            for (const ProbeHit& hit : probe.CastAll(p + D3DXVECTOR3(x, kProbeHeight, z), D3DXVECTOR3(0, -1, 0))) {
                if (hit.object->kind == KIND_COLD || hit.point.y <= best) continue;
                best = hit.point.y;
                landed = true;
            }
        }
    }
    if (left) {
        fallSpeed = 0.0f;
        Burst();
    }
    if (landed && transMat._42 <= best + kRestLift) {
        fallSpeed = 0.0f;
        transMat._42 = best + kRestLift;
        if (!settled) floorHeight = best;
        settled = true;
    }
}

// A box pushed off the floor it first came to rest on (over a ledge, into a pit, out of the map)
// could never be brought back to its puzzle: it crumbles at the brink instead and re-forms at home.
bool CIceBox::LeftItsFloor(bool landed, float ground) const {
    return settled && (!landed || ground < floorHeight - kFloorDrop);
}

// The slide factor is held up on ice or while frozen through and runs down otherwise; the box
// travels its velocity times the factor.
void CIceBox::Slide() {
    if (groundKind == KIND_COLD || FreezeLevel() == 3) {
        slideFactor = kSlide;
    } else {
        slideFactor -= kSlideLoss;
        if (slideFactor < 0.0f) {
            slideFactor = 0.0f;
            if (traits.stopsOnAnyGround || groundKind == KIND_MAP) move = D3DXVECTOR3(0, 0, 0);
            return;
        }
    }
    if (D3DXVec3Length(&move) > 0.01f) PlayEffect(kSlideSound);
    Translate(transMat, move * slideFactor);
    MoveWithWallCheck();
}

void CIceBox::MoveWithWallCheck() {
    if (D3DXVec3Length(&move) == 0.0f) return;
    StopAtWalls(move);
}

// Walls, doors, switches, statues and other boxes keep the box 0.8 from their face, measured along
// the face's normal from a ray cast ahead of the box's middle. True when a face lies that close or
// closer along the direction; w is then the distance along the ray that keeps the clearance.
bool CIceBox::WallAhead(const D3DXVECTOR3& direction, ProbeHit& hit, float& w) const {
    const D3DXVECTOR3 origin = Position() + D3DXVECTOR3(0, kWallHeight, 0) + direction * kWallLead;
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_DOOR, KIND_SWITCH, KIND_STATUE}, ProbeRange::Window, kProbeWindow);
    probe.Skip(this);
    if (!probe.CastNearest(origin, direction, hit)) return false;
    const float c = -D3DXVec3Dot(&hit.normal, &direction);
    if (std::fabs(c) < 1e-6f) return false;
    w = std::fabs(kWallClearance / c);
    return hit.distance < w;
}

// A box that comes too close to a face stops and is set back to the clearance; one frozen through or
// on ice bursts.
void CIceBox::StopAtWalls(const D3DXVECTOR3& direction) {
    ProbeHit hit;
    float w = 0.0f;
    if (!WallAhead(direction, hit, w)) return;
    move = D3DXVECTOR3(0, 0, 0);
    const float c = -D3DXVec3Dot(&hit.normal, &direction);
    D3DXVECTOR3 p = Position() + hit.normal * ((w - hit.distance) * c);
    transMat._41 = p.x;
    transMat._42 = p.y;
    transMat._43 = p.z;
    if (FreezeLevel() == 3 || groundKind == KIND_COLD) Burst();
}

// The first burst plays the sound; touching a wall again while breaking only restarts the pieces.
void CIceBox::Burst() {
    if (!breaking) PlayEffect(kBurstSound);
    breaking = true;
    const D3DXVECTOR3 p = Position();
    for (int i = 0; i < kPieceCount; ++i) pieces[i].Start(i, p);
}

void CIceBox::UpdateLevels() {
    if (!breaking) {
        state = freezeAmount >= traits.levelThreeFrom ? 3
                : freezeAmount >= traits.levelTwoFrom ? 2
                : freezeAmount > 20                   ? 1
                                                      : 0;
        for (DrawParams& p : levelParams) p.alpha = std::min(p.alpha, 1.0f);
        return;
    }
    drawParams->edge = 0;
    for (DrawParams& p : levelParams) {
        p.edge = 0;
        p.alpha = std::max(p.alpha - kFadeStep, 0.0f);
    }
    drawParams->alpha -= kFadeStep;
    if (drawParams->alpha < 0.0f) {
        drawParams->alpha = 0.0f;
        // Faded out, it waits unseen until nothing stands where it re-forms.
        if (HomeIsClear()) Reform();
    }
    for (BreakPiece& piece : pieces) piece.Fly(traits.pieceSpeed);
}

// Nothing stands in the box's home: not the player, not another box or crate.
bool CIceBox::HomeIsClear() const {
    const D3DXVECTOR3 home(homeTransform._41, homeTransform._42, homeTransform._43);
    bool clear = true;
    auto near = [&](const CharacterBase* other, float reach) {
        const D3DXVECTOR3 d = WorldPosition(*other) - home;
        return std::fabs(d.x) < reach && std::fabs(d.z) < reach && std::fabs(d.y) < kHomeHeight;
    };
    ForEachOfKind(KIND_PLAYER, [&](CharacterBase* player) { clear = clear && !near(player, kPlayerReach); });
    ForEachOfKind(KIND_BOX, [&](CharacterBase* box) { clear = clear && (box == this || !near(box, kBoxReach)); });
    return clear;
}

// Back where the stage placed it, thawed and whole.
void CIceBox::Reform() {
    transMat = homeTransform;
    *world = homeTransform;
    state = 0;
    freezeAmount = 0;
    drawParams->alpha = 1.0f;
    drawParams->edge = 1;
    for (DrawParams& p : levelParams) {
        p.alpha = 0.0f;
        p.edge = 1;
    }
    breaking = false;
}

void CIceBox::OnHit(CharacterBase* other) {
    if (!other) return;
    if (other->kind == KIND_PLAYER) Push(*other);
    else if (other->kind == KIND_COLD) Freeze();
}

// Pushed along the pusher's facing, reduced to its main axis (z when both are equal).
void CIceBox::Push(const CharacterBase& pusher) {
    D3DXVECTOR3 facing;
    const D3DXVECTOR3 forward(0, 0, 1);
    D3DXVec3TransformNormal(&facing, &forward, &pusher.rotMat);
    if (!traits.alwaysPushed && FreezeLevel() != 3 && groundKind != KIND_COLD) {
        // Too heavy: it only takes the direction, and moves while the class still slides.
        D3DXVec3Normalize(&move, &facing);
        return;
    }
    const D3DXVECTOR3 axis = std::fabs(facing.x) > std::fabs(facing.z) ? D3DXVECTOR3(facing.x, 0, 0)
                                                                         : D3DXVECTOR3(0, 0, facing.z);
    D3DXVECTOR3 direction;
    D3DXVec3Normalize(&direction, &axis);
    // Already against a face that way: leaning on it moves nothing, but a box frozen through or on
    // ice bursts against it (so a box stuck in a corner can always be sent home).
    ProbeHit hit;
    float w = 0.0f;
    if (WallAhead(direction, hit, w) || (hit.object && hit.distance < w + kPushStep)) {
        if (FreezeLevel() == 3 || groundKind == KIND_COLD) Burst();
        return;
    }
    Translate(transMat, axis * kPushStep);
    move = direction;
    Update();
    StopAtWalls(direction);
    PlayEffect(kPushSound);
}

// Each cold hit adds to the freeze; the shells fade into one another as it grows.
void CIceBox::Freeze() {
    freezeAmount = std::clamp(freezeAmount + kColdStep, 0, kMaxFreeze);
    DrawParams& one = levelParams[0];
    DrawParams& two = levelParams[1];
    DrawParams& max = levelParams[2];
    if (freezeAmount <= 20) {
        one.alpha += 0.25f;
    } else if (freezeAmount < 50) {
        one.alpha -= 1.0f / 6.0f;
        two.alpha += 1.0f / 6.0f;
    } else if (freezeAmount < kMaxFreeze) {
        two.alpha -= 0.1f;
        max.alpha += 0.1f;
    } else {
        max.alpha = 1.0f;
    }
}

void CIceBox::Draw() {
    if (!breaking) CharacterBase::Draw();
}

void CIceBox::DrawShadow() {
    if (!breaking) CharacterBase::DrawShadow();
}

void CIceBox::DrawAlpha() {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (breaking) {
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        DrawWith(ShaderManager::GetInstance().toon, 0);
        device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    }
    DrawOverlays();
    if (breaking) DrawPieces();
}

void CIceBox::DrawOverlays() {
    static const int kShown[4][2] = {{0, -1}, {0, 1}, {1, 2}, {2, -1}};
    MyShader& toon = ShaderManager::GetInstance().toon;
    toon.SetWorld(world);
    for (int shell : kShown[std::clamp(FreezeLevel(), 0, 3)]) {
        // A shell not yet frosted at all shows nothing, not even its outline.
        if (shell < 0 || !levelMeshes[shell] || levelParams[shell].alpha <= 0.0f) continue;
        Mesh& overlay = *levelMeshes[shell];
        DrawParams* kept = overlay.drawParams;
        overlay.drawParams = &levelParams[shell];
        toon.Draw(&overlay, 1);
        overlay.drawParams = kept;
    }
}

void CIceBox::DrawPieces() {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    IDirect3DDevice9* device = graphics.GetDevice();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    for (const BreakPiece& piece : pieces) {
        device->SetTexture(0, breakTexture ? breakTexture->texture : nullptr);
        device->SetTransform(D3DTS_WORLD, &piece.transform);
        graphics.DrawQuad(0.5f, 0.5f, 0.5f, 0.5f, 1.0f, 1.0f,
                          D3DXCOLOR(1, 1, 1, static_cast<float>(piece.alpha) * 0.003921569f));
    }
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTexture(0, nullptr);
}

void CIceBox::DumpFields(ObjectFields& out) const {
    out.Int("freezeAmount", freezeAmount);
    out.Int("breaking", breaking ? 1 : 0);
    out.Vector("home", D3DXVECTOR3(homeTransform._41, homeTransform._42, homeTransform._43));
}
