#pragma once
// The 3D frame of a walkable stage, shared by the game and the title hub: light 0, the projection, the
// camera following the player, the toon shader's frame values, the shadow and scene passes and the
// edge filter that composes the picture into the back buffer.
#include "platform/d3d9/D3D9Types.h"

struct StageLight {
    D3DXVECTOR3 direction;
    D3DCOLORVALUE diffuse;
    D3DCOLORVALUE ambient;
    D3DCOLORVALUE specular;
};

// The light and sky of every stage.
const StageLight& StandardStageLight();

// Light 0 and the device's projection; returns the projection.
D3DXMATRIX BeginStageView(const StageLight& light);
// The toon shader's frame values, the shadow pass centred on focus, the scene and the edge filter.
void RenderStageView(const D3DXMATRIX& projection, const D3DXVECTOR3& focus);

// The camera placed behind the player as a frame's drawing places it (the logic of the next frame
// reads where it is). Without a player it keeps following the point it followed last.
void FollowPlayerCamera();
// The whole frame with the camera following the player. Without a player the camera keeps following
// the point it followed last (the origin at first).
void DrawStage(const StageLight& light);
