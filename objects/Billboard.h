#pragma once
// Textured squares drawn additively: the ice patches' clouds, the player's slide trail and the flame
// statues' flames.
#include "platform/math/D3DXMath.h"

class Texture;

// Lighting off, additive blending (destination one), no depth writes.
void BeginAdditiveSquares();
// Depth writes on, blending and lighting back to the scene's usual state.
void EndAdditiveSquares();
// A square of the given half size in its own x/y plane, placed by world, white with the given alpha
// (0 .. 255), textured over its whole face.
void DrawSquare(const D3DXMATRIX& world, const Texture* texture, float half, int alpha);
// A 2 x 2 square centred on the translation of at, turned to face the camera (its pitch and yaw),
// white with the given alpha (0 .. 255), textured over its whole face.
void DrawFacingSquare(const D3DXMATRIX& at, const Texture* texture, int alpha);
