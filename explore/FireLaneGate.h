#pragma once
// A fire statue's lane. The statue breathes fire along its facing across the room, to the wall in
// front of it; the lane may be crossed (from one side of its middle band to the other) only while the
// player is carried by an ice slide the whole way through the band: sliding on ice, or in the air from
// an ice slide. Walking in and being pushed back out is fine. The band is the middle of the flames'
// push reach on either side of the line they fly along, where every passing flame pushes.
#include "explore/Gate.h"

class CFlameStatue;

class FireLaneGate : public Gate {
public:
    static std::unique_ptr<Gate> Make(CFlameStatue& statue, const GateContext& context);

    bool Pass(const Player& player, std::string& broken) override;
    const char* Rule() const override { return "gate-fire-lane"; }
    std::string Describe() const override;

private:
    FireLaneGate() = default;
    int Side(const D3DXVECTOR3& p) const;

    D3DXVECTOR3 origin;
    D3DXVECTOR3 forward;  // the way the flames fly
    float length = 0.0f;  // to the wall in front
    float halfBand = 0.0f;
    int lastSide = 0;     // -1 or 1 once the player has stood beside the lane
    bool clean = true;    // every frame in the band so far was on an ice slide
    D3DXVECTOR3 entered;
};
