#include "explore/Planner.h"

#include <algorithm>
#include <cmath>

#include "app/Application.h"
#include "app/Mouse.h"
#include "app/SceneId.h"
#include "app/SceneMgr.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "scenes/Fade.h"
#include "scenes/TitleScene.h"
#include "sim/FrameDump.h"

namespace {

constexpr float kDegrees = 57.29578f;
constexpr float kPixelsPerDegree = 4.0f;  // the mouse's base sensitivity
constexpr int kMaxTurnPixels = 48;

float Wrap(float degrees) {
    while (degrees > 180.0f) degrees -= 360.0f;
    while (degrees < -180.0f) degrees += 360.0f;
    return degrees;
}

float Heading(const D3DXVECTOR3& d) { return std::atan2(d.x, d.z) * kDegrees; }

float PlanDistance(const D3DXVECTOR3& a, const D3DXVECTOR3& b) { return std::hypot(a.x - b.x, a.z - b.z); }

}  // namespace

FrameInput Planner::Next() {
    FrameInput in;
    Application& app = Application::GetInstance();
    if (escHold > 0) {
        --escHold;
        in.keys[VK_ESCAPE] = true;
        return in;
    }
    if (app.nextScene != SCENE_NONE) stale = true;
    const int scene = CurrentSceneId(app);
    if (scene == SCENE_CONTINUE) {
        in.keys[VK_LBUTTON] = random.Chance(0.01f);
        return in;
    }
    auto* title = app.sceneMgr ? dynamic_cast<TitleScene*>(app.sceneMgr->GetCurrent()) : nullptr;
    if (title && !title->entered) {
        // Esc on the title ends the game (and the run): seldom, and only during the intro's fade.
        if (title->started && random.Chance(0.0005f)) escHold = 1;
        if (!title->started) {
            if (titleWait < 0) titleWait = random.Int(1, 90);
            in.keys[VK_LBUTTON] = titleWait-- == 0;
        }
        return in;
    }
    titleWait = -1;
    const bool fading = Fade::GetInstance().mode != 0;
    if (!title && random.Chance(fading ? 0.03f : 0.0002f)) escHold = random.Int(1, 6);
    // R restarts the stage through a fade: now and then, and more often while a fade is on.
    if (!title && random.Chance(fading ? 0.02f : 0.0003f)) restartHold = random.Int(1, 4);
    if (restartHold > 0) {
        --restartHold;
        in.keys['R'] = true;
    }
    auto* player = static_cast<Player*>(FirstOfKind(KIND_PLAYER));
    if (!player) return in;
    if (stale || FirstOfKind(KIND_MAP) != stageMap) OnStage();
    stale = app.nextScene != SCENE_NONE;
    if (!planned) Choose(*player);
    const bool restart = in.keys['R'];
    if (!plan.acting) Walk(*player, in);
    else Act(*player, in);
    in.keys['R'] = in.keys['R'] || restart;
    return in;
}

void Planner::OnStage() {
    stageMap = FirstOfKind(KIND_MAP);
    solids.Build();
    planned = false;
}

void Planner::Turn(float heading, float pitch, FrameInput& in, float gain) {
    const Mouse& mouse = Mouse::GetInstance();
    const float yawError = Wrap(heading - mouse.GetHorizontalAngle());
    const float pitchError = pitch - mouse.GetVerticalAngle();
    in.mouseDx = std::clamp(static_cast<int>(std::lround(yawError * kPixelsPerDegree * gain)), -kMaxTurnPixels,
                            kMaxTurnPixels);
    in.mouseDy = std::clamp(static_cast<int>(std::lround(pitchError * kPixelsPerDegree * gain)), -kMaxTurnPixels,
                            kMaxTurnPixels);
}

void Planner::Walk(const Player& player, FrameInput& in) {
    const D3DXVECTOR3 p = player.Position();
    if (PlanDistance(p, plan.target) < plan.arrive || --plan.walkFrames <= 0 || plan.stuck > 4) {
        plan.acting = true;
        plan.age = 0;
        Act(player, in);
        return;
    }
    const float heading = Heading(plan.target - p);
    Turn(heading, 8.0f, in);
    if (std::fabs(Wrap(heading - Mouse::GetInstance().GetHorizontalAngle())) < 50.0f) in.keys['W'] = true;
    // Held up (a wall, a box, a step): jump and sidestep now and then.
    if (plan.walkFrames % 40 == 0) {
        plan.stuck = PlanDistance(p, plan.lastCheck) < 0.3f ? plan.stuck + 1 : 0;
        plan.lastCheck = p;
    }
    if (plan.stuck > 0 && plan.walkFrames % 40 < 12) {
        in.keys[plan.stuck % 2 ? 'A' : 'D'] = true;
        in.keys[VK_SPACE] = plan.walkFrames % 40 == 11;
    }
}

void Planner::Act(const Player& player, FrameInput& in) {
    const int age = plan.age++;
    const float facing = Heading(plan.facing);
    switch (plan.action) {
    case Action::Push:
        Turn(facing, 5.0f, in);
        in.keys['W'] = true;
        break;
    case Action::Jump:
        Turn(facing, 8.0f, in);
        in.keys['W'] = true;
        in.keys[VK_SPACE] = age % 45 < 3;
        break;
    case Action::Fire:
        Turn(Heading(plan.target - player.Position()), plan.pitch, in);
        in.keys[VK_LBUTTON] = true;
        if (age % 90 > 70) in.keys[age % 180 > 90 ? 'A' : 'D'] = true;
        break;
    case Action::IceJump: {
        // Ice on the floor ahead, then onto it and a jump while sliding.
        const int fire = 60 + static_cast<int>(plan.pitch);
        Turn(facing, age < fire ? 26.0f : 8.0f, in);
        in.keys[VK_LBUTTON] = age < fire;
        in.keys['W'] = age > fire + 4;
        in.keys[VK_SPACE] = age > fire + 4 && (player.state == PLAYER_SLIDE || age % 30 == 0);
        break;
    }
    case Action::LayIceWalking:
        Turn(facing, plan.pitch, in);
        in.keys[VK_LBUTTON] = true;
        in.keys['W'] = true;
        break;
    case Action::Wait:
        break;
    case Action::Mash:
        Mash(in);
        break;
    }
    if (--plan.actFrames <= 0) planned = false;
}

void Planner::Mash(FrameInput& in) {
    if (--mashChange <= 0) {
        mashChange = random.Int(5, 30);
        mashKeys = FrameInput{};
        for (int key : {int{'W'}, int{'A'}, int{'S'}, int{'D'}, VK_SPACE, VK_LBUTTON}) mashKeys.keys[key] = random.Chance(0.3f);
        mashKeys.mouseDx = random.Int(-40, 40);
        mashKeys.mouseDy = random.Int(-10, 10);
    }
    in = mashKeys;
}
