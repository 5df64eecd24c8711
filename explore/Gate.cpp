#include "explore/Gate.h"

#include <cstdio>

#include "explore/DoorGate.h"
#include "explore/FireLaneGate.h"
#include "explore/PitGate.h"
#include "explore/StatueGate.h"
#include "objects/CDoor.h"
#include "objects/CFlameStatue.h"
#include "objects/CStoneStatue.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"

std::vector<std::unique_ptr<Gate>> BuildGates(const GateContext& context) {
    std::vector<std::unique_ptr<Gate>> gates;
    if (context.solids.Empty()) return gates;
    for (CharacterBase* object : GetObjectList()) {
        if (auto* door = dynamic_cast<CDoor*>(object)) {
            if (auto gate = DoorGate::Make(*door, context)) gates.push_back(std::move(gate));
        } else if (auto* statue = dynamic_cast<CStoneStatue*>(object)) {
            if (auto gate = StatueGate::Make(*statue, context)) gates.push_back(std::move(gate));
        } else if (auto* flames = dynamic_cast<CFlameStatue*>(object)) {
            if (auto gate = FireLaneGate::Make(*flames, context)) gates.push_back(std::move(gate));
        }
    }
    if (auto pit = PitGate::Make(context)) gates.push_back(std::move(pit));
    return gates;
}

D3DXVECTOR3 Across(const D3DXVECTOR3& n) { return D3DXVECTOR3(n.z, 0.0f, -n.x); }

float DistanceToSolid(const MapSolids& solids, const D3DXVECTOR3& from, const D3DXVECTOR3& direction, float limit,
                      float step) {
    for (float d = 0.0f; d < limit; d += step)
        if (solids.SolidAt(from + direction * d, 0.0f)) return d;
    return limit;
}

bool OnIceSlide(const Player& player) {
    return player.groundKind == KIND_COLD || player.state == PLAYER_SLIDE || (player.inAir && player.iceMomentum);
}

std::string Format(const D3DXVECTOR3& p) {
    char text[96];
    std::snprintf(text, sizeof text, "(%.2f, %.2f, %.2f)", p.x, p.y, p.z);
    return text;
}

std::string FormatBox(const Aabb& box) {
    char text[200];
    std::snprintf(text, sizeof text, "[(%.2f, %.2f, %.2f) .. (%.2f, %.2f, %.2f)]", box.lo.x, box.lo.y, box.lo.z, box.hi.x,
                  box.hi.y, box.hi.z);
    return text;
}
