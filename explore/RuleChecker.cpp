#include "explore/RuleChecker.h"

#include <cmath>

#include "app/Application.h"
#include "app/Mouse.h"
#include "graphics/Camera.h"
#include "objects/CFlameStatue.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"

namespace {

bool FiniteAll(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}
bool FiniteVector(const D3DXVECTOR3& v) { return FiniteAll({v.x, v.y, v.z}); }
bool FiniteMatrix(const D3DXMATRIX& m) {
    for (unsigned r = 0; r < 4; ++r)
        for (unsigned c = 0; c < 4; ++c)
            if (!std::isfinite(m(r, c))) return false;
    return true;
}


}  // namespace

RuleChecker::RuleChecker(ProgressReader progress, std::optional<int> startProgress)
    : readProgress(std::move(progress)), bestProgress(startProgress) {}

RuleChecker::~RuleChecker() = default;

void RuleChecker::Rebuild() {
    stageMap = FirstOfKind(KIND_MAP);
    stagePlayer = FirstOfKind(KIND_PLAYER);
    solids.Build();
    const D3DXVECTOR3 start = stagePlayer ? stagePlayer->Position() : D3DXVECTOR3(0, 0, 0);
    gates = BuildGates(GateContext{solids, bounds, start});
    placedObjects = GetObjectList().size();
}

std::vector<std::string> RuleChecker::Describe() const {
    std::vector<std::string> lines;
    lines.push_back(std::to_string(solids.Solids().size()) + " solids, " + std::to_string(solids.LooseFaces()) +
                    " loose faces, bounds " + FormatBox(solids.Bounds()) + ", lowest floor " +
                    std::to_string(solids.LowestFloor()));
    for (const auto& gate : gates) lines.push_back(std::string(gate->Rule()) + ": " + gate->Describe());
    return lines;
}

bool RuleChecker::Check(int frame, Violation& out) {
    if (stale || FirstOfKind(KIND_MAP) != stageMap || FirstOfKind(KIND_PLAYER) != stagePlayer) Rebuild();
    stale = false;
    out = Violation{};
    out.frame = frame;
    if (!Finite(out.detail)) out.rule = "not-finite";
    else if (!ProgressKept(frame, out.detail)) out.rule = "progress-decreased";
    else if (!Counts(out.rule, out.detail)) {
    } else if (!solids.Empty() && !Objects(out.rule, out.detail)) {
    } else if (!solids.Empty() && !PlayerPlace(out.rule, out.detail)) {
    }
    return out.rule.empty();
}

bool RuleChecker::Finite(std::string& detail) const {
    for (const CharacterBase* object : GetObjectList()) {
        if (!object) continue;
        if (!FiniteMatrix(object->transMat) || !FiniteMatrix(object->rotMat) || !FiniteVector(object->move) ||
            !FiniteAll({object->fallSpeed})) {
            detail = std::string(object->ClassName()) + " has a position, angle or speed that is not a number";
            return false;
        }
    }
    const PlayerShared& shared = Player::Shared();
    if (!FiniteAll({shared.moveSpeed, shared.playerYaw, shared.walkYaw}) || !FiniteVector(shared.lastGround)) {
        detail = "the player's speed, heading or last ground is not a number";
        return false;
    }
    const Camera* camera = Application::GetInstance().camera;
    const Mouse& mouse = Mouse::GetInstance();
    if ((camera && (!FiniteAll({camera->pitch, camera->yaw}) || !FiniteVector(camera->eye) ||
                    !FiniteVector(camera->target))) ||
        !FiniteAll({mouse.GetVerticalAngle(), mouse.GetHorizontalAngle()})) {
        detail = "the camera or the mouse angles are not numbers";
        return false;
    }
    return true;
}

bool RuleChecker::ProgressKept(int frame, std::string& detail) {
    if (frame % kProgressEvery != 0 || !readProgress) return true;
    const std::optional<int> now = readProgress();
    if (bestProgress && (!now || *now < *bestProgress)) {
        detail = "the saved progress went from " + std::to_string(*bestProgress) + " to " +
                 (now ? std::to_string(*now) : std::string("nothing"));
        return false;
    }
    if (now) bestProgress = now;
    return true;
}

bool RuleChecker::Counts(std::string& rule, std::string& detail) {
    const size_t count = GetObjectList().size();
    peakObjects = std::max(peakObjects, count);
    if (count > placedObjects + kExtraObjects) {
        rule = "objects-unbounded";
        detail = std::to_string(count) + " objects, " + std::to_string(placedObjects) + " placed";
        return false;
    }
    for (CharacterBase* object : GetObjectList()) {
        const auto* flames = dynamic_cast<const CFlameStatue*>(object);
        if (!flames) continue;
        peakFlames = std::max(peakFlames, flames->particles.size());
        if (flames->particles.size() > kMaxFlames) {
            rule = "flames-unbounded";
            detail = std::to_string(flames->particles.size()) + " flames in flight";
            return false;
        }
    }
    return true;
}
