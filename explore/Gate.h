#pragma once
// A place in a stage that the player may pass only once a puzzle is solved, derived at run time from
// the placed objects and the map. Each frame a gate sees the player; it answers false, saying what
// happened, when the player stands where the gate does not yet let it.
#include <memory>
#include <string>
#include <vector>

#include "explore/MapSolids.h"
#include "explore/ObjectBounds.h"

class Player;

// What gates are built from: the map, the objects' boxes and where the player stood as the stage began
// (the near side of every gate).
struct GateContext {
    const MapSolids& solids;
    ObjectBounds& bounds;
    D3DXVECTOR3 playerStart;
};

class Gate {
public:
    virtual ~Gate() = default;
    virtual bool Pass(const Player& player, std::string& broken) = 0;
    // The rule's name in reports ("gate-door", ...).
    virtual const char* Rule() const = 0;
    // Where the gate stands, for the explorer's start-up lines.
    virtual std::string Describe() const = 0;
};

// Every gate of the stage in the object list.
std::vector<std::unique_ptr<Gate>> BuildGates(const GateContext& context);

// --- shared geometry ---
// The horizontal unit vector a quarter turn from n.
D3DXVECTOR3 Across(const D3DXVECTOR3& n);
// How far from `from` along the unit direction the first solid begins (stepping by step); limit when
// none does by then.
float DistanceToSolid(const MapSolids& solids, const D3DXVECTOR3& from, const D3DXVECTOR3& direction, float limit,
                      float step = 0.05f);
// The player is carried by an ice slide: sliding on ice, or in the air with the slide's momentum.
bool OnIceSlide(const Player& player);
std::string Format(const D3DXVECTOR3& p);
std::string FormatBox(const Aabb& box);
