// The player against the world: ground below (with gravity, jumping and the gun's fire button),
// walls ahead (with pushing and reaching items and chests), and ceilings and doors overhead.
#include <algorithm>
#include <cmath>

#include "graphics/SkinnedMesh.h"
#include "objects/Player.h"
#include "objects/RayProbe.h"
#include "scenes/Fade.h"

namespace {

constexpr float kProbeWindow = 5.0f;
constexpr float kGroundProbe = 2.0f;     // how far above the feet the ground probe starts
constexpr float kAirGroundProbe = 0.2f;  // the same in the air
constexpr float kFootContact = 0.1f;     // objects this close under the feet are stood on
constexpr float kStandLift = 0.01f;
constexpr float kStepDown = 0.5f;        // smaller drops are walked down without falling
constexpr float kHoverAboveLast = 0.05f;
constexpr float kJumpSpeed = 0.3f;
constexpr float kGravity = 0.015f;
constexpr float kWallClearance = 0.5f;
constexpr float kAirHead = 1.7f;  // the head above the feet in the air: its wall ray and its ceiling probe
constexpr float kReach = 1.0f;
constexpr float kCrossingGap = 0.05f;  // a step ending this near a face's front counts as crossing it
constexpr float kDoorShove = 1.0f;
constexpr int kGunContainers = 2;

void SetPosition(D3DXMATRIX& transMat, const D3DXVECTOR3& p) {
    transMat._41 = p.x;
    transMat._42 = p.y;
    transMat._43 = p.z;
}

// Sideways only: a slanted face (a statue's rough ice) lifting the player would leave it above the
// ground it stands on, and it would fall back and land again every other frame.
D3DXVECTOR3 LevelPush(const ProbeHit& hit, float clearance, float c) {
    const D3DXVECTOR3 push = hit.normal * (clearance - hit.distance) * c;
    return D3DXVECTOR3(push.x, 0.0f, push.z);
}

}  // namespace

bool Player::ProbeGround(RayProbe& probe, float length, bool touch, float& best, D3DXVECTOR3& ground) {
    const D3DXVECTOR3 p = Position();
    best = -100.0f;
    bool landed = false;
    for (const ProbeHit& hit : probe.CastAll(D3DXVECTOR3(p.x, p.y + length, p.z), D3DXVECTOR3(0, -1, 0))) {
        const int hitKind = hit.object->kind;
        if (hit.point.y > best) {
            // An ice patch names the ground's kind without being the height stood on.
            groundKind = hitKind;
            if (hitKind != KIND_COLD) {
                best = hit.point.y;
                landed = true;
                ground = hit.point;
            }
        }
        if (touch && hitKind != KIND_BOX && hitKind != KIND_ITEM && hit.distance - length < kFootContact)
            hit.object->OnHit(this);
    }
    return landed;
}

void Player::ApplyGravity() {
    PlayerShared& shared = Shared();
    const D3DXVECTOR3 p = Position();
    float newY = p.y + fallSpeed;
    RayProbe probe({KIND_MAP, KIND_COLD, KIND_BOX, KIND_SWITCH, KIND_STATUE, KIND_GOAL, KIND_ITEM, KIND_DOOR,
                    KIND_CHEST},
                   ProbeRange::Window, kProbeWindow);
    float best = 0.0f;
    D3DXVECTOR3 ground;
    if (ProbeGround(probe, inAir ? kAirGroundProbe : kGroundProbe, true, best, ground)) {
        const bool stepDown = !inAir && shared.lastGround.y > best && shared.lastGround.y - best < kStepDown;
        if (best + kStandLift >= newY || stepDown) {
            inAir = 0;
            if (state != PLAYER_WALK && state != PLAYER_SLIDE && state != PLAYER_PUSH && aim == 0) state = PLAYER_STAND;
            newY = best + kStandLift;
        } else {
            inAir = 1;
            state = PLAYER_RISE;
        }
        shared.lastGround = ground;
    } else {
        newY = shared.lastGround.y + kHoverAboveLast;
    }

    if (inAir) fallSpeed -= kGravity;
    else fallSpeed = 0.0f;
    if (inAir && fallSpeed < 0.0f) state = PLAYER_FALL;

    const PlayerInput& in = input;
    if (in.fire) {
        if (markerShown) {
            state = PLAYER_INTERACT;
            Fade::GetInstance().mode = Fade::kBars;
        } else if ((state == PLAYER_WALK || state == PLAYER_STAND || aim != 0) && skin &&
                   skin->containerCount > 1 && !(state >= PLAYER_AIM_FORWARD && state <= PLAYER_AIM_BACK)) {
            state = PLAYER_AIM_STAND;
        }
        shared.fireHeld = 1;
    } else if (shared.fireHeld) {
        if (aim != 0) {
            aim = 0;
            state = PLAYER_STAND;
        }
        shared.fireHeld = 0;
    }

    if (!in.jump) {
        shared.jumpHeld = 0;
    } else if (!shared.jumpHeld) {
        shared.jumpHeld = 1;
        if (!inAir && !Aiming()) {
            fallSpeed = kJumpSpeed;
            inAir = 1;
        }
    }

    SetPosition(transMat, D3DXVECTOR3(p.x, newY, p.z));
    CheckHead(p.y);
}

void Player::CheckWall() {
    CheckWallAhead();
    // In the air the feet ray runs low, so the head keeps off lintels and overhangs on its own.
    if (inAir) CheckHeadWall();
}

void Player::CheckWallAhead() {
    D3DXVECTOR3 p = Position();
    const D3DXVECTOR3 origin(p.x, p.y + (inAir ? 0.1f : 0.7f), p.z);
    D3DXVECTOR3 direction;
    D3DXVec3Normalize(&direction, &move);
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_SWITCH, KIND_STATUE, KIND_GOAL, KIND_ITEM, KIND_DOOR, KIND_CHEST},
                   ProbeRange::Window, kProbeWindow);
    ProbeHit hit;
    // Nothing ahead (or no direction yet): no wall, and nothing in reach to show the marker for.
    if (D3DXVec3Length(&direction) == 0.0f || !probe.CastNearest(origin, direction, hit)) {
        markerShown = 0;
        return;
    }
    CharacterBase& other = *hit.object;

    if (hit.distance < kReach && (other.kind == KIND_ITEM || other.kind == KIND_CHEST)) {
        markerShown = other.kind == KIND_CHEST && other.state == 1 ? 0 : 1;
        if (state == PLAYER_INTERACT) {
            markerShown = 0;
            other.OnHit(this);
            // Taking an item (it keeps state 0) hands over the gun.
            if (other.state == 0 && skin) skin->containerCount = kGunContainers;
        }
    } else {
        markerShown = 0;
    }

    // Keep 0.5 from the face along its normal; a face seen exactly edge-on gives no correction.
    const float c = -D3DXVec3Dot(&hit.normal, &direction);
    if (std::fabs(c) < 1e-6f) return;
    const float w = std::fabs(kWallClearance / c);
    if (other.kind != KIND_BOX) {
        if (state == PLAYER_PUSH) state = PLAYER_STAND;
        if (hit.distance >= w) return;
    } else {
        if (hit.distance >= w) return;
        state = inAir || state != PLAYER_WALK ? PLAYER_STAND : PLAYER_PUSH;
        if (groundKind == KIND_COLD) state = PLAYER_SLIDE;
        if (pushReady == 1 || state == PLAYER_SLIDE) other.OnHit(this);
    }
    // Whatever stops a slide ends it; a box met sliding has had its shove and goes on alone.
    if (state == PLAYER_SLIDE) EndSlide();
    SetPosition(transMat, p + LevelPush(hit, w, c));
}

void Player::CheckHeadWall() {
    D3DXVECTOR3 p = Position();
    D3DXVECTOR3 direction;
    D3DXVec3Normalize(&direction, &move);
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_STATUE, KIND_DOOR, KIND_CHEST}, ProbeRange::Window, kProbeWindow);
    ProbeHit hit;
    if (D3DXVec3Length(&direction) == 0.0f ||
        !probe.CastNearest(D3DXVECTOR3(p.x, p.y + kAirHead, p.z), direction, hit))
        return;
    const float c = -D3DXVec3Dot(&hit.normal, &direction);
    if (std::fabs(c) < 1e-6f) return;
    const float w = std::fabs(kWallClearance / c);
    if (hit.distance >= w) return;
    SetPosition(transMat, p + LevelPush(hit, w, c));
}

void Player::UndoCrossing(const D3DXVECTOR3& before) {
    const D3DXVECTOR3 now = Position();
    D3DXVECTOR3 travel(now.x - before.x, 0.0f, now.z - before.z);
    const float length = D3DXVec3Length(&travel);
    if (length < 1e-6f) return;
    travel /= length;
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_STATUE, KIND_DOOR, KIND_CHEST}, ProbeRange::Window, kProbeWindow);
    // The heights of the wall rays: the feet and the head in the air, the waist on the ground.
    const float heights[] = {inAir ? 0.1f : 0.7f, kAirHead};
    for (int i = 0; i < (inAir ? 2 : 1); ++i) {
        for (const ProbeHit& hit : probe.CastAll(before + D3DXVECTOR3(0, heights[i], 0), travel)) {
            // A face turned away is one the ray started behind: not one this step went through.
            if (D3DXVec3Dot(&hit.normal, &travel) >= 0.0f || hit.distance > length + kCrossingGap) continue;
            SetPosition(transMat, D3DXVECTOR3(before.x, now.y, before.z));
            return;
        }
    }
}

void Player::CheckHead(float previousY) {
    D3DXVECTOR3 p = Position();
    const float h = inAir ? kAirHead : 0.1f;
    RayProbe probe({KIND_MAP, KIND_BOX, KIND_SWITCH, KIND_STATUE, KIND_ITEM, KIND_DOOR, KIND_CHEST},
                   ProbeRange::Window, kProbeWindow);
    // Rising, cast from where the head was before this frame's rise, so a ceiling the rise has just
    // passed into is still seen from below.
    const float from = (inAir ? std::min(previousY, p.y) : p.y) + h;
    const ProbeHit* lowest = nullptr;
    for (const ProbeHit& hit : probe.CastAll(D3DXVECTOR3(p.x, from, p.z), D3DXVECTOR3(0, 1, 0))) {
        if (hit.distance < RayProbe::kMaxDistance && (!lowest || hit.point.y < lowest->point.y)) lowest = &hit;
    }
    if (!lowest) return;
    const float d = lowest->point.y - (p.y + h);
    if (lowest->object->kind == KIND_DOOR && d < 2.0f) {
        // A door coming down on the player shoves it out along the door's facing.
        D3DXVECTOR3 facing;
        const D3DXVECTOR3 forward(0, 0, 1);
        D3DXVec3TransformNormal(&facing, &forward, &lowest->object->rotMat);
        D3DXVec3Normalize(&facing, &facing);
        p += facing * kDoorShove;
    }
    if (p.y >= lowest->point.y - fallSpeed) fallSpeed = 0.0f;
    if (fallSpeed > d) {
        p.y = lowest->point.y - fallSpeed - h;
        fallSpeed = 0.0f;
    }
    SetPosition(transMat, p);
}
