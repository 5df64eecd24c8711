#pragma once
// The camera's wall test against the placed objects: candidates from the object list by kind, rays
// cast at their collision meshes.
#include "graphics/CameraObstacle.h"

CameraObstacleQuery ObjectListObstacles();
