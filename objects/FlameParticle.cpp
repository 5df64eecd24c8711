#include "objects/FlameParticle.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kQuarterTurn = 1.5707963f;
constexpr float kFullTurn = 360.0f;
constexpr float kOpaque = 255.0f;
// Every particle leaves from the statue's mouth: this far up and forward in the statue's frame.
constexpr float kMouthHeight = 1.5f;
constexpr float kMouthReach = 1.0f;
// Rings: flight speeds scaled by a random heat h in 0.1 .. 1.0; spin in -3 .. 3.99 degrees per frame.
constexpr float kRingForward = 0.08f;
constexpr float kRingTilt = 0.0075f;
constexpr int kSpinSteps = 700;
constexpr int kSpinOffset = 300;
constexpr float kSpinUnit = 100.0f;
// Puffs: up to a quarter unit off the mouth's centre, forward at 0.015 .. 0.15 per frame.
constexpr float kPuffSpread = 0.25f;
constexpr float kPuffForward = 0.15f;
// Fade steps per frame, 5 .. 15.
constexpr int kFadeSpeedSteps = 11;
constexpr int kFadeSpeedMin = 5;

// The next value of the generator modulo n.
int Next(std::minstd_rand& random, int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

// 0.1 .. 1.0 in tenths.
float Heat(std::minstd_rand& random) { return static_cast<float>(Next(random, 10)) / 10.0f + 0.1f; }

D3DXVECTOR3 Turned(const D3DXMATRIX& turn, const D3DXVECTOR3& v) {
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &v, &turn);
    return out;
}

}  // namespace

FlameParticle::FlameParticle() {
    D3DXMatrixIdentity(&world);
    D3DXMatrixIdentity(&baseRotation);
}

FlameParticle FlameParticle::Ring(const D3DXVECTOR3& at, const D3DXMATRIX& turn, int index, std::minstd_rand& random) {
    FlameParticle p;
    const float h = Heat(random);
    p.Emit(at, turn, D3DXVECTOR3(0.0f, kMouthHeight, kMouthReach));
    p.velocity = Turned(turn, D3DXVECTOR3(0.0f, static_cast<float>(index - 1) * kRingTilt * h, kRingForward * h));
    p.spinSpeed = static_cast<float>(Next(random, kSpinSteps) - kSpinOffset) / kSpinUnit;
    p.fadeSpeed = Next(random, kFadeSpeedSteps) + kFadeSpeedMin;
    p.shape = FlameShape::Ring;
    return p;
}

FlameParticle FlameParticle::Puff(const D3DXVECTOR3& at, const D3DXMATRIX& turn, std::minstd_rand& random) {
    FlameParticle p;
    const float across = static_cast<float>(Next(random, 3) - 1) * kPuffSpread;
    const float up = static_cast<float>(Next(random, 3) - 1) * kPuffSpread;
    p.Emit(at, turn, D3DXVECTOR3(across, up + kMouthHeight, kMouthReach));
    p.velocity = Turned(turn, D3DXVECTOR3(0.0f, 0.0f, Heat(random) * kPuffForward));
    p.fadeSpeed = Next(random, kFadeSpeedSteps) + kFadeSpeedMin;
    p.shape = FlameShape::Puff;
    return p;
}

void FlameParticle::Emit(const D3DXVECTOR3& at, const D3DXMATRIX& turn, const D3DXVECTOR3& offset) {
    origin = at;
    baseRotation = turn;
    position = at + Turned(turn, offset);
    const D3DXVECTOR3 forward = Turned(turn, D3DXVECTOR3(0.0f, 0.0f, 1.0f));
    D3DXVec3Normalize(&facing, &forward);
}

void FlameParticle::Advance(const D3DXVECTOR3& sight) {
    const D3DXVECTOR3 travelled = position - origin;
    if (D3DXVec3Length(&travelled) > kFadeDistance) fading = true;
    if (fading) fade += fadeSpeed;
    UpdateAlpha(sight);
    position += velocity;
    if (shape == FlameShape::Puff) {
        spinSpeed = 0.0f;
        scale += kPuffGrowth;
    } else {
        spinAngle += spinSpeed;
        if (spinAngle < 0.0f) spinAngle += kFullTurn;
        else if (spinAngle > kFullTurn) spinAngle -= kFullTurn;
        scale = 1.0f;
    }
    D3DXMATRIX scaling, translation;
    D3DXMatrixScaling(&scaling, scale, scale, scale);
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    world = scaling * Rotation() * translation;
}

// A puff is brightest seen along its flight, a ring seen from the side; both lose fade on top.
void FlameParticle::UpdateAlpha(const D3DXVECTOR3& sight) {
    const float c = std::min(std::fabs(D3DXVec3Dot(&facing, &sight)), 1.0f);
    const float seen = shape == FlameShape::Puff ? c : 1.0f - c;
    alpha = static_cast<int>(seen * kOpaque - static_cast<float>(fade));
    if (alpha < 0) {
        alpha = 0;
        dead = true;
    }
}

// A puff keeps the statue's turn; a ring spins in its own plane, stood up across the flight.
D3DXMATRIX FlameParticle::Rotation() {
    if (shape == FlameShape::Puff) return baseRotation;
    D3DXMATRIX spin, quarter;
    D3DXMatrixRotationZ(&spin, spinAngle * kDegreesToRadians);
    D3DXMatrixRotationY(&quarter, kQuarterTurn);
    return spin * baseRotation * quarter;
}
