#include "platform/d3dx/RayTree.h"

#include <algorithm>
#include <cmath>

#include "platform/d3dx/RayTriangle.h"

namespace platform {

namespace {

constexpr uint32_t kLeafFaces = 4;  // a node this small is not split
constexpr int kBins = 12;           // split candidates per node along its widest axis
constexpr int kMedianDepth = 40;    // below this depth nodes split at the median: bounds the stack
constexpr int kStackSize = 128;

// A face while the tree is built: its box, its centre and where it came from.
struct BuildFace {
    float lo[3], hi[3], c[3];
    uint32_t source;
};

struct Box {
    float lo[3] = {INFINITY, INFINITY, INFINITY};
    float hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    void Grow(const float* l, const float* h) {
        for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], l[a]), hi[a] = std::max(hi[a], h[a]);
    }
    float Area() const {
        if (lo[0] > hi[0]) return 0.0f;
        const float x = hi[0] - lo[0], y = hi[1] - lo[1], z = hi[2] - lo[2];
        return x * y + y * z + z * x;
    }
};

class Builder {
public:
    Builder(std::vector<MeshRayTree::Node>& nodes, std::vector<BuildFace>& faces) : nodes(nodes), faces(faces) {}

    void Split(uint32_t node, uint32_t first, uint32_t count, int depth) {
        Box box, centres;
        for (uint32_t i = first; i < first + count; ++i) {
            box.Grow(faces[i].lo, faces[i].hi);
            centres.Grow(faces[i].c, faces[i].c);
        }
        std::copy(box.lo, box.lo + 3, nodes[node].lo);
        std::copy(box.hi, box.hi + 3, nodes[node].hi);
        nodes[node].first = first;
        nodes[node].count = count;
        if (count <= kLeafFaces) return;
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (centres.hi[a] - centres.lo[a] > centres.hi[axis] - centres.lo[axis]) axis = a;
        const float from = centres.lo[axis], extent = centres.hi[axis] - from;
        uint32_t middle = first;
        if (extent > 0.0f && depth < kMedianDepth) middle = SurfaceAreaSplit(first, count, axis, from, extent);
        if (middle == first || middle == first + count) {
            // No useful cut by area (or too deep): halve the faces by their centres.
            middle = first + count / 2;
            std::nth_element(faces.begin() + first, faces.begin() + middle, faces.begin() + first + count,
                             [axis](const BuildFace& a, const BuildFace& b) { return a.c[axis] < b.c[axis]; });
        }
        const uint32_t left = static_cast<uint32_t>(nodes.size());
        nodes.resize(nodes.size() + 2);
        nodes[node].first = left;
        nodes[node].count = 0;
        Split(left, first, middle - first, depth + 1);
        Split(left + 1, middle, first + count - middle, depth + 1);
    }

private:
    int BinOf(const BuildFace& f, int axis, float from, float extent) const {
        const int bin = static_cast<int>((f.c[axis] - from) / extent * kBins);
        return std::clamp(bin, 0, kBins - 1);
    }

    // Binned surface-area heuristic: returns where the faces were partitioned, or `first` when keeping
    // the node whole is cheaper than any cut.
    uint32_t SurfaceAreaSplit(uint32_t first, uint32_t count, int axis, float from, float extent) {
        Box bins[kBins];
        uint32_t counts[kBins] = {};
        for (uint32_t i = first; i < first + count; ++i) {
            const int b = BinOf(faces[i], axis, from, extent);
            bins[b].Grow(faces[i].lo, faces[i].hi);
            ++counts[b];
        }
        float rightArea[kBins];
        uint32_t rightCount[kBins];
        Box grow;
        uint32_t n = 0;
        for (int b = kBins - 1; b > 0; --b) {
            grow.Grow(bins[b].lo, bins[b].hi);
            n += counts[b];
            rightArea[b] = grow.Area();
            rightCount[b] = n;
        }
        Box leftBox;
        uint32_t leftCount = 0;
        float bestCost = INFINITY;
        int bestCut = 0;
        for (int cut = 1; cut < kBins; ++cut) {
            leftBox.Grow(bins[cut - 1].lo, bins[cut - 1].hi);
            leftCount += counts[cut - 1];
            if (leftCount == 0 || rightCount[cut] == 0) continue;
            const float cost = leftBox.Area() * static_cast<float>(leftCount) +
                               rightArea[cut] * static_cast<float>(rightCount[cut]);
            if (cost < bestCost) bestCost = cost, bestCut = cut;
        }
        if (bestCut == 0) return first;
        const auto end = std::partition(faces.begin() + first, faces.begin() + first + count,
                                        [&](const BuildFace& f) { return BinOf(f, axis, from, extent) < bestCut; });
        return static_cast<uint32_t>(end - faces.begin());
    }

    std::vector<MeshRayTree::Node>& nodes;
    std::vector<BuildFace>& faces;
};

// A face whose corners (nearly) lie on one line. The face test divides by almost nothing there, so it
// may report a hit anywhere along the ray, far outside the face's box: such faces are kept out of the
// tree and tested on every query, as the scan would.
bool Sliver(const D3DXVECTOR3& p0, const D3DXVECTOR3& p1, const D3DXVECTOR3& p2) {
    const D3DXVECTOR3 e1 = p1 - p0, e2 = p2 - p0, n = RayCross(e1, e2);
    return RayDot(n, n) <= 1e-6f * RayDot(e1, e1) * RayDot(e2, e2);
}

}  // namespace

MeshRayTree::MeshRayTree(const std::vector<MeshVertex>& vertices, const std::vector<uint16_t>& indices) {
    std::vector<BuildFace> build;
    build.reserve(indices.size() / 3);
    for (size_t f = 0; f + 2 < indices.size(); f += 3) {
        const uint16_t i0 = indices[f], i1 = indices[f + 1], i2 = indices[f + 2];
        if (i0 >= vertices.size() || i1 >= vertices.size() || i2 >= vertices.size()) continue;
        const D3DXVECTOR3* p[3] = {&vertices[i0].position, &vertices[i1].position, &vertices[i2].position};
        BuildFace face;
        for (int a = 0; a < 3; ++a) {
            const float x = (*p[0])[a], y = (*p[1])[a], z = (*p[2])[a];
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) finite = false;
            face.lo[a] = std::min({x, y, z});
            face.hi[a] = std::max({x, y, z});
            face.c[a] = 0.5f * (face.lo[a] + face.hi[a]);
            scale = std::max({scale, std::fabs(x), std::fabs(y), std::fabs(z)});
        }
        face.source = static_cast<uint32_t>(f);
        if (Sliver(*p[0], *p[1], *p[2]))
            loose.push_back({*p[0], *p[1], *p[2], static_cast<DWORD>(f / 3)});
        else
            build.push_back(face);
    }
    if (!finite) return;
    if (build.empty()) {
        // Nothing but slivers: they are all tested on every query, so the tree keeps one empty leaf.
        if (!loose.empty()) nodes.push_back({{0, 0, 0}, 0, {-1, -1, -1}, 0});
        return;
    }
    nodes.reserve(2 * build.size());
    nodes.resize(1);
    Builder(nodes, build).Split(0, 0, static_cast<uint32_t>(build.size()), 0);
    faces.reserve(build.size());
    for (const BuildFace& f : build)
        faces.push_back({vertices[indices[f.source]].position, vertices[indices[f.source + 1]].position,
                         vertices[indices[f.source + 2]].position, static_cast<DWORD>(f.source / 3)});
}

MeshRayTree::Result MeshRayTree::Nearest(const D3DXVECTOR3& origin, const D3DXVECTOR3& direction,
                                         RayHit& hit) const {
    if (!finite) return Result::AskScan;
    if (nodes.empty()) return Result::Miss;
    float inv[3];
    bool still[3];  // the ray does not move along this axis
    float reach = 0;
    for (int a = 0; a < 3; ++a) {
        if (!std::isfinite(origin[a]) || !std::isfinite(direction[a])) return Result::AskScan;
        still[a] = direction[a] == 0.0f;
        inv[a] = still[a] ? 0.0f : 1.0f / direction[a];
        if (!std::isfinite(inv[a])) return Result::AskScan;
        reach = std::max(reach, std::fabs(origin[a]));
    }
    // Boxes are widened by far more than the rounding of the face test, so that a hit the test
    // reports never lies outside the box that holds its face, nor before the box's entry distance.
    const float pad = 1e-4f * (scale + reach);
    bool found = false;
    float best = INFINITY;
    bool unsure = false;
    auto consider = [&](const Face& f) {
        float u, v, t;
        if (!RayTriangle(f.p0, f.p1, f.p2, origin, direction, u, v, t)) return;
        if (std::isnan(u) || std::isnan(v) || std::isnan(t)) unsure = true;
        // Equal distances: the lowest face number, the one the scan over every face keeps.
        if (found && (t > best || (t == best && f.index > hit.face))) return;
        found = true;
        best = t;
        hit = {f.index, u, v, t};
    };
    for (const Face& f : loose) consider(f);
    if (unsure) return Result::AskScan;
    // Entry distance of the ray into a node's widened box, or a negative number when it misses the
    // box or enters it beyond the best hit so far.
    auto enter = [&](const Node& n) {
        float t0 = 0.0f, t1 = best;
        for (int a = 0; a < 3; ++a) {
            const float lo = n.lo[a] - pad, hi = n.hi[a] + pad;
            if (still[a]) {
                if (origin[a] < lo || origin[a] > hi) return -1.0f;
                continue;
            }
            float near = (lo - origin[a]) * inv[a], far = (hi - origin[a]) * inv[a];
            if (inv[a] < 0.0f) std::swap(near, far);
            t0 = std::max(t0, near);
            t1 = std::min(t1, far);
        }
        return t0 <= t1 ? t0 : -1.0f;
    };
    struct Entry {
        uint32_t node;
        float t;
    };
    Entry stack[kStackSize];
    int top = 0;
    const float rootT = enter(nodes[0]);
    if (rootT < 0.0f) return found ? Result::Hit : Result::Miss;
    stack[top++] = {0, rootT};
    while (top > 0) {
        const Entry e = stack[--top];
        if (e.t > best) continue;
        const Node& n = nodes[e.node];
        if (n.count > 0) {
            for (uint32_t i = n.first; i < n.first + n.count; ++i) consider(faces[i]);
            if (unsure) return Result::AskScan;
            continue;
        }
        const float tl = enter(nodes[n.first]), tr = enter(nodes[n.first + 1]);
        const bool leftFirst = tl <= tr;
        const Entry nearEntry{leftFirst ? n.first : n.first + 1, leftFirst ? tl : tr};
        const Entry farEntry{leftFirst ? n.first + 1 : n.first, leftFirst ? tr : tl};
        if (farEntry.t >= 0.0f) stack[top++] = farEntry;
        if (nearEntry.t >= 0.0f) stack[top++] = nearEntry;
    }
    return found ? Result::Hit : Result::Miss;
}

}  // namespace platform
