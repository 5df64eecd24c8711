#include "objects/CGoal.h"

#include "app/Application.h"
#include "app/SceneId.h"
#include "graphics/Camera.h"
#include "graphics/Mesh.h"
#include "loading/SaveData.h"
#include "loading/TextData.h"
#include "objects/ObjectFields.h"
#include "objects/ObjectList.h"
#include "scenes/Fade.h"

namespace {
// The stage number a save after stage s holds: s + 2 stages are open then.
constexpr int kProgressAfterStage = 2;
// The goal's opening, where a goal without a mesh is touched: this far from its middle across the
// floor, from its floor up to the top of the arch.
constexpr float kOpeningReach = 0.75f;
constexpr float kOpeningHeight = 2.2f;
}  // namespace

void CGoal::Init(std::vector<std::string> params) {
    CharacterBase::Init(std::move(params));
    drawParams->lighting = 0;
    drawParams->edge = 0;
    drawParams->castShadow = 0;
}

void CGoal::ReadClassParam(const std::string& key, const std::string& value) {
    if (key == "State") state = ParseIntLenient(value);
}

// The first touch wins: the fade starts afresh whatever ran before, a stage's win is saved at once
// (so that nothing during the fade can lose it), and neither touching again nor touching another goal
// changes where the fade leads.
void CGoal::OnHit(CharacterBase* other) {
    if (!other || other->kind != KIND_PLAYER || AnyGoalReached()) return;
    reached = 1;
    Fade::GetInstance().StartBlack(Fade::kToBlack);
    if (state == GOAL_TO_TITLE) SaveWin();
}

void CGoal::Update() {
    if (reached == 1 && Fade::GetInstance().Black()) {
        reached = 0;
        Leave();
        return;
    }
    if (reached == 1) TurnPlayerAndCamera();
    const Mesh* solid = GetColMesh();
    if (!reached && (!solid || !solid->mesh) && Fade::GetInstance().mode == 0) TouchInOpening();
    *world = rotMat * transMat;
}

// Progress only grows: replaying an early stage keeps what later stages opened. A save that cannot
// be written is lost quietly; the way back to the title stays open.
void CGoal::SaveWin() {
    const int won = Application::GetInstance().stageSelect + kProgressAfterStage;
    const int stored = ReadProgress();
    if (won > stored) WriteProgress(won);
}

bool AnyGoalReached() {
    bool any = false;
    ForEachOfKind(KIND_GOAL, [&](CharacterBase* goal) { any = any || static_cast<CGoal*>(goal)->reached == 1; });
    return any;
}

// Nothing can run into a goal whose mesh did not load: the player standing in its opening touches it
// instead, so that a damaged mesh cannot shut the way on.
void CGoal::TouchInOpening() {
    CharacterBase* player = FirstOfKind(KIND_PLAYER);
    if (!player) return;
    const D3DXVECTOR3 d = player->Position() - Position();
    if (d.x * d.x + d.z * d.z < kOpeningReach * kOpeningReach && d.y > -0.5f && d.y < kOpeningHeight) OnHit(player);
}

void CGoal::Leave() {
    Application& app = Application::GetInstance();
    switch (state) {
    case GOAL_TO_TITLE:
        app.nextScene = SCENE_TITLE;
        app.stageSelect = -1;
        break;
    case GOAL_FIRST_STAGE:
        app.nextScene = SCENE_GAME;
        app.stageSelect = 0;
        break;
    case GOAL_CONTINUE:
        app.nextScene = SCENE_CONTINUE;
        app.stageSelect = 1;
        break;
    case GOAL_SECOND_STAGE:
        // Without it the second stage could never be entered from the hub.
        app.nextScene = SCENE_GAME;
        app.stageSelect = 1;
        break;
    case GOAL_CLOSING:
        app.nextScene = SCENE_CONTINUE;
        app.stageSelect = 2;
        break;
    default:
        break;
    }
}

// The player walks on away from the goal's facing while the camera swings after it. Without a player
// there is nothing to turn.
void CGoal::TurnPlayerAndCamera() {
    CharacterBase* player = FirstOfKind(KIND_PLAYER);
    if (!player) return;
    for (unsigned row = 0; row < 4; ++row)
        for (unsigned col = 0; col < 4; ++col) player->rotMat(row, col) = -rotMat(row, col);
    if (Camera* camera = Application::GetInstance().camera) camera->TurnTowardSlowly(player->move);
}

void CGoal::DumpFields(ObjectFields& out) const { out.Int("reached", reached); }
