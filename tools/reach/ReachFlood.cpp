#include "tools/reach/ReachFlood.h"

#include <cmath>
#include <deque>

namespace reach {
namespace {

constexpr float kWallRayGround = 0.7f;
constexpr float kWallRayAir = 0.1f;
constexpr float kGroundProbe = 2.0f;
constexpr float kAirProbe = 0.2f;
constexpr float kHead = 1.7f;
constexpr float kJumpSpeed = 0.3f;
constexpr float kGravity = 0.015f;
constexpr float kWalk = 0.07f;
constexpr float kIceAir = 0.175f;
constexpr float kSame = 0.05f;  // heights closer than this are one spot
constexpr int kDirections = 16;
constexpr int kMaxFrames = 400;

class Flooder {
public:
    Flooder(const ColumnGrid& grid, bool ice) : grid(grid), ice(ice), seen(grid.Columns() * grid.Rows()) {}

    FloodResult Run(const D3DXVECTOR3& start) {
        int i, j;
        if (!grid.Cell(start.x, start.z, i, j)) return result;
        Visit(i, j, grid.TopBelow(i, j, start.y + kGroundProbe));
        while (!queue.empty()) {
            const Spot s = queue.front();
            queue.pop_front();
            Walk(s);
            for (int d = 0; d < kDirections; ++d) {
                const float a = 6.2831853f * static_cast<float>(d) / kDirections;
                Jump(s, std::cos(a), std::sin(a), kWalk);
                if (ice) Jump(s, std::cos(a), std::sin(a), kIceAir);
            }
        }
        return result;
    }

private:
    void Visit(int i, int j, float y) {
        if (y <= ColumnGrid::kNone) {
            result.escapes.push_back({i, j, y});
            return;
        }
        std::vector<float>& heights = seen[j * grid.Columns() + i];
        for (float h : heights)
            if (std::fabs(h - y) < kSame) return;
        heights.push_back(y);
        result.reached.push_back({i, j, y});
        queue.push_back({i, j, y});
    }

    bool Inside(int i, int j) const { return i >= 0 && j >= 0 && i < grid.Columns() && j < grid.Rows(); }

    void Walk(const Spot& s) {
        const float ray = s.y + kWallRayGround;
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di) {
                const int i = s.i + di, j = s.j + dj;
                if ((di == 0 && dj == 0) || !Inside(i, j) || grid.SolidAt(i, j, ray)) continue;
                // No cutting a corner between two solids.
                if (di && dj && (grid.SolidAt(s.i + di, s.j, ray) || grid.SolidAt(s.i, s.j + dj, ray))) continue;
                Visit(i, j, grid.TopBelow(i, j, s.y + kGroundProbe));
            }
    }

    // One jump in a straight line at full speed, with the chance to stop and drop at every frame.
    void Jump(const Spot& s, float dx, float dz, float speed) {
        D3DXVECTOR2 at = grid.Centre(s.i, s.j);
        int i = s.i, j = s.j;
        float y = s.y, rise = kJumpSpeed;
        for (int frame = 0; frame < kMaxFrames; ++frame) {
            float next = y + rise;
            const float head = y + kHead, ceiling = grid.CeilingAbove(i, j, head);
            if (rise > 0 && ceiling - head < rise) next = y, rise = 0;
            const float ground = grid.TopBelow(i, j, y + kAirProbe);
            if (ground > ColumnGrid::kNone && ground + 0.01f >= next) {
                Visit(i, j, ground);
                return;
            }
            if (ground <= ColumnGrid::kNone && next < s.y - 10) {
                Visit(i, j, ground);
                return;
            }
            y = next;
            rise -= kGravity;
            Step(at, i, j, y + kWallRayAir, dx * speed, dz * speed);
            const float below = grid.TopBelow(i, j, y + kWallRayAir);
            if (below > ColumnGrid::kNone && (i != s.i || j != s.j)) Visit(i, j, below);
        }
    }

    // Moves along the wall: a blocked step keeps whichever of its two parts is free.
    void Step(D3DXVECTOR2& at, int& i, int& j, float ray, float dx, float dz) {
        for (const D3DXVECTOR2 d : {D3DXVECTOR2(dx, dz), D3DXVECTOR2(dx, 0), D3DXVECTOR2(0, dz)}) {
            if (d.x == 0 && d.y == 0) continue;
            int ni, nj;
            if (!grid.Cell(at.x + d.x, at.y + d.y, ni, nj)) {
                result.escapes.push_back({i, j, ray});  // off the floor plan altogether
                return;
            }
            if (grid.SolidAt(ni, nj, ray)) continue;
            at += d;
            i = ni, j = nj;
            return;
        }
    }

    const ColumnGrid& grid;
    bool ice;
    std::vector<std::vector<float>> seen;
    std::deque<Spot> queue;
    FloodResult result;
};

}  // namespace

FloodResult Flood(const ColumnGrid& grid, const D3DXVECTOR3& start, bool ice) { return Flooder(grid, ice).Run(start); }

}  // namespace reach
