#pragma once
// What the camera's wall test needs from the world: the placed objects of a kind, each with its
// position, a ray cast at its collision mesh and a test for points within its bounds. The object list supplies it; tests supply their own.
#include <functional>
#include <vector>

#include "platform/math/D3DXMath.h"

struct CameraObstacle {
    // Casts a ray at the object's collision mesh placed in the world. On a hit writes the distance
    // along the ray (in units of its direction) and the world-space hit point, and returns true.
    using RayCast = std::function<bool(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                                       float* distance, D3DXVECTOR3* hitPoint)>;

    // Whether a world-space point lies within the object's collision bounds.
    using Contains = std::function<bool(const D3DXVECTOR3& point)>;

    D3DXVECTOR3 position;  // the translation row of the object's world matrix
    RayCast intersect;
    Contains contains{};  // may be empty: then no point counts as within the object
};

// Appends the objects of one kind to the list, in object-list order (the list is not cleared).
using CameraObstacleQuery = std::function<void(int kind, std::vector<CameraObstacle>& out)>;
