#pragma once
// The box around a mesh's vertices in its own space, worked out once at load, and the test that tells
// whether a draw of it can touch a pixel: carried to clip space, is it wholly beyond one clip plane?
#include <vector>

#include "platform/math/D3DXMath.h"

struct MeshVertex;

struct MeshBox {
    D3DXVECTOR3 min{0.0f, 0.0f, 0.0f};
    D3DXVECTOR3 max{0.0f, 0.0f, 0.0f};
    bool empty = true;  // no vertices: nothing to draw, and nothing is known

    static MeshBox Around(const std::vector<MeshVertex>& vertices);
    // Grows the box to hold the point.
    void Extend(const D3DXVECTOR3& p);
    // The box around this one carried by a matrix (row vectors), grown by `margin` on every side.
    MeshBox Carried(const D3DXMATRIX& m, float margin) const;
    // The corner picked by the bits of `i` (bit 0 x, bit 1 y, bit 2 z; set = max).
    D3DXVECTOR3 Corner(int i) const;
};

// True when every corner of the box, times toClip, lies outside the same plane of the clip volume
// (-w <= x <= w, -w <= y <= w, 0 <= z <= w): then no part of it can be drawn. An empty box is never
// outside, so that a mesh of unknown extent is always drawn.
bool BoxOutsideClip(const MeshBox& box, const D3DXMATRIX& toClip);
