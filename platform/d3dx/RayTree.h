#pragma once
// A bounding-volume hierarchy over the faces of one mesh, for nearest-hit ray queries. It answers
// exactly as the brute-force scan over every face: the same per-face test on the same vertex values,
// and among equal distances the lowest face number wins, which is the face the scan keeps.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/d3dx/MeshTypes.h"

namespace platform {

struct RayHit {
    DWORD face = 0;
    float u = 0, v = 0, dist = 0;
};

class MeshRayTree {
public:
    // Faces whose indices point past the vertices are left out, as the scan skips them.
    MeshRayTree(const std::vector<MeshVertex>& vertices, const std::vector<uint16_t>& indices);

    enum class Result { Miss, Hit, AskScan };
    // AskScan: the ray or a face's answer is not a finite number (a NaN direction, a face so thin that
    // its test divides by almost nothing); the scan's own order decides those, so the caller scans.
    Result Nearest(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction, RayHit& hit) const;

    size_t NodeCount() const { return nodes.size(); }
    size_t FaceCount() const { return faces.size() + loose.size(); }

    struct Node {
        float lo[3];
        uint32_t first;  // leaf: first face in `faces`; inner node: index of the left child (right = +1)
        float hi[3];
        uint32_t count;  // faces in a leaf; 0 for an inner node
    };
    struct Face {
        D3DXVECTOR3 p0, p1, p2;
        DWORD index;
    };

private:
    std::vector<Node> nodes;
    std::vector<Face> faces;  // in leaf order
    std::vector<Face> loose;  // slivers, tested on every query
    float scale = 0;          // largest coordinate magnitude: sets the box tolerance
    bool finite = true;       // false when a vertex is not a finite number: every query goes to the scan
};

}  // namespace platform
