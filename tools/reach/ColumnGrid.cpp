#include "tools/reach/ColumnGrid.h"

#include <algorithm>
#include <cmath>

#include "platform/d3dx/Mesh.h"

namespace reach {
namespace {

constexpr int kSamples = 3;  // rays per cell along each axis
constexpr float kJoin = 0.3f;

struct Crossing {
    float y;
    int sign;  // +1 a face looking up (solid below it), -1 one looking down
};

struct Triangle {
    D3DXVECTOR3 a, b, c;
    int sign;
};

// Where the vertical line through (x, z) meets the triangle, if it does.
bool HeightAt(const Triangle& t, float x, float z, float& y) {
    const float d = (t.b.x - t.a.x) * (t.c.z - t.a.z) - (t.c.x - t.a.x) * (t.b.z - t.a.z);
    if (std::fabs(d) < 1e-9f) return false;
    const float u = ((x - t.a.x) * (t.c.z - t.a.z) - (t.c.x - t.a.x) * (z - t.a.z)) / d;
    const float v = ((t.b.x - t.a.x) * (z - t.a.z) - (x - t.a.x) * (t.b.z - t.a.z)) / d;
    if (u < 0 || v < 0 || u + v > 1) return false;
    y = t.a.y + u * (t.b.y - t.a.y) + v * (t.c.y - t.a.y);
    return true;
}

// Solid spans along one vertical line from its crossings, top down: a face looking up opens a
// solid, one looking down closes it; overlapping solids nest.
std::vector<Span> SpansOf(std::vector<Crossing>& crossings, float openBottom) {
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& p, const Crossing& q) { return p.y > q.y; });
    std::vector<Span> out;
    int depth = 0;
    float top = 0;
    for (const Crossing& c : crossings) {
        const int before = depth;
        depth = std::max(0, depth + c.sign);
        if (before == 0 && depth > 0) top = c.y;
        if (before > 0 && depth == 0) out.push_back({c.y, top});
    }
    if (depth > 0) out.push_back({openBottom, top});
    return out;
}

}  // namespace

ColumnGrid::ColumnGrid(float x0, float z0, float x1, float z1, float cell)
    : x0(x0), z0(z0), cell(cell),
      nx(std::max(1, static_cast<int>(std::ceil((x1 - x0) / cell)))),
      nz(std::max(1, static_cast<int>(std::ceil((z1 - z0) / cell)))),
      spans(static_cast<size_t>(nx) * static_cast<size_t>(nz)) {}

D3DXVECTOR2 ColumnGrid::Centre(int i, int j) const {
    return {x0 + (static_cast<float>(i) + 0.5f) * cell, z0 + (static_cast<float>(j) + 0.5f) * cell};
}

bool ColumnGrid::Cell(float x, float z, int& i, int& j) const {
    i = static_cast<int>(std::floor((x - x0) / cell));
    j = static_cast<int>(std::floor((z - z0) / cell));
    return i >= 0 && j >= 0 && i < nx && j < nz;
}

void ColumnGrid::Merge(int i, int j, Span s) {
    std::vector<Span>& list = spans[Index(i, j)];
    std::vector<Span> kept;
    for (const Span& o : list) {
        // Solids closer than the player's smallest fit count as one (a door under its lintel).
        if (o.hi < s.lo - kJoin || o.lo > s.hi + kJoin) kept.push_back(o);
        else s = {std::min(s.lo, o.lo), std::max(s.hi, o.hi)};
    }
    kept.push_back(s);
    std::sort(kept.begin(), kept.end(), [](const Span& p, const Span& q) { return p.lo < q.lo; });
    list = std::move(kept);
}

void ColumnGrid::AddMesh(const ID3DXMesh& mesh, const D3DXMATRIX& world, float openBottom) {
    const std::vector<MeshVertex>& vertices = mesh.Vertices();
    const std::vector<uint16_t>& indices = mesh.Indices();
    std::vector<Triangle> triangles;
    float minX = 1e9f, minZ = 1e9f, maxX = -1e9f, maxZ = -1e9f;
    for (size_t f = 0; f + 2 < indices.size(); f += 3) {
        D3DXVECTOR3 p[3], n(0, 0, 0);
        for (int k = 0; k < 3; ++k) {
            if (indices[f + k] >= vertices.size()) return;
            const MeshVertex& v = vertices[indices[f + k]];
            D3DXVec3TransformCoord(&p[k], &v.position, &world);
            D3DXVECTOR3 turned;
            D3DXVec3TransformNormal(&turned, &v.normal, &world);
            n += turned;
            minX = std::min(minX, p[k].x), maxX = std::max(maxX, p[k].x);
            minZ = std::min(minZ, p[k].z), maxZ = std::max(maxZ, p[k].z);
        }
        if (std::fabs(n.y) < 0.3f * D3DXVec3Length(&n)) continue;  // upright faces cross no vertical line
        triangles.push_back({p[0], p[1], p[2], n.y > 0 ? 1 : -1});
    }
    int i0, j0, i1, j1;
    Cell(minX, minZ, i0, j0);
    Cell(maxX, maxZ, i1, j1);
    std::vector<Crossing> crossings;
    for (int j = std::max(0, j0); j <= std::min(nz - 1, j1); ++j)
        for (int i = std::max(0, i0); i <= std::min(nx - 1, i1); ++i)
            for (int s = 0; s < kSamples * kSamples; ++s) {
                const D3DXVECTOR2 c = Centre(i, j);
                const float x = c.x + cell * (static_cast<float>(s % kSamples) - 1) / kSamples;
                const float z = c.y + cell * (static_cast<float>(s / kSamples) - 1) / kSamples;
                crossings.clear();
                float y;
                for (const Triangle& t : triangles)
                    if (HeightAt(t, x, z, y)) crossings.push_back({y, t.sign});
                for (const Span& span : SpansOf(crossings, openBottom)) Merge(i, j, span);
            }
}

void ColumnGrid::AddBlock(const D3DXVECTOR3& lo, const D3DXVECTOR3& hi) {
    int i0, j0, i1, j1;
    Cell(lo.x, lo.z, i0, j0);
    Cell(hi.x - 1e-4f, hi.z - 1e-4f, i1, j1);
    for (int j = std::max(0, j0); j <= std::min(nz - 1, j1); ++j)
        for (int i = std::max(0, i0); i <= std::min(nx - 1, i1); ++i) Merge(i, j, {lo.y, hi.y});
}

float ColumnGrid::TopBelow(int i, int j, float y) const {
    float best = kNone;
    for (const Span& s : At(i, j))
        if (s.hi <= y) best = std::max(best, s.hi);
    return best;
}

bool ColumnGrid::SolidAt(int i, int j, float y) const {
    for (const Span& s : At(i, j))
        if (s.lo < y && y < s.hi) return true;
    return false;
}

float ColumnGrid::CeilingAbove(int i, int j, float y) const {
    float best = 1e9f;
    for (const Span& s : At(i, j))
        if (s.lo >= y) best = std::min(best, s.lo);
    return best;
}

}  // namespace reach
