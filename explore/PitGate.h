#pragma once
// A pit across the way to the goal. Walking the ground plan from where the player began to the goal,
// the floor drops deeper than the player's jump rises (so nobody climbs out of it onto the far side)
// and comes back up further on: the far rim may be reached only in the air from an ice slide (the
// long jump off an ice patch laid on the run-up). The player counts as on the far side once past the
// far rim at about its height, and as back on the near side once over the pit again or below the rim.
#include "explore/Gate.h"

class PitGate : public Gate {
public:
    static constexpr float kJumpRise = 3.15f;   // how far a jump lifts the feet, measured on every surface
    static constexpr float kClimb = 2.0f;       // a higher step along the walk is a wall, not a floor
    static constexpr float kStep = 0.25f;
    static constexpr float kMargin = 0.3f;

    // Null when the way to the goal crosses no such pit (or the stage has no goal).
    static std::unique_ptr<Gate> Make(const GateContext& context);

    bool Pass(const Player& player, std::string& broken) override;
    const char* Rule() const override { return "gate-pit"; }
    std::string Describe() const override;

private:
    PitGate() = default;

    D3DXVECTOR3 start;
    D3DXVECTOR3 way;       // unit, along the ground plan toward the goal
    float nearRim = 0.0f;  // distances along the way
    float farRim = 0.0f;
    float rimHeight = 0.0f;
    float depth = 0.0f;
    bool onFarSide = false;
    bool iceAirBefore = false;  // the previous frame was in the air from an ice slide
};
