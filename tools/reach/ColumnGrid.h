#pragma once
// A place's solids as seen from above: the floor plan cut into square cells, each cell holding the
// height spans that are solid over it. Meshes are cut by vertical rays at a few points inside every
// cell; a cell is solid wherever any of its points is, so thin things (doors, rails) are never
// missed between cell centres.
#include <vector>

#include "platform/math/D3DXMath.h"

class ID3DXMesh;

namespace reach {

struct Span {
    float lo, hi;
};

class ColumnGrid {
public:
    static constexpr float kNone = -1000.0f;  // no surface at all
    static constexpr float kOpenBottom = -100.0f;

    ColumnGrid(float x0, float z0, float x1, float z1, float cell);

    // Every face of the mesh moved by `world`. A mesh left open underneath (a floor quad) is solid
    // down to `openBottom`.
    void AddMesh(const ID3DXMesh& mesh, const D3DXMATRIX& world, float openBottom);
    // An axis-aligned solid block.
    void AddBlock(const D3DXVECTOR3& lo, const D3DXVECTOR3& hi);

    int Columns() const { return nx; }
    int Rows() const { return nz; }
    float CellSize() const { return cell; }
    D3DXVECTOR2 Centre(int i, int j) const;
    bool Cell(float x, float z, int& i, int& j) const;
    const std::vector<Span>& At(int i, int j) const { return spans[Index(i, j)]; }

    // The highest solid top at or below y (kNone when there is none).
    float TopBelow(int i, int j, float y) const;
    bool SolidAt(int i, int j, float y) const;
    // The lowest solid bottom above y (a large value when open to the sky).
    float CeilingAbove(int i, int j, float y) const;

private:
    int Index(int i, int j) const { return j * nx + i; }
    void Merge(int i, int j, Span s);

    float x0, z0, cell;
    int nx, nz;
    std::vector<std::vector<Span>> spans;
};

}  // namespace reach
