#include "explore/StatueGate.h"

#include "objects/CStoneStatue.h"
#include "objects/Player.h"

std::unique_ptr<Gate> StatueGate::Make(CStoneStatue& statue, const GateContext& context) {
    Aabb block;
    if (!context.bounds.Of(statue, block)) return nullptr;
    auto gate = std::unique_ptr<StatueGate>(new StatueGate(statue));
    // Axis 0 rolls along z, so the way past it runs along x; axis 1 the other way round.
    const bool acrossX = statue.axis == 0;
    const D3DXVECTOR3 centre = block.Centre();
    const float start = acrossX ? context.playerStart.x : context.playerStart.z;
    const float middle = acrossX ? centre.x : centre.z;
    const float sign = start < middle ? 1.0f : -1.0f;
    gate->normal = acrossX ? D3DXVECTOR3(sign, 0, 0) : D3DXVECTOR3(0, 0, sign);
    const D3DXVECTOR3 size = block.Size();
    gate->farLine = sign * middle + (acrossX ? size.x : size.z) * 0.5f + kMargin;
    return gate;
}

bool StatueGate::Pass(const Player& player, std::string& broken) {
    if (statue.state >= CStoneStatue::kFrozenLevel) solved = true;
    if (solved) return true;
    const D3DXVECTOR3 p = player.Position();
    const float past = D3DXVec3Dot(&p, &normal) - farLine;
    if (past <= 0.0f) return true;
    broken = "the player at " + Format(p) + " is past the rolling statue's line (" + std::to_string(past) +
             " beyond) before the statue was ever frozen through";
    return false;
}

std::string StatueGate::Describe() const {
    return "rolling statue: far side along " + Format(normal) + " past " + std::to_string(farLine);
}
