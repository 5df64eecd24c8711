// The rules about where things are: solid objects against the map and one another, the player against
// solids, the playable area and the gates.
#include "explore/RuleChecker.h"

#include "objects/CDoor.h"
#include "objects/CIceBox.h"
#include "objects/CStoneStatue.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"

namespace {

std::string Name(const CharacterBase& object) {
    return std::string(object.ClassName()) + " at " + Format(object.Position());
}

// A door may run into the wall it is set in, a solid that holds the door's whole thickness, as long as
// it stays above the floor it closes onto.
bool Housed(const Aabb& box, const Aabb& solid, float homeBottom) {
    const D3DXVECTOR3 size = box.Size();
    const int thin = size.x < size.z ? 0 : 2;
    const float tolerance = RuleChecker::kTolerance;
    return (&solid.lo.x)[thin] <= (&box.lo.x)[thin] + tolerance &&
           (&solid.hi.x)[thin] >= (&box.hi.x)[thin] - tolerance &&
           box.Intersection(solid).lo.y >= homeBottom - tolerance;
}

// What stands solid among the objects: boxes (not while bursting), rolling statues and doors.
bool IsSolidObject(CharacterBase* object) {
    if (auto* box = dynamic_cast<CIceBox*>(object)) return !box->breaking;
    return dynamic_cast<CStoneStatue*>(object) || dynamic_cast<CDoor*>(object);
}

}  // namespace

bool RuleChecker::Objects(std::string& rule, std::string& detail) {
    solidObjects.clear();
    for (CharacterBase* object : GetObjectList())
        if (object && IsSolidObject(object)) solidObjects.push_back(object);
    std::vector<Aabb> boxes(solidObjects.size());
    for (size_t i = 0; i < solidObjects.size(); ++i) {
        CharacterBase& object = *solidObjects[i];
        if (!bounds.Of(object, boxes[i])) continue;
        auto* door = dynamic_cast<CDoor*>(&object);
        Aabb local;
        const float homeBottom = door && bounds.Local(object, local) ? door->home._42 + local.lo.y : 0.0f;
        for (const Aabb& solid : solids.Solids()) {
            if (!solid.Overlaps(boxes[i], kTolerance) || (door && Housed(boxes[i], solid, homeBottom))) continue;
            rule = "object-in-map";
            detail = Name(object) + " " + FormatBox(boxes[i]) + " overlaps the map's solid " + FormatBox(solid);
            return false;
        }
        for (size_t j = 0; j < i; ++j) {
            if (door && dynamic_cast<CDoor*>(solidObjects[j])) continue;
            if (!boxes[i].Overlaps(boxes[j], kTolerance)) continue;
            rule = "object-in-object";
            detail = Name(object) + " " + FormatBox(boxes[i]) + " overlaps " + Name(*solidObjects[j]) + " " +
                     FormatBox(boxes[j]);
            return false;
        }
    }
    return true;
}

bool RuleChecker::PlayerPlace(std::string& rule, std::string& detail) {
    auto* player = static_cast<Player*>(FirstOfKind(KIND_PLAYER));
    if (!player) return true;
    const D3DXVECTOR3 p = player->Position();
    for (float lift : {0.4f, 1.2f}) {
        const D3DXVECTOR3 sample = p + D3DXVECTOR3(0, lift, 0);
        if (const Aabb* solid = solids.SolidAt(sample, kPlayerInset)) {
            rule = "player-in-wall";
            detail = "the player at " + Format(p) + " stands inside the map's solid " + FormatBox(*solid);
            return false;
        }
        for (CharacterBase* object : solidObjects) {
            Aabb box;
            if (!bounds.Of(*object, box) || !box.Contains(sample, kPlayerInset)) continue;
            rule = "player-in-object";
            detail = "the player at " + Format(p) + " stands inside " + Name(*object) + " " + FormatBox(box);
            return false;
        }
    }
    const Aabb& area = solids.Bounds();
    if (!area.ContainsPlan(p.x, p.z)) {
        rule = "player-outside";
        detail = "the player at " + Format(p) + " is outside the map's outer walls " + FormatBox(area);
    } else if (p.y > area.hi.y - kWallTopMargin) {
        rule = "player-above-walls";
        detail = "the player at " + Format(p) + " is on or above the wall tops (" + std::to_string(area.hi.y) + ")";
    } else if (p.y < solids.LowestFloor() - kFallMargin) {
        rule = "player-fell-through";
        detail = "the player at " + Format(p) + " fell below the lowest floor (" +
                 std::to_string(solids.LowestFloor()) + ")";
    }
    if (!rule.empty()) return false;
    for (const auto& gate : gates) {
        if (gate->Pass(*player, detail)) continue;
        rule = gate->Rule();
        return false;
    }
    return true;
}
