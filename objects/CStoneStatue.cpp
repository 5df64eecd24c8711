#include "objects/CStoneStatue.h"

#include <algorithm>
#include <cmath>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "loading/TextData.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "objects/RayProbe.h"
#include "objects/Shove.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kFullTurn = 360.0f;
constexpr int kLevelOneFrom = 21;
constexpr int kLevelTwoFrom = 50;
constexpr int kLevelThreeFrom = 100;
// How the overlays build up hit by hit: the first coat fills in four hits, then gives way to the
// thick coat over the next six; the wheel ices over from 50 on and is solid at 100.
constexpr float kFirstCoatStep = 0.25f;
constexpr float kCoatSwapStep = 1.0f / 6.0f;
constexpr float kWheelIceStep = 0.1f;
constexpr float kWheelHubHeight = 0.5f;

// The coordinate a statue rolls along: z for axis 0, x for axis 1.
float& AlongAxis(D3DXVECTOR3& v, int axis) { return axis == 0 ? v.z : v.x; }
float Along(D3DXVECTOR3 v, int axis) { return AlongAxis(v, axis); }
// The level coordinate square to the axis.
float Across(const D3DXVECTOR3& v, int axis) { return axis == 0 ? v.x : v.z; }

}  // namespace

CStoneStatue::CStoneStatue() {
    kind = KIND_STATUE;
    D3DXMatrixIdentity(&wheelTransform);
    for (DrawParams& params : overlayParams) params.alpha = 0.0f;
    overlayParams[WHEEL_ICE].edge = 0;
}

// The overlays are fetched here rather than at construction, so that only a statue that is placed
// (with the device up) ever asks the mesh cache for them.
void CStoneStatue::Init(std::vector<std::string> params) {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    for (int i = 0; i < OVERLAY_COUNT; ++i) overlays[i] = MeshManager::GetInstance().GetMesh(device, kOverlayFiles[i]);
    ReadParams(params, [this, device](const std::string& key, const std::string& value) {
        if (key == "Target") target = PlacementTarget(value);
        else if (key == "WheelMesh") wheelMesh = MeshManager::GetInstance().GetMesh(device, value);
        else if (key == "Dir") ReadAxis(value);
    });
    PlaceWheel();
    MeasureFootprint();
}

// The collision block's level extent around the statue's position, turned as the statue stands.
void CStoneStatue::MeasureFootprint() {
    Mesh* block = GetColMesh();
    if (!block || !block->mesh || block->mesh->Vertices().empty()) return;
    footMin = D3DXVECTOR3(1e9f, 1e9f, 1e9f);
    footMax = -footMin;
    for (const MeshVertex& v : block->mesh->Vertices()) {
        D3DXVECTOR3 turned;
        D3DXVec3TransformCoord(&turned, &v.position, &rotMat);
        footMin = D3DXVECTOR3(std::min(footMin.x, turned.x), std::min(footMin.y, turned.y), std::min(footMin.z, turned.z));
        footMax = D3DXVECTOR3(std::max(footMax.x, turned.x), std::max(footMax.y, turned.y), std::max(footMax.z, turned.z));
    }
}

// Only 0 and 1 name an axis; anything else keeps the one the statue has.
void CStoneStatue::ReadAxis(const std::string& value) {
    int number = 0;
    if (ParseIntStrict(value, number) && (number == 0 || number == 1)) axis = number;
}

int CStoneStatue::FreezeLevel(int amount) {
    if (amount >= kLevelThreeFrom) return 3;
    if (amount >= kLevelTwoFrom) return 2;
    return amount >= kLevelOneFrom ? 1 : 0;
}

void CStoneStatue::Update() {
    const D3DXVECTOR3 before = Position();
    if (state != kFrozenLevel) Chase();
    StopAtObstacles(before);
    ClearLane(before);
    if (D3DXVec3Length(&move) > kMoveEpsilon) SoundManager::GetInstance().Play(kRollSound, SoundManager::kEffectVolume);
    *world = rotMat * transMat;
    TurnWheel();
    freezeAmount = std::clamp(freezeAmount, 0, kMaxFreeze);
    state = FreezeLevel(freezeAmount);
}

// Rolls a step toward the target's coordinate on the axis, and lands on it once within the snap
// distance; without a target, or with the target out of range of its lane, it stands.
void CStoneStatue::Chase() {
    chasing = 0;
    if (!target) return;
    D3DXVECTOR3 at = Position(), goal = target->Position();
    // The range is measured square to the lane, not to the statue: a player who lured it to one end
    // could otherwise come up to the far end of its lane out of its sight and cross before it arrived.
    const float fromLane = Across(goal - at, axis);
    chasing = std::fabs(fromLane) < kChaseRange ? 1 : 0;
    if (!chasing) return;
    float& coordinate = AlongAxis(at, axis);
    const float wanted = AlongAxis(goal, axis);
    coordinate += coordinate > wanted ? -kRollStep : kRollStep;
    if (std::fabs(coordinate - wanted) < kSnapDistance) coordinate = wanted;
    MoveTo(at);
}

void CStoneStatue::StopAtObstacles(const D3DXVECTOR3& before) {
    const D3DXVECTOR3 now = Position();
    move = D3DXVECTOR3(now.x - before.x, 0.0f, now.z - before.z);
    if (D3DXVec3LengthSq(&move) == 0.0f) return;  // standing still there is no way ahead to test
    D3DXVECTOR3 ahead;
    D3DXVec3Normalize(&ahead, &move);
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_SWITCH}, ProbeRange::Window, kProbeWindow);
    probe.Skip(this);
    ProbeHit hit;
    if (probe.CastNearest(D3DXVECTOR3(now.x, before.y + kProbeLift, now.z), ahead, hit) && hit.distance < kStopDistance) {
        MoveTo(before);
        move = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    }
}

// How far the player must go across the lane to stand clear of the block: a player within the walking
// clearance of it, below its top, is in the way. Zero for a player out of the way.
float CStoneStatue::DepthInLane(const CharacterBase& player) const {
    const D3DXVECTOR3 at = Position(), p = player.Position();
    if (p.y >= at.y + footMax.y - kOnTopTolerance || p.y + kPlayerHeight <= at.y + footMin.y) return 0.0f;
    const auto inside = [](float value, float lo, float hi) {
        return std::min(value - (lo - kPlayerClearance), (hi + kPlayerClearance) - value);
    };
    const D3DXVECTOR3 lo = at + footMin, hi = at + footMax;
    const float along = inside(Along(p, axis), Along(lo, axis), Along(hi, axis));
    const float across = inside(Across(p, axis), Across(lo, axis), Across(hi, axis));
    return along > 0.0f && across > 0.0f ? across : 0.0f;
}

// A rolling statue never squeezes the player against a wall: a player it rolls into is shoved out of
// its lane, across the axis, to the side of the lane's middle the player stands on. Where walls leave
// no room for that, the statue stays where it was. (Only shoving across keeps the lane a gate: a
// player pressed along it could be carried anywhere, and a statue that stopped at the player would
// let the player walk through its lane in front of it.)
void CStoneStatue::ClearLane(const D3DXVECTOR3& before) {
    if (D3DXVec3LengthSq(&move) == 0.0f) return;
    ForEachOfKind(KIND_PLAYER, [&](CharacterBase* player) {
        const float depth = DepthInLane(*player);
        if (depth <= 0.0f) return;
        const D3DXVECTOR3 from = player->Position(), at = Position();
        const float side = Across(from - (at + 0.5f * (footMin + footMax)), axis) < 0.0f ? -1.0f : 1.0f;
        const D3DXVECTOR3 across = axis == 0 ? D3DXVECTOR3(side, 0, 0) : D3DXVECTOR3(0, 0, side);
        ShoveAcrossFloor(*player, across, depth + kShoveSpare, this);
        if (DepthInLane(*player) <= kShoveSpare) return;
        player->MoveTo(from);
        MoveTo(before);
        move = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    });
}

// The wheel turns with the distance rolled along the axis.
void CStoneStatue::TurnWheel() {
    wheelAngle += (axis == 0 ? move.z : move.x) * kWheelTurnPerUnit;
    if (wheelAngle < 0.0f) wheelAngle += kFullTurn;
    else if (wheelAngle > kFullTurn) wheelAngle -= kFullTurn;
    PlaceWheel();
}

// The wheel models lie with their axle along z and their centre on the origin: the wheel is lifted
// to its hub height and spins about that axle. A statue rolling along x (axis 1) stands as placed; one
// rolling along z (axis 0) is placed turned a quarter about y so the axle crosses its track. Either
// way the top of the wheel leads the way it rolls.
void CStoneStatue::PlaceWheel() {
    D3DXMATRIX spin, lift;
    D3DXMatrixRotationZ(&spin, (axis == 0 ? wheelAngle : -wheelAngle) * kDegreesToRadians);
    D3DXMatrixTranslation(&lift, 0.0f, kWheelHubHeight, 0.0f);
    wheelTransform = spin * lift * rotMat * transMat;
}

void CStoneStatue::OnHit(CharacterBase* other) {
    if (!other || other->kind != KIND_COLD) return;
    freezeAmount = std::min(freezeAmount + kFreezePerHit, kMaxFreeze);
    float& firstCoat = overlayParams[EAGLE_ICE_1].alpha;
    float& thickCoat = overlayParams[EAGLE_ICE_2].alpha;
    float& wheelIce = overlayParams[WHEEL_ICE].alpha;
    switch (FreezeLevel(freezeAmount)) {
        case 0: firstCoat += kFirstCoatStep; break;
        case 1:
            firstCoat -= kCoatSwapStep;
            thickCoat += kCoatSwapStep;
            break;
        default:
            thickCoat = 1.0f;
            wheelIce = freezeAmount >= kLevelThreeFrom ? 1.0f : wheelIce + kWheelIceStep;
    }
    for (DrawParams& params : overlayParams) params.alpha = std::clamp(params.alpha, 0.0f, 1.0f);
    // A statue frozen through stops at once rather than rolling one more frame.
    state = FreezeLevel(freezeAmount);
}

void CStoneStatue::Draw() {
    CShaderBase& toon = ShaderManager::GetInstance().toon;
    DrawWith(toon, 0);
    DrawMeshWith(toon, wheelMesh, nullptr, wheelTransform, 0);
    if (Encased()) DrawMeshWith(toon, colMesh, nullptr, *world, 1);
}

void CStoneStatue::DrawShadow() {
    CharacterBase::DrawShadow();
    CShaderBase& shadow = ShaderManager::GetInstance().shadowMap;
    DrawMeshWith(shadow, wheelMesh, nullptr, wheelTransform, 0);
    if (Encased()) DrawMeshWith(shadow, colMesh, nullptr, *world, 0);
}

// The first coat alone, then both coats, then the thick coat with the iced wheel.
void CStoneStatue::DrawAlpha() {
    CShaderBase& toon = ShaderManager::GetInstance().toon;
    const auto overlay = [&](Overlay which, const D3DXMATRIX& at) {
        // A coat not yet frosted at all shows nothing, not even its outline.
        if (overlayParams[which].alpha > 0.0f) DrawMeshWith(toon, overlays[which], &overlayParams[which], at, 1);
    };
    if (state <= 1) overlay(EAGLE_ICE_1, *world);
    if (state >= 1) overlay(EAGLE_ICE_2, *world);
    if (state >= 2) overlay(WHEEL_ICE, wheelTransform);
}

void CStoneStatue::DumpFields(ObjectFields& out) const {
    out.Int("freezeAmount", freezeAmount);
    out.Int("chasing", chasing);
    out.Float("wheelAngle", wheelAngle);
}
