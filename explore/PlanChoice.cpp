// How the planner picks what to do next: a target and the action to take there.
#include <cmath>

#include "explore/ObjectBounds.h"
#include "explore/Planner.h"
#include "objects/CFlameStatue.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"

namespace {

// The four ways along the axes, in the ground plan.
const D3DXVECTOR3 kSides[4] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};

bool Targetable(const CharacterBase* object) {
    return object && object->kind != KIND_PLAYER && object->kind != KIND_MAP && object->kind != KIND_COLD &&
           object->kind != KIND_LAUNCHER;
}

}  // namespace

void Planner::Choose(const Player& player) {
    plan = Plan{};
    plan.lastCheck = player.Position();
    planned = true;
    std::vector<CharacterBase*> objects;
    for (CharacterBase* object : GetObjectList())
        if (Targetable(object)) objects.push_back(object);
    const float roll = random.Unit();
    if (roll < 0.5f && !objects.empty()) {
        ChooseObjectTarget(player, *objects[static_cast<size_t>(random.Int(0, static_cast<int>(objects.size()) - 1))]);
    } else if (roll < 0.75f && !solids.Empty()) {
        ChooseWallTarget(player, random.Chance(0.6f));
    } else if (roll < 0.93f && !solids.Empty()) {
        ChooseFloorTarget(player);
    } else {
        plan.action = Action::Mash;
        plan.acting = true;
        plan.actFrames = random.Int(30, 200);
    }
    const D3DXVECTOR3 way = plan.target - player.Position();
    plan.walkFrames = 120 + static_cast<int>(D3DXVec3Length(&way) / 0.07f * 1.5f);
}

void Planner::ChooseObjectTarget(const Player& player, CharacterBase& object) {
    ObjectBounds bounds;
    Aabb box;
    if (!bounds.Of(object, box)) box = Aabb::Around(object.Position());
    const D3DXVECTOR3 centre = box.Centre(), half = box.Size() * 0.5f;
    const D3DXVECTOR3 side = kSides[random.Int(0, 3)];
    const float reach = std::fabs(side.x) > 0 ? half.x : half.z;
    const float roll = random.Unit();
    plan.target = centre;
    plan.facing = -side;
    if (object.kind == KIND_SWITCH || object.kind == KIND_GOAL) {
        plan.action = roll < 0.7f ? Action::Wait : Action::Jump;
        plan.arrive = 0.3f;
        plan.actFrames = random.Int(30, 300);
    } else if (object.kind == KIND_CHEST || object.kind == KIND_ITEM) {
        plan.action = Action::Fire;  // holding the button is also how things are taken
        plan.target = centre + side * (reach + 0.8f);
        plan.arrive = 0.4f;
        plan.pitch = 5.0f;
        plan.actFrames = random.Int(20, 120);
    } else if (roll < 0.45f) {
        plan.action = Action::Push;
        plan.target = centre + side * (reach + 0.9f);
        plan.arrive = 0.3f;
        plan.actFrames = random.Int(50, 400);
    } else if (roll < 0.8f || dynamic_cast<CFlameStatue*>(&object)) {
        plan.action = random.Chance(0.2f) ? Action::LayIceWalking : Action::Fire;
        plan.arrive = random.Between(2.0f, 6.0f);
        plan.pitch = random.Between(-5.0f, 20.0f);
        plan.actFrames = random.Int(20, 300);
    } else {
        plan.action = Action::Jump;
        plan.target = centre + side * (reach + 1.2f);
        plan.arrive = 0.4f;
        plan.actFrames = random.Int(30, 150);
    }
    (void)player;
}

// A point on the side of a solid that stands above the player's feet (a wall or a ledge), reached
// from a random spot near the player.
void Planner::ChooseWallTarget(const Player& player, bool jump) {
    const D3DXVECTOR3 p = player.Position();
    const std::vector<Aabb>& all = solids.Solids();
    for (int attempt = 0; attempt < 20; ++attempt) {
        const Aabb& solid = all[static_cast<size_t>(random.Int(0, static_cast<int>(all.size()) - 1))];
        if (solid.hi.y < p.y + 0.3f) continue;
        const D3DXVECTOR3 from(p.x + random.Between(-12, 12), p.y, p.z + random.Between(-12, 12));
        const D3DXVECTOR3 onWall(std::clamp(from.x, solid.lo.x, solid.hi.x), p.y, std::clamp(from.z, solid.lo.z, solid.hi.z));
        D3DXVECTOR3 out = from - onWall;
        if (D3DXVec3Length(&out) < 0.1f) continue;
        D3DXVec3Normalize(&out, &out);
        plan.facing = -out;
        if (jump) {
            plan.action = Action::Jump;
            plan.target = onWall + out * 0.7f;
            plan.arrive = 0.4f;
            plan.actFrames = random.Int(30, 150);
        } else {
            plan.action = Action::Fire;
            plan.target = onWall;
            plan.arrive = random.Between(2.0f, 6.0f);
            plan.pitch = random.Between(-5.0f, 15.0f);
            plan.actFrames = random.Int(20, 300);
        }
        return;
    }
    ChooseFloorTarget(player);
}

// A spot on the floor anywhere in the map, and something to do there: lay ice and jump off the
// slide, lay ice walking, fire at the floor, or wait.
void Planner::ChooseFloorTarget(const Player& player) {
    const Aabb& area = solids.Bounds();
    plan.target = D3DXVECTOR3(random.Between(area.lo.x, area.hi.x), player.Position().y,
                              random.Between(area.lo.z, area.hi.z));
    const float heading = random.Between(-180.0f, 180.0f) / 57.29578f;
    plan.facing = D3DXVECTOR3(std::sin(heading), 0, std::cos(heading));
    if (CharacterBase* goal = FirstOfKind(KIND_GOAL); goal && random.Chance(0.3f)) {
        plan.facing = goal->Position() - plan.target;
        plan.facing.y = 0;
        if (D3DXVec3Length(&plan.facing) > 0.01f) D3DXVec3Normalize(&plan.facing, &plan.facing);
    }
    plan.arrive = random.Between(0.5f, 2.0f);
    const float roll = random.Unit();
    plan.action = roll < 0.3f ? Action::IceJump : roll < 0.5f ? Action::LayIceWalking : roll < 0.7f ? Action::Fire
                                                                                                    : Action::Wait;
    plan.pitch = plan.action == Action::IceJump ? random.Between(0.0f, 60.0f) : random.Between(15.0f, 30.0f);
    plan.actFrames = plan.action == Action::IceJump ? 180 : random.Int(20, 300);
    if (plan.action == Action::Fire) plan.target += plan.facing * 2.0f;
}
