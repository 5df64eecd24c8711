#pragma once
// The stage's solid geometry as the explorer sees it: the collision meshes of the placed maps read back
// into the closed boxes they are built of (twelve triangles on the six faces of an axis-aligned box)
// and the flat floors (a pair of level triangles, solid for a unit below their face, since nothing may
// pass down through a floor). Faces that form neither are counted and left out of the checks. Maps
// without a collision mesh of their own (the sky) hold nothing solid.
#include <array>
#include <vector>

#include "explore/Aabb.h"

class MapSolids {
public:
    static constexpr float kFloorDepth = 1.0f;

    // Reads every map of the object list that has a collision mesh.
    void Build();

    const std::vector<Aabb>& Solids() const { return solids; }
    // The first solid that holds p deeper than inset, or null.
    const Aabb* SolidAt(const D3DXVECTOR3& p, float inset) const;
    // The first solid sharing more than tolerance of depth with the box on every axis, or null.
    const Aabb* Overlapping(const Aabb& box, float tolerance) const;
    // The top of the highest solid under (x, z) whose top is at or below fromY; false when none is.
    bool GroundBelow(float x, float z, float fromY, float& top) const;
    // Everything solid together: the outer walls' outer faces, their tops and the deepest bottom.
    const Aabb& Bounds() const { return bounds; }
    // The lowest top of any solid: no floor lies below it.
    float LowestFloor() const { return lowestFloor; }
    int LooseFaces() const { return looseFaces; }
    bool Empty() const { return solids.empty(); }

private:
    using Triangle = std::array<D3DXVECTOR3, 3>;
    void AddMesh(const std::vector<Triangle>& faces);
    bool TakeBox(const std::vector<Triangle>& faces, size_t first);
    bool TakeFloor(const std::vector<Triangle>& faces, size_t first);

    std::vector<Aabb> solids;
    Aabb bounds;
    float lowestFloor = 0.0f;
    int looseFaces = 0;
};
