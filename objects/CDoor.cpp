#include "objects/CDoor.h"

#include <cmath>

#include "graphics/GraphicsDevice.h"
#include "loading/TextData.h"
#include "objects/CSwitch.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "objects/Shove.h"
#include "shaders/ShaderManager.h"
#include "sound/SoundManager.h"

namespace {

constexpr const char* kMotionNames[] = {"Motionless", "RIGHT", "LEFT", "UP", "BACK&UP"};

// A turned step keeps no rounding crumbs on the axes it does not move along.
constexpr float kCrumb = 1e-6f;

D3DXVECTOR3 WithoutCrumbs(D3DXVECTOR3 v) {
    for (float* c : {&v.x, &v.y, &v.z})
        if (std::fabs(*c) < kCrumb) *c = 0.0f;
    return v;
}

// Holds value in [low, high]; true when it had to.
bool Clamp(float& value, float low, float high) {
    if (value < low) value = low;
    else if (value > high) value = high;
    else return false;
    return true;
}

}  // namespace

void CDoor::Init(std::vector<std::string> params) {
    CharacterBase::Init(std::move(params));
    home = transMat;
    drawParams->castShadow = 0;
}

void CDoor::ReadClassParam(const std::string& key, const std::string& value) {
    if (key == "State") {
        for (int motion = DOOR_MOTIONLESS; motion <= DOOR_BACK_UP; ++motion)
            if (value == kMotionNames[motion]) state = motion;
    } else if (key == "Parent") {
        parent = nullptr;
        if (value == "NULL") {
            open = 0;
            return;
        }
        // Only switches placed before the door are in the list; an index past them links nothing.
        std::vector<CharacterBase*> switches;
        CollectByKind(switches, KIND_SWITCH);
        int index = -1;
        if (ParseIntStrict(value, index) && index >= 0 && static_cast<size_t>(index) < switches.size())
            parent = dynamic_cast<CSwitch*>(switches[static_cast<size_t>(index)]);
    }
}

void CDoor::Update() {
    if (state == DOOR_RIGHT || state == DOOR_LEFT || state == DOOR_UP) ShovePlayers();
    if (parent) open = parent->fullyPressed;
    if (state != DOOR_MOTIONLESS) {
        D3DXVECTOR3 step;
        const D3DXVECTOR3 local = LocalStep();
        D3DXVec3TransformNormal(&step, &local, &rotMat);
        step = WithoutCrumbs(step);
        transMat._41 += step.x;
        transMat._42 += step.y;
        transMat._43 += step.z;
    }
    if (state == DOOR_RIGHT || state == DOOR_LEFT || state == DOOR_UP) {
        if (!ClampToLimits()) {
            moving = 1;
            SoundManager::GetInstance().Play(kMoveSound, SoundManager::kEffectVolume);
        } else if (moving == 1) {
            SoundManager::GetInstance().Play(kStopSound, SoundManager::kEffectVolume);
            moving = 0;
        }
    }
    *world = rotMat * transMat;
}

// Players closer than the shove radius are pushed up to one unit across the floor straight away from
// the door, as far as the walls let them.
void CDoor::ShovePlayers() {
    ForEachOfKind(KIND_PLAYER, [this](CharacterBase* player) {
        const D3DXVECTOR3 away = player->Position() - Position();
        const float distance = D3DXVec3Length(&away);
        if (distance >= kShoveRadius || distance == 0.0f) return;
        ShoveAcrossFloor(*player, away, 1.0f, this);
    });
}

D3DXVECTOR3 CDoor::LocalStep() {
    const float toward = open ? kStep : -kStep;
    switch (state) {
    case DOOR_RIGHT:
        return D3DXVECTOR3(toward, 0, 0);
    case DOOR_LEFT:
        return D3DXVECTOR3(-toward, 0, 0);
    case DOOR_UP:
        if (open) {
            fallSpeed = 0.0f;
            return D3DXVECTOR3(0, kStep, 0);
        }
        fallSpeed += kGravity;
        return D3DXVECTOR3(0, -fallSpeed, 0);
    case DOOR_BACK_UP: {
        if (!open) return D3DXVECTOR3(0, 0, 0);
        fallSpeed = 0.0f;
        const float dx = transMat._41 - home._41, dz = transMat._43 - home._43;
        if (std::sqrt(dx * dx + dz * dz) < kBackDistance) return D3DXVECTOR3(0, 0, kStep);
        return D3DXVECTOR3(0, kStep, 0);
    }
    default:
        return D3DXVECTOR3(0, 0, 0);
    }
}

bool CDoor::ClampToLimits() {
    // The offset from home in the door's own frame (the rotation's transpose undoes it).
    const D3DXVECTOR3 offset = Position() - D3DXVECTOR3(home._41, home._42, home._43);
    D3DXMATRIX undo;
    D3DXMatrixTranspose(&undo, &rotMat);
    D3DXVECTOR3 local;
    D3DXVec3TransformNormal(&local, &offset, &undo);
    bool touched = false;
    if (state == DOOR_RIGHT) touched = Clamp(local.x, 0.0f, kSlideRange);
    else if (state == DOOR_LEFT) touched = Clamp(local.x, -kSlideRange, 0.0f);
    else if (state == DOOR_UP) {
        touched = Clamp(local.y, 0.0f, kLiftRange);
        // Landing back at home ends the fall.
        if (touched && local.y == 0.0f) fallSpeed = 0.0f;
    }
    if (!touched) return false;
    D3DXVECTOR3 turned;
    D3DXVec3TransformNormal(&turned, &local, &rotMat);
    turned = WithoutCrumbs(turned);
    transMat._41 = home._41 + turned.x;
    transMat._42 = home._42 + turned.y;
    transMat._43 = home._43 + turned.z;
    return true;
}

void CDoor::Draw() {
    if (drawParams->alpha >= 1.0f) CharacterBase::Draw();
}

void CDoor::DrawAlpha() {
    if (drawParams->alpha >= 1.0f) return;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    graphics.SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    CharacterBase::Draw();
    graphics.SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
}

void CDoor::DumpFields(ObjectFields& out) const {
    out.Int("open", open);
    out.Int("moving", moving);
}

void CDoor::Relink(const Counterpart& counterpart) {
    parent = static_cast<CSwitch*>(counterpart(parent));
}
