// Per-frame bookkeeping after the player has moved: how far the gun has been raised, how long the
// player has been pushing, footstep, slide and landing sounds, and the gun's muzzle following along.
#include "objects/Player.h"
#include "objects/ShotEmitter.h"
#include "sound/SoundManager.h"

namespace {

constexpr int kRaiseFrames = 25;  // frames of raising before the gun is ready
constexpr int kPushFrames = 25;   // frames against a box before it moves
constexpr int kFootstepSound = 3;
constexpr int kSlideSound = 4;
constexpr int kLandingSound = 6;
constexpr float kMuzzleHeight = 1.6f;
constexpr int kLandingAfter = 4;  // frames off the ground that make a real landing

void PlayEffect(int slot) { SoundManager::GetInstance().Play(slot, SoundManager::kEffectVolume); }

}  // namespace

void Player::StepSound(int& counter, int cycle, int firstStep, int secondStep) {
    if (++counter > cycle) counter -= cycle;
    if (counter == firstStep || counter == secondStep) PlayEffect(kFootstepSound);
}

void Player::EndSlide() {
    state = PLAYER_STAND;
    Shared().moveSpeed = 0.0f;
    move = D3DXVECTOR3(0, 0, 0);
    SoundManager::GetInstance().Stop(kSlideSound);
}

void Player::UpdateFootsteps() {
    if (!Aiming()) {
        stepCounters[PLAYER_AIM_STAND] = 0;
        aim = 0;
    } else if (state == PLAYER_AIM_STAND) {
        aim = -1;
        if (++stepCounters[PLAYER_AIM_STAND] > kRaiseFrames) {
            stepCounters[PLAYER_AIM_STAND] = kRaiseFrames;
            aim = 1;
        }
    } else {
        aim = 1;
    }

    if (state == PLAYER_PUSH) {
        pushReady = 2;
        // Held just past the threshold: the count only has to tell "long enough".
        if (stepCounters[PLAYER_PUSH] <= kPushFrames) ++stepCounters[PLAYER_PUSH];
        if (stepCounters[PLAYER_PUSH] > kPushFrames) pushReady = 1;
    } else if (pushReady > 0) {
        stepCounters[PLAYER_PUSH] = 0;
        pushReady = 0;
    }

    switch (state) {
        case PLAYER_WALK: StepSound(stepCounters[1], 54, 19, 46); break;
        case PLAYER_PUSH: StepSound(stepCounters[4], 108, 30, 84); break;
        case PLAYER_AIM_FORWARD:
        case PLAYER_AIM_BACK: StepSound(stepCounters[state], 81, 2, 42); break;
        case PLAYER_AIM_RIGHT:
        case PLAYER_AIM_LEFT: StepSound(stepCounters[state], 81, 21, 60); break;
        case PLAYER_SLIDE: PlayEffect(kSlideSound); break;
        default: break;
    }
    // A landing is heard once, after a real time in the air: a frame's lift off the ground is no fall.
    if (prevState == PLAYER_FALL && state == PLAYER_STAND && airFrames >= kLandingAfter) PlayEffect(kLandingSound);
    airFrames = inAir ? airFrames + 1 : 0;

    const D3DXVECTOR3 p = Position();
    emitter.position = D3DXVECTOR3(p.x, p.y + kMuzzleHeight, p.z);
    emitter.rotation = rotMat;
    emitter.active = aim;
    prevState = state;
}
