#pragma once
// The third-person camera: follows one object's world matrix from behind and above at a pitch and a
// yaw, keeps walls from coming between the object and the eye, and sets the device's view transform.
#include "graphics/CameraObstacle.h"
#include "platform/math/D3DXMath.h"

class Camera {
public:
    // --- limits and constants ---
    static constexpr float kDefaultDistance = -3.5f;  // eye z behind the target in camera space
    static constexpr float kEyeHeight = 2.0f;
    static constexpr float kTargetLift = 1.5f;  // the eye looks at this point above the object
    static constexpr float kMinPitch = -25.0f;
    static constexpr float kMaxPitch = 50.0f;
    static constexpr float kSlowTurnStep = 4.0f;  // degrees per call of TurnTowardSlowly
    static constexpr float kObstacleWindow = 5.0f;  // x/z reach of the wall test beyond the map
    static constexpr float kObstacleReach = 100.0f;  // hits farther along the sight line are ignored
    static constexpr float kObjectClearance = 0.2f;  // how far short of an object's surface the eye stops
    static constexpr float kLeaveStep = 0.1f;        // the steps an eye within an object moves out by

    // Object kinds that block the sight line, tested in this order; the map (kind 1) always.
    static constexpr int kMapKind = 1;
    static constexpr int kBlockingKinds[] = {1, 4, 5, 7, 8};

    Camera();

    // --- per frame ---
    // Places the eye at (0, 2, distance) turned by pitch and yaw behind the object.
    void Follow(const D3DXMATRIX* targetWorld);
    // The same with a caller-given eye offset.
    void FollowWithOffset(const D3DXMATRIX* targetWorld, D3DXVECTOR3 offset);
    // Pulls the eye onto the nearest blocking surface between the target and the eye (0.2 short of
    // it for an object other than the map), then on toward the target while it is still within an
    // object. True when the sight line hit anything (whether or not the eye had to move).
    bool AvoidObstacles();

    // --- turning ---
    // Turns yaw toward the direction's horizontal part and pitch toward its elevation, at once (at
    // most 180 degrees each). The direction need not be of unit length; a zero one turns nothing.
    // Pitch ends within [-25, 50] either way.
    void TurnToward(D3DXVECTOR3 direction);
    // The same, at most 4 degrees each per call.
    void TurnTowardSlowly(D3DXVECTOR3 direction);
    // Distance, angles and points back to their starting values.
    void Reset();

    void GetView(D3DXMATRIX* out) const { *out = view; }
    // Where the wall test finds its candidates; left empty nothing blocks.
    void SetObstacleQuery(CameraObstacleQuery query) { obstacles = std::move(query); }

    // --- state read and written by the scenes and the shader manager ---
    bool mouseControl = true;
    float distance = kDefaultDistance;
    float pitch = 0.0f;  // degrees about x
    float yaw = 0.0f;    // degrees about y
    D3DXMATRIX targetWorld;
    D3DXVECTOR3 position{0, 0, 0};  // the eye, as the shaders' "CamPos"
    D3DXMATRIX view;
    D3DXMATRIX projection;
    D3DXVECTOR3 eye{0, 0, 0};
    D3DXVECTOR3 target{0, 0, 0};
    D3DXVECTOR3 lastEye{0, 0, 0};

private:
    void Place(const D3DXMATRIX* world, const D3DXVECTOR3& offset);
    void Turn(const D3DXVECTOR3& direction, float maxStep);
    void GatherCandidates();
    void LeaveObjects(const D3DXVECTOR3& direction);

    CameraObstacleQuery obstacles;
    std::vector<CameraObstacle> candidates;  // the wall test's, kept with its capacity from frame to frame
    std::vector<int> candidateKinds;         // the kind of each candidate
};
