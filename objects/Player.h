#pragma once
// The character the user controls (kind 0): a skinned, animated figure that walks relative to the
// camera, turns smoothly toward where it walks, jumps and falls, stands on the map and on objects, is
// stopped by walls, pushes boxes, slides on ice, raises and fires the cold gun once it has it, and
// takes items and opens chests through a short cinema-bar pause. Its state is at the same time its
// action and the index of the animation set it plays.
#include <cstdint>

#include "objects/CharacterBase.h"
#include "objects/PlayerInput.h"
#include "objects/ShotEmitter.h"

class SkinnedMesh;
class Texture;

// Action states (and animation sets).
enum PlayerState {
    PLAYER_WALK = 1,
    PLAYER_STAND = 2,
    PLAYER_SLIDE = 3,
    PLAYER_PUSH = 5,
    PLAYER_AIM_FORWARD = 6,
    PLAYER_AIM_RIGHT = 7,
    PLAYER_AIM_LEFT = 8,
    PLAYER_AIM_BACK = 9,
    PLAYER_AIM_STAND = 10,
    PLAYER_RISE = 11,
    PLAYER_INTERACT = 12,
    PLAYER_FALL = 13,
};

// Values of the player kept for the whole program rather than per player: they carry from one stage
// to the next.
struct PlayerShared {
    float moveSpeed = 0.0f;  // current ground speed per frame
    float playerYaw = 0.0f;  // heading in degrees; rotMat is rebuilt from it
    float walkYaw = 0.0f;    // heading of the walk during a fade
    int trailTimer = 0;
    int fireHeld = 0;
    int jumpHeld = 0;
    D3DXVECTOR3 lastGround{0, 0, 0};  // the last ground point under the player
    D3DXVECTOR3 walkGround{0, 0, 0};  // the same during the fade walk
};

class Player : public CharacterBase {
public:
    static constexpr int kStepCounterCount = 14;
    static constexpr int kTrailLength = 8;
    static constexpr float kModelScale = 0.01f;
    static constexpr float kModelHalfTurn = 3.14154f;  // the model faces -z; this turns it to +z

    Player();
    ~Player() override;
    const char* ClassName() const override { return "Player"; }
    CharacterBase* Clone() const override { return new Player(*this); }

    void Init(std::vector<std::string> params) override;
    void Update() override;
    void Draw() override;
    void DrawAlpha() override;
    void Draw2D() override;
    void DrawShadow() override;
    void DumpFields(ObjectFields& out) const override;

    // --- the steps of a frame (the title's intro calls FadeWalk and UpdateFootsteps itself) ---
    void Move();
    void ApplyGravity();
    void CheckWall();
    // previousY: the feet's height before this frame's fall or rise.
    void CheckHead(float previousY);
    void FadeWalk();
    void UpdateFootsteps();
    // A slide run into something: the player stands still and the slide sound stops.
    void EndSlide();

    // The program-wide values; ResetShared puts them back to their start (tests).
    static PlayerShared& Shared();
    static void ResetShared();

    bool Aiming() const { return state >= PLAYER_AIM_FORWARD && state <= PLAYER_AIM_STAND; }

    SkinnedMesh* skin = nullptr;
    ShotEmitter emitter;
    int inAir = 0;
    int airFrames = 0;  // frames in the air up to the last one; 0 on the ground
    int iceMomentum = 0;  // set after sliding: the faster air speed; cleared on normal ground
    uint8_t markerShown = 0;  // an item or closed chest within reach ahead
    int aim = 0;              // 0 gun down, -1 being raised, 1 ready
    int pushReady = 0;        // 0 not pushing, 2 pushing, 1 pushing long enough to move a box
    int stepCounters[kStepCounterCount] = {};
    int prevState = 0;
    Texture* markerTexture = nullptr;
    Texture* slipTextures[kTrailLength] = {};
    D3DXMATRIX trail[kTrailLength];
    // The controls as read once at the start of the frame's update, for every step to share (a key
    // query also clears its "pressed since the last query" bit, so a second read could miss a tap).
    PlayerInput input;

private:
    // Casts the ground probe of the given length down through the player: groundKind becomes the kind
    // of the highest surface hit; best and ground are the highest surface that is not an ice patch
    // (false when there is none). With touch, objects met at the feet are told so.
    bool ProbeGround(class RayProbe& probe, float length, bool touch, float& best, D3DXVECTOR3& ground);
    // The wall ray ahead (pushing, reaching, the marker), and the head's own ray while in the air.
    void CheckWallAhead();
    void CheckHeadWall();
    // The wall rays look ahead from where a frame's step ended, and a push off one face can carry the
    // player near another it never looked at. When the frame's level travel from before crosses the
    // front of a solid, the player stays where it was.
    void UndoCrossing(const D3DXVECTOR3& before);
    // Turns yaw toward move by at most limit degrees and rebuilds rotMat from it.
    void TurnToward(float& yaw, float limit);
    void RebuildWorld();
    void AnimateSkin();
    void AdvanceTrail();
    void DrawTrail();
    // Footstep sound on the step frames of the state's walking cycle.
    void StepSound(int& counter, int cycle, int firstStep, int secondStep);
};
