#pragma once
// The explorer's player: random but purposeful input. It picks a target (an object, a point on a
// wall, a ledge, a spot on the floor), steers there with W and the mouse from the player's position
// and the camera's heading as the game has them, then acts: pushes for a long stretch from one side,
// jumps at the wall, fires the gun for a while with the camera turned and tilted at the target, lays
// ice and jumps off the slide, stands still (on a switch), or mashes keys at random for a spell. On
// the title it clicks to start after a while; it presses Esc and R (restart) now and then, more often
// in fades.
#include <vector>

#include "explore/MapSolids.h"
#include "explore/Random.h"
#include "sim/InputScript.h"

class CharacterBase;
class Player;

class Planner {
public:
    enum class Action { Push, Jump, Fire, IceJump, LayIceWalking, Wait, Mash };

    explicit Planner(uint32_t seed) : random(seed) {}
    // The input of the next frame, from the state the last one left.
    FrameInput Next();

private:
    struct Plan {
        D3DXVECTOR3 target{0, 0, 0};
        D3DXVECTOR3 facing{0, 0, 1};  // the heading the action keeps (push: along the push)
        float arrive = 1.0f;          // close enough, in the ground plan
        float pitch = 10.0f;          // the camera tilt to hold while acting
        Action action = Action::Wait;
        int walkFrames = 0;           // left before acting anyway
        int actFrames = 0;            // left of the action
        int age = 0;                  // frames into the action
        bool acting = false;
        D3DXVECTOR3 lastCheck{0, 0, 0};
        int stuck = 0;
    };

    void Choose(const Player& player);
    void ChooseObjectTarget(const Player& player, CharacterBase& object);
    void ChooseWallTarget(const Player& player, bool jump);
    void ChooseFloorTarget(const Player& player);
    void Walk(const Player& player, FrameInput& in);
    void Act(const Player& player, FrameInput& in);
    void Mash(FrameInput& in);
    // Mouse movement that turns the camera toward the heading and tilt (degrees).
    void Turn(float heading, float pitch, FrameInput& in, float gain = 0.5f);
    void OnStage();

    Random random;
    Plan plan;
    bool planned = false;
    MapSolids solids;
    const CharacterBase* stageMap = nullptr;
    bool stale = true;  // a scene change was pending: the stage is rebuilt, perhaps at the same addresses
    FrameInput mashKeys;
    int mashChange = 0;
    int titleWait = -1;
    int escHold = 0;
    int restartHold = 0;
};
