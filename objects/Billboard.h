#pragma once
// Camera-facing squares drawn additively: the ice patches' clouds and the player's slide trail.
#include "platform/math/D3DXMath.h"

class Texture;

// Lighting off, additive blending (destination one), no depth writes.
void BeginAdditiveSquares();
// Depth writes on, blending and lighting back to the scene's usual state.
void EndAdditiveSquares();
// A 2 x 2 square centred on the translation of at, turned to face the camera (its pitch and yaw),
// white with the given alpha (0 .. 255), textured over its whole face.
void DrawFacingSquare(const D3DXMATRIX& at, const Texture* texture, int alpha);
