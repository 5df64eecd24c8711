// The player's walking: input turned into a direction (relative to the camera, or to the player's own
// facing while the gun is up), speeds per state, sliding on ice, and turning toward the direction.
#include <algorithm>
#include <cmath>

#include "app/Application.h"
#include "graphics/Camera.h"
#include "objects/Player.h"
#include "objects/RayProbe.h"

namespace {

constexpr float kDegreesToRadians = 0.017453f;
constexpr float kRadiansToDegrees = 57.2957763671875f;
constexpr float kWalkSpeed = 0.07f;
constexpr float kAimSpeed = 0.035f;
constexpr float kIceAirSpeed = 0.175f;
constexpr float kSlideAccel = 0.07f;
constexpr float kSlideMaxSpeed = 0.21f;
constexpr float kSlideFriction = 0.01f;
constexpr float kWalkTurnLimit = 15.0f;
constexpr float kSlideTurnLimit = 180.0f;

D3DXVECTOR3 Turned(const D3DXVECTOR3& v, const D3DXMATRIX& rotation) {
    D3DXVECTOR3 out;
    D3DXVec3TransformNormal(&out, &v, &rotation);
    return out;
}

void Translate(D3DXMATRIX& transMat, const D3DXVECTOR3& step) {
    D3DXMATRIX t;
    D3DXMatrixTranslation(&t, step.x, step.y, step.z);
    transMat = t * transMat;
}

}  // namespace

void Player::TurnToward(float& yaw, float limit) {
    D3DXMatrixRotationY(&rotMat, yaw * kDegreesToRadians);
    const D3DXVECTOR3 facing = Turned(D3DXVECTOR3(0, 0, 1), rotMat);
    float angle = std::acos(std::clamp(D3DXVec3Dot(&facing, &move), -1.0f, 1.0f)) * kRadiansToDegrees;
    if (!(angle >= 0.1f)) return;
    D3DXVECTOR3 axis;
    D3DXVec3Cross(&axis, &facing, &move);
    D3DXVec3Normalize(&axis, &axis);
    angle = std::min(angle, limit);
    yaw += axis.y < -0.9f ? -angle : angle;
    D3DXMatrixRotationY(&rotMat, yaw * kDegreesToRadians);
}

void Player::Move() {
    PlayerShared& shared = Shared();
    if (state == PLAYER_SLIDE) iceMomentum = 1;
    if (state == PLAYER_WALK || state == PLAYER_SLIDE || state == PLAYER_PUSH) state = PLAYER_STAND;
    if (groundKind == KIND_COLD) {
        if (state == PLAYER_WALK || state == PLAYER_STAND) state = PLAYER_SLIDE;
        if (aim != 0) {
            aim = 0;
            state = PLAYER_SLIDE;
        }
    } else if (!inAir) {
        iceMomentum = 0;
    }

    const PlayerInput& in = input;
    D3DXVECTOR3 v(0, 0, 0);
    bool moved = false;
    if (Aiming()) {
        // Gun up: steps relative to the player's own facing, one direction at a time.
        state = PLAYER_AIM_STAND;
        struct Step {
            bool active;
            D3DXVECTOR3 direction;
            int state;
        };
        const Step steps[] = {{in.forward, {0, 0, 1}, PLAYER_AIM_FORWARD},
                              {in.backward, {0, 0, -1}, PLAYER_AIM_BACK},
                              {in.right, {1, 0, 0}, PLAYER_AIM_RIGHT},
                              {in.left, {-1, 0, 0}, PLAYER_AIM_LEFT}};
        for (const Step& step : steps) {
            if (!step.active) continue;
            v = Turned(step.direction, rotMat);
            state = step.state;
            moved = true;
            break;
        }
    } else {
        const Camera* camera = Application::GetInstance().camera;
        D3DXMATRIX view;
        D3DXMatrixRotationY(&view, (camera ? camera->yaw : 0.0f) * kDegreesToRadians);
        if (in.forward) v += Turned(D3DXVECTOR3(0, 0, 1), state == PLAYER_PUSH ? rotMat : view);
        else if (in.backward) v += Turned(D3DXVECTOR3(0, 0, -1), view);
        if (in.right) v += Turned(D3DXVECTOR3(1, 0, 0), view);
        else if (in.left) v += Turned(D3DXVECTOR3(-1, 0, 0), view);
        moved = in.forward || in.backward || in.right || in.left;
    }

    if (!moved) {
        if (state == PLAYER_STAND && !markerShown) move = D3DXVECTOR3(0, 0, 0);
        if (state == PLAYER_RISE || state == PLAYER_FALL) Translate(transMat, move * shared.moveSpeed);
        if (state == PLAYER_SLIDE) {
            if (D3DXVec3Length(&move) < 0.01f) {
                shared.moveSpeed = 0.0f;
                state = PLAYER_STAND;
            } else {
                shared.moveSpeed -= kSlideFriction;
                if (groundKind == KIND_COLD) {
                    shared.moveSpeed = std::max(shared.moveSpeed, kSlideMaxSpeed);
                } else if (shared.moveSpeed < 0.0f) {
                    shared.moveSpeed = 0.0f;
                    state = PLAYER_STAND;
                }
            }
            Translate(transMat, move * shared.moveSpeed);
            TurnToward(shared.playerYaw, kSlideTurnLimit);
        }
        CheckWall();
        return;
    }

    if (state == PLAYER_STAND) state = PLAYER_WALK;
    D3DXVec3Normalize(&v, &v);
    if (state == PLAYER_WALK) shared.moveSpeed = kWalkSpeed;
    if (state == PLAYER_PUSH) shared.moveSpeed = kWalkSpeed;
    if (aim != 0) shared.moveSpeed = kAimSpeed;
    if (state == PLAYER_RISE || state == PLAYER_FALL) shared.moveSpeed = iceMomentum ? kIceAirSpeed : kWalkSpeed;
    if (state == PLAYER_SLIDE) shared.moveSpeed = std::min(shared.moveSpeed + kSlideAccel, kSlideMaxSpeed);
    const bool travels = state == PLAYER_WALK || state == PLAYER_SLIDE || state == PLAYER_PUSH ||
                         state == PLAYER_RISE || state == PLAYER_FALL || aim == 1;
    if (travels) Translate(transMat, v * shared.moveSpeed);
    move = v;
    if (aim == 0) TurnToward(shared.playerYaw, kWalkTurnLimit);
    CheckWall();
}

// The goal's fade (and the title's intro): straight ahead without reading input, keeping to the
// ground it finds but never changing height.
void Player::FadeWalk() {
    PlayerShared& shared = Shared();
    move += Turned(D3DXVECTOR3(0, 0, 1), rotMat);
    state = PLAYER_WALK;
    D3DXVec3Normalize(&move, &move);
    Translate(transMat, move * kWalkSpeed);
    TurnToward(shared.walkYaw, kWalkTurnLimit);
    // Walls stop the walk as they stop walking: a goal at the back of an alcove would otherwise walk
    // the player into the wall behind it while the screen darkens.
    CheckWall();
    state = PLAYER_WALK;

    RayProbe probe({KIND_MAP, KIND_COLD, KIND_BOX, KIND_SWITCH, KIND_STATUE, KIND_GOAL, KIND_CHEST},
                   ProbeRange::Window, 5.0f);
    float best = 0.0f;
    D3DXVECTOR3 ground;
    const bool found = ProbeGround(probe, inAir ? 0.2f : 2.0f, false, best, ground);
    const float y = transMat._42;
    const bool stepDown = !inAir && shared.walkGround.y > best && shared.walkGround.y - best < 0.5f;
    if (found && (y <= best + 0.05f || stepDown)) {
        inAir = 0;
    } else {
        inAir = 1;
        state = PLAYER_RISE;
    }
    if (found) shared.walkGround = ground;
}
