#pragma once
// An axis-aligned box in world space, the shape every explorer check reduces solids and objects to.
#include <algorithm>

#include "platform/math/D3DXMath.h"

struct Aabb {
    D3DXVECTOR3 lo{0, 0, 0};
    D3DXVECTOR3 hi{0, 0, 0};

    D3DXVECTOR3 Centre() const { return (lo + hi) * 0.5f; }
    D3DXVECTOR3 Size() const { return hi - lo; }
    // True when p lies inside by more than inset on every axis.
    bool Contains(const D3DXVECTOR3& p, float inset = 0.0f) const {
        return p.x > lo.x + inset && p.x < hi.x - inset && p.y > lo.y + inset && p.y < hi.y - inset &&
               p.z > lo.z + inset && p.z < hi.z - inset;
    }
    // True when (x, z) lies inside the box's ground plan by more than inset.
    bool ContainsPlan(float x, float z, float inset = 0.0f) const {
        return x > lo.x + inset && x < hi.x - inset && z > lo.z + inset && z < hi.z - inset;
    }
    // The boxes share a volume deeper than tolerance on every axis.
    bool Overlaps(const Aabb& o, float tolerance) const {
        return Depth(lo.x, hi.x, o.lo.x, o.hi.x) > tolerance && Depth(lo.y, hi.y, o.lo.y, o.hi.y) > tolerance &&
               Depth(lo.z, hi.z, o.lo.z, o.hi.z) > tolerance;
    }
    // The shared part of two boxes (empty or inverted when they do not meet).
    Aabb Intersection(const Aabb& o) const {
        return {{std::max(lo.x, o.lo.x), std::max(lo.y, o.lo.y), std::max(lo.z, o.lo.z)},
                {std::min(hi.x, o.hi.x), std::min(hi.y, o.hi.y), std::min(hi.z, o.hi.z)}};
    }
    void Grow(const D3DXVECTOR3& p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    static Aabb Around(const D3DXVECTOR3& p) { return {p, p}; }

private:
    static float Depth(float a0, float a1, float b0, float b1) { return std::min(a1, b1) - std::max(a0, b0); }
};
