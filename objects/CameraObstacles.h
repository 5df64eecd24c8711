#pragma once
// The camera's wall test against the placed objects: candidates from the object list by kind, rays
// cast at their collision meshes and points tested against their bounds.
#include "graphics/CameraObstacle.h"

CameraObstacleQuery ObjectListObstacles();
