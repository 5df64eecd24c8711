#pragma once
// One of the four shards a bursting box throws: it rises, slows, falls and flies outward.
#include "platform/math/D3DXMath.h"

struct BreakPiece {
    int alpha = 0;  // 0 .. 255
    float yaw = 0.0f;  // degrees
    float riseSpeed = 0.0f;
    D3DXVECTOR3 position{0, 0, 0};
    D3DXVECTOR3 direction{0, 0, 0};
    D3DXMATRIX transform;

    BreakPiece() { D3DXMatrixIdentity(&transform); }

    // Thrown from just above the box's position; piece i flies along +x, +z, -x, -z.
    void Start(int index, const D3DXVECTOR3& boxPosition);
    // One frame of flight at the given outward speed.
    void Fly(float speed);

private:
    void Place();
};
