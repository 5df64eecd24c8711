#pragma once
// One particle of a flame statue's breath: a textured square flying forward from the statue. A ring
// spins and shows best seen from the side; a puff grows and shows best seen head-on. Once more than
// 8 units from where it was emitted it fades, and it is dead when its alpha would drop below zero.
#include <random>

#include "platform/math/D3DXMath.h"

enum class FlameShape { Puff = 0, Ring = 1 };

struct FlameParticle {
    static constexpr float kHalfSize = 0.5f;
    static constexpr float kFadeDistance = 8.0f;
    static constexpr float kPuffGrowth = 0.002f;  // scale per frame

    // A ring emitted at the statue standing at `at` turned by `turn`; index 0 .. 2 tilts its flight
    // down, level or up.
    static FlameParticle Ring(const D3DXVECTOR3& at, const D3DXMATRIX& turn, int index, std::minstd_rand& random);
    // A puff emitted the same way, a little off the mouth's centre.
    static FlameParticle Puff(const D3DXVECTOR3& at, const D3DXMATRIX& turn, std::minstd_rand& random);

    FlameParticle();

    // One frame. sight is the unit vector from the camera's look-at point to its eye (zero without a
    // camera): alpha follows how the camera sees the particle, then it flies, turns and grows.
    void Advance(const D3DXVECTOR3& sight);

    FlameShape shape = FlameShape::Ring;
    D3DXVECTOR3 origin{0, 0, 0};
    D3DXVECTOR3 position{0, 0, 0};
    D3DXVECTOR3 facing{0, 0, 1};  // unit; the statue's forward at emission
    D3DXVECTOR3 velocity{0, 0, 0};
    float spinAngle = 0.0f;  // degrees
    float spinSpeed = 0.0f;  // degrees per frame
    float scale = 1.0f;
    bool fading = false;
    int fade = 0;
    int fadeSpeed = 10;
    int alpha = 255;
    bool dead = false;
    D3DXMATRIX world;
    D3DXMATRIX baseRotation;  // the statue's rotation at emission

private:
    // Where the particle starts: origin and turn from the statue, position offset (in the statue's
    // frame) from it, facing the statue's forward.
    void Emit(const D3DXVECTOR3& at, const D3DXMATRIX& turn, const D3DXVECTOR3& offset);
    void UpdateAlpha(const D3DXVECTOR3& sight);
    D3DXMATRIX Rotation();
};
