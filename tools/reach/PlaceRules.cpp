// The design of the hub and the two stages, as the reach check holds them to it. The numbers follow
// the generators' floor plans (tools/xmodels) and the placement files.
#include "tools/reach/PlaceRules.h"

#include "tools/xmodels/Stage1Layout.h"

namespace reach {
namespace {

Gate Door(const char* name, int index) {
    Gate g;
    g.name = name;
    g.door = index;
    return g;
}

Gate Block(const char* name, D3DXVECTOR3 lo, D3DXVECTOR3 hi, bool crossedOnIce) {
    Gate g;
    g.name = name;
    g.blocks = true;
    g.blockLo = lo;
    g.blockHi = hi;
    g.crossedOnIce = crossedOnIce;
    return g;
}

// The hub: the courtyard, then the three alcoves in the order progress opens their doors (the first
// stage's at x = -6, the second's at 6, the closing picture's at 0). Launchers lay ice from the start.
PlaceRules Hub() {
    PlaceRules p;
    p.name = "hub";
    p.placement = "Data/txt/MapDataTitle.txt";
    const auto alcove = [](float c) { return std::vector<Area>{{c - 1.75f, 12.25f, c + 1.75f, 18.5f}}; };
    p.zones = {{{-12, -12, 12, 12.25f}}, alcove(-6), alcove(6), alcove(0)};
    p.gates = {Door("first stage's door", 0), Door("second stage's door", 2), Door("closing picture's door", 1)};
    p.iceFrom = 0;
    p.bounds = {-15, -15, 15, 21};
    return p;
}

// Stage 1: yard and hall; treasury and trench hall behind door 1 (the gun lies there, so ice from
// then on); the run-up and the pit behind door 2 (stairs lead out of the pit back to the run-up);
// the goal's court beyond the pit, reached by the long jump off the ice alone.
PlaceRules Stage1() {
    using namespace xmodels::stage1;
    PlaceRules p;
    p.name = "stage1";
    p.placement = "Data/txt/Mapdata1.txt";
    const float w = kHalfWidth, door1 = kWall1 + 0.5f, door2 = kWall3 + 0.5f;
    p.zones = {{{-w, kBackWall + 1, w, door1}}, {{-w, door1, w, door2}}, {{-w, door2, w, kPitZ1}},
               {{-w, kPitZ1, w, kEndWall}}};
    p.gates = {Door("door 1", 0), Door("door 2", 1), Block("the pit", {0, 0, 0}, {0, 0, 0}, true)};
    p.gates[2].blocks = false;
    p.iceFrom = 1;
    p.bounds = {-9, kBackWall - 2, 9, kEndWall + 3};
    return p;
}

// Stage 2: the entry hall up to the statue's lane; the statue hall as far as the fire lane; the
// rest of it up to the door; the exit court. Until frozen the statue rolls in front of whichever
// archway the player walks up to: its whole lane stands closed to the statue's height. The flames
// shove the player back anywhere within their reach (2 round the jet at 1.5): the fire lane stands
// closed to 3.5. The player carries the gun from the start.
PlaceRules Stage2() {
    PlaceRules p;
    p.name = "stage2";
    p.placement = "Data/txt/Mapdata2.txt";
    p.zones = {{{-6, -3, 6, 14.25f}}, {{-6, 14.25f, 6, 20.6f}}, {{-6, 20.6f, 6, 30.3f}}, {{-6, 30.3f, 6, 40}}};
    p.gates = {Block("the rolling statue", {-6, 0, 12.95f}, {6, 0, 14.25f}, false),
               Block("the fire lane", {-6, 0, 20.6f}, {6, 3.5f, 23.4f}, true), Door("the door", 0)};
    p.gates[0].statueHigh = true;
    p.iceFrom = 0;
    p.bounds = {-9, -6, 9, 43};
    return p;
}

}  // namespace

const std::vector<PlaceRules>& Places() {
    static const std::vector<PlaceRules> places = {Hub(), Stage1(), Stage2()};
    return places;
}

const PlaceRules* FindPlace(const std::string& name) {
    for (const PlaceRules& p : Places())
        if (p.name == name) return &p;
    return nullptr;
}

}  // namespace reach
