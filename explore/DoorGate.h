#pragma once
// A door's gate. The door stands in a wall across the way on; its far side (away from where the player
// began) may be entered only once the door has opened: its open flag was 1 at some frame (a switch
// held it, or the hub opened it by progress). The far side is the space beyond the door's wall within
// the walls that bound the room behind it, found by walking sideways from just behind the doorway
// until solid stone: a whole room across a stage, or one alcove on the hub.
#include "explore/Gate.h"

class CDoor;

class DoorGate : public Gate {
public:
    static constexpr float kMargin = 0.3f;    // past the door's far face, with the player's feet
    static constexpr float kBehind = 1.2f;    // where the room behind is measured, past the door's face
    static constexpr float kReachUp = 3.0f;   // above the doorway the wall-top rule takes over

    static std::unique_ptr<Gate> Make(CDoor& door, const GateContext& context);

    bool Pass(const Player& player, std::string& broken) override;
    const char* Rule() const override { return "gate-door"; }
    std::string Describe() const override;

private:
    DoorGate(CDoor& door, const Aabb& home) : door(door), home(home) {}

    CDoor& door;
    Aabb home;            // the closed door's box
    D3DXVECTOR3 normal;   // toward the far side
    float farFace = 0.0f; // along normal
    float sideLo = 0.0f, sideHi = 0.0f;  // the room behind, along Across(normal)
    bool solved = false;
};
