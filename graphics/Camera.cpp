#include "graphics/Camera.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/GraphicsDevice.h"

namespace {
constexpr float kDegToRad = 0.017453292f;
constexpr float kRadToDeg = 57.295776f;
constexpr float kTurnDeadBand = 0.1f;  // degrees: closer than this counts as facing the direction
constexpr float kHalfTurn = 180.0f;

// Angle in degrees between two unit vectors.
float AngleBetween(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return std::acos(std::clamp(D3DXVec3Dot(&a, &b), -1.0f, 1.0f)) * kRadToDeg;
}
}  // namespace

Camera::Camera() {
    D3DXMatrixIdentity(&projection);
    D3DXMatrixIdentity(&view);
    // Until it follows something the camera follows the origin.
    D3DXMatrixIdentity(&targetWorld);
    Reset();
    mouseControl = true;
}

void Camera::Reset() {
    distance = kDefaultDistance;
    pitch = 0.0f;
    yaw = 0.0f;
    eye = target = lastEye = D3DXVECTOR3(0, 0, 0);
    position = eye;
}

void Camera::Follow(const D3DXMATRIX* world) { Place(world, D3DXVECTOR3(0, kEyeHeight, distance)); }

void Camera::FollowWithOffset(const D3DXMATRIX* world, D3DXVECTOR3 offset) { Place(world, offset); }

void Camera::Place(const D3DXMATRIX* world, const D3DXVECTOR3& offset) {
    targetWorld = *world;
    D3DXMATRIX aboutX, aboutY, rotation;
    D3DXMatrixRotationX(&aboutX, pitch * kDegToRad);
    D3DXMatrixRotationY(&aboutY, yaw * kDegToRad);
    D3DXMatrixMultiply(&rotation, &aboutX, &aboutY);
    D3DXVec3TransformCoord(&eye, &offset, &rotation);

    const D3DXVECTOR3 origin(0, 0, 0);
    D3DXVec3TransformCoord(&target, &origin, &targetWorld);
    target.y += kTargetLift;
    eye += D3DXVECTOR3(targetWorld._41, targetWorld._42, targetWorld._43);

    AvoidObstacles();

    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice()) {
        device->SetTransform(D3DTS_VIEW, &view);
    }
    lastEye = eye;
    position = eye;
}

bool Camera::AvoidObstacles() {
    const D3DXVECTOR3 toEye = eye - target;
    const float eyeDistance = D3DXVec3Length(&toEye);
    // An eye on the target has no sight line to block.
    if (!obstacles || eyeDistance <= 0.0f) return false;
    D3DXVECTOR3 direction;
    D3DXVec3Normalize(&direction, &toEye);
    GatherCandidates();

    float nearest = kObstacleReach;
    bool found = false;
    bool onObject = false;
    D3DXVECTOR3 nearestPoint;
    for (size_t n = 0; n < candidates.size(); ++n) {
        const CameraObstacle& candidate = candidates[n];
        float hitDistance = 0.0f;
        D3DXVECTOR3 hitPoint;
        if (!candidate.intersect || !candidate.intersect(target, direction, &hitDistance, &hitPoint)) continue;
        if (hitDistance < nearest) {
            nearest = hitDistance;
            nearestPoint = hitPoint;
            found = true;
            onObject = candidateKinds[n] != kMapKind;
        }
    }
    if (found && eyeDistance > nearest) {
        // The map's faces are flat and the eye rests on them; statues and boxes are rough or
        // bevelled, so the eye stops a little short of the surface it met.
        eye = onObject ? nearestPoint - direction * std::min(kObjectClearance, nearest) : nearestPoint;
    }
    LeaveObjects(direction);
    return found;
}

// The candidates of every blocking kind, in kind order: the map wherever it stands, other objects
// only close to the target.
void Camera::GatherCandidates() {
    candidates.clear();
    candidateKinds.clear();
    for (int kind : kBlockingKinds) {
        const size_t first = candidates.size();
        obstacles(kind, candidates);
        size_t kept = first;
        for (size_t n = first; n < candidates.size(); ++n) {
            const D3DXVECTOR3& at = candidates[n].position;
            if (kind != kMapKind &&
                (std::fabs(at.x - target.x) >= kObstacleWindow || std::fabs(at.z - target.z) >= kObstacleWindow))
                continue;
            if (kept != n) candidates[kept] = std::move(candidates[n]);
            ++kept;
        }
        candidates.resize(kept);
        candidateKinds.resize(kept, kind);
    }
}

// An eye still within an object (the sight line began inside it, or met none of its faces) moves
// toward the target step by step until it is clear of every object, or stands on the target.
void Camera::LeaveObjects(const D3DXVECTOR3& direction) {
    auto inside = [this](const D3DXVECTOR3& point) {
        for (size_t n = 0; n < candidates.size(); ++n)
            if (candidateKinds[n] != kMapKind && candidates[n].contains && candidates[n].contains(point)) return true;
        return false;
    };
    const D3DXVECTOR3 toEye = eye - target;
    for (float left = D3DXVec3Length(&toEye); left > 0.0f && inside(eye); left -= kLeaveStep)
        eye = left > kLeaveStep ? eye - direction * kLeaveStep : target;
}

void Camera::TurnToward(D3DXVECTOR3 direction) { Turn(direction, kHalfTurn); }

void Camera::TurnTowardSlowly(D3DXVECTOR3 direction) { Turn(direction, kSlowTurnStep); }

void Camera::Turn(const D3DXVECTOR3& d, float maxStep) {
    const D3DXVECTOR3 ahead(0, 0, 1);
    D3DXMATRIX rotation;
    D3DXVECTOR3 forward, normal;

    // Yaw, toward the horizontal part of the direction (none when it points straight up or down).
    const float horizontal = std::sqrt(d.x * d.x + d.z * d.z);
    if (horizontal > 0.0f) {
        const D3DXVECTOR3 flat(d.x / horizontal, 0, d.z / horizontal);
        D3DXMatrixRotationY(&rotation, yaw * kDegToRad);
        D3DXVec3TransformNormal(&forward, &ahead, &rotation);
        const float angle = AngleBetween(forward, flat);
        if (angle >= kTurnDeadBand) {
            D3DXVec3Cross(&normal, &forward, &flat);
            D3DXVec3Normalize(&normal, &normal);
            const float step = std::min(angle, maxStep);
            yaw += normal.y < -0.9f ? -step : step;
        }
    }

    // Pitch, toward the direction's elevation. A positive pitch looks down (forward's y is
    // -sin pitch), so a direction below forward (N.x > 0) needs more pitch and one above it less.
    D3DXVECTOR3 upright(0, d.y, horizontal);
    D3DXVec3Normalize(&upright, &upright);
    if (upright.y != 0.0f || upright.z != 0.0f) {
        D3DXMatrixRotationX(&rotation, pitch * kDegToRad);
        D3DXVec3TransformNormal(&forward, &ahead, &rotation);
        const float angle = AngleBetween(forward, upright);
        if (angle >= kTurnDeadBand) {
            D3DXVec3Cross(&normal, &forward, &upright);
            D3DXVec3Normalize(&normal, &normal);
            const float step = std::min(angle, maxStep);
            pitch += normal.x > 0.9f ? step : -step;
        }
    }

    pitch = std::clamp(pitch, kMinPitch, kMaxPitch);
}
