#pragma once
// Things that shove the player (the fire of a flame statue, a door sliding past) move it across the
// floor only as far as walking could take it: walls, doors, boxes, statues and chests keep it at the
// walking clearance, so no shove carries it into or through a solid.
#include "objects/CharacterBase.h"

// Moves the object up to step along the level part of direction, stopped short by what stands in the
// way; the shover itself (may be null) is not in the way.
void ShoveAcrossFloor(CharacterBase& object, D3DXVECTOR3 direction, float step, const CharacterBase* shover);
