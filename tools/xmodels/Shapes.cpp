#include "tools/xmodels/Shapes.h"

#include <cmath>

namespace xmodels {
namespace {

float& Axis(D3DXVECTOR3& v, int axis) { return (&v.x)[axis]; }
float Axis(const D3DXVECTOR3& v, int axis) { return (&v.x)[axis]; }

D3DXVECTOR3 Unit(int axis, float sign) {
    D3DXVECTOR3 v(0, 0, 0);
    Axis(v, axis) = sign;
    return v;
}

D3DXVECTOR3 Normalized(D3DXVECTOR3 v) {
    D3DXVec3Normalize(&v, &v);
    return v;
}

// Texture coordinates of a point on a face whose normal runs along `axis`: the other two coordinates.
D3DXVECTOR2 FaceUv(const D3DXVECTOR3& p, int axis, float perUnit) {
    return {Axis(p, (axis + 1) % 3) * perUnit, -Axis(p, (axis + 2) % 3) * perUnit};
}

}  // namespace

D3DXMATRIX Place(const D3DXMATRIX& rotation, const D3DXVECTOR3& at) {
    D3DXMATRIX move;
    D3DXMatrixTranslation(&move, at.x, at.y, at.z);
    return rotation * move;
}

D3DXMATRIX RotationX(float radians) {
    D3DXMATRIX m;
    D3DXMatrixRotationX(&m, radians);
    return m;
}

D3DXMATRIX RotationY(float radians) {
    D3DXMATRIX m;
    D3DXMatrixRotationY(&m, radians);
    return m;
}

D3DXMATRIX RotationZ(float radians) {
    D3DXMATRIX m;
    D3DXMatrixRotationZ(&m, radians);
    return m;
}

XModel SingleModel(const std::string& name, const MeshBuilder& builder) {
    return {{{name, Identity(), {builder.Build()}, {}}}, 0, {}};
}

void AddBevelBox(MeshBuilder& b, const D3DXVECTOR3& c, const D3DXVECTOR3& h, float bevel, float uvPerUnit) {
    const D3DXVECTOR3 inner = h - D3DXVECTOR3(bevel, bevel, bevel);
    auto vertex = [&](const D3DXVECTOR3& offset, const D3DXVECTOR3& normal, int uvAxis) {
        const D3DXVECTOR3 p = c + offset;
        return BuildVertex{p, normal, FaceUv(p, uvAxis, uvPerUnit)};
    };
    // The six faces, each shrunk by the bevel on its sides.
    for (int a = 0; a < 3; ++a)
        for (float s : {-1.0f, 1.0f}) {
            const int u = (a + 1) % 3, v = (a + 2) % 3;
            BuildVertex q[4];
            for (int k = 0; k < 4; ++k) {
                D3DXVECTOR3 o(0, 0, 0);
                Axis(o, a) = s * Axis(h, a);
                Axis(o, u) = (k == 1 || k == 2 ? 1 : -1) * Axis(inner, u);
                Axis(o, v) = (k >= 2 ? 1 : -1) * Axis(inner, v);
                q[k] = vertex(o, Unit(a, s), a);
            }
            b.AddQuad(q[0], q[1], q[2], q[3]);
        }
    // The twelve cut edges: between faces a and b, running along the third axis w.
    for (int a = 0; a < 3; ++a)
        for (int bb = a + 1; bb < 3; ++bb) {
            const int w = 3 - a - bb;
            for (float sa : {-1.0f, 1.0f})
                for (float sb : {-1.0f, 1.0f}) {
                    const D3DXVECTOR3 n = Normalized(Unit(a, sa) + Unit(bb, sb));
                    BuildVertex q[4];
                    for (int k = 0; k < 4; ++k) {
                        D3DXVECTOR3 o(0, 0, 0);
                        const bool onA = k == 0 || k == 3;
                        Axis(o, a) = sa * (onA ? Axis(h, a) : Axis(inner, a));
                        Axis(o, bb) = sb * (onA ? Axis(inner, bb) : Axis(h, bb));
                        Axis(o, w) = (k >= 2 ? 1 : -1) * Axis(inner, w);
                        q[k] = vertex(o, n, a);
                    }
                    b.AddQuad(q[0], q[1], q[2], q[3]);
                }
        }
    // The eight corners.
    for (int corner = 0; corner < 8; ++corner) {
        const D3DXVECTOR3 s(corner & 1 ? 1.0f : -1.0f, corner & 2 ? 1.0f : -1.0f, corner & 4 ? 1.0f : -1.0f);
        const D3DXVECTOR3 n = Normalized(s);
        BuildVertex t[3];
        for (int a = 0; a < 3; ++a) {
            D3DXVECTOR3 o;
            for (int k = 0; k < 3; ++k) Axis(o, k) = Axis(s, k) * (k == a ? Axis(h, k) : Axis(inner, k));
            t[a] = vertex(o, n, a);
        }
        b.AddTriangle(t[0], t[1], t[2]);
    }
}

void AddPlank(MeshBuilder& b, const D3DXVECTOR3& c, const D3DXVECTOR3& h, int grain, float uvOffset) {
    for (int a = 0; a < 3; ++a)
        for (float s : {-1.0f, 1.0f}) {
            const int u = (a + 1) % 3, v = (a + 2) % 3;
            // Along the grain one texture per unit, across it two, so the streaks stay long and thin.
            const int along = a == grain ? u : grain, across = 3 - a - along;
            BuildVertex q[4];
            for (int k = 0; k < 4; ++k) {
                D3DXVECTOR3 p = c;
                Axis(p, a) += s * Axis(h, a);
                Axis(p, u) += (k == 1 || k == 2 ? 1 : -1) * Axis(h, u);
                Axis(p, v) += (k >= 2 ? 1 : -1) * Axis(h, v);
                q[k] = {p, Unit(a, s), {Axis(p, along) + uvOffset, 2 * Axis(p, across) + 0.37f * uvOffset}};
            }
            b.AddQuad(q[0], q[1], q[2], q[3]);
        }
}

void AddRingZ(MeshBuilder& b, float radius, float tube, int segments, int sides) {
    auto vertex = [&](int i, int j) {
        const float a = 2 * D3DX_PI * i / segments, t = 2 * D3DX_PI * j / sides;
        const D3DXVECTOR3 n(std::cos(t) * std::cos(a), std::cos(t) * std::sin(a), std::sin(t));
        const float r = radius + tube * std::cos(t);
        return BuildVertex{{r * std::cos(a), r * std::sin(a), tube * std::sin(t)},
                           n,
                           {static_cast<float>(i) / segments, static_cast<float>(j) / sides}};
    };
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < sides; ++j) b.AddQuad(vertex(i, j), vertex(i + 1, j), vertex(i + 1, j + 1), vertex(i, j + 1));
}

void AddTube(MeshBuilder& b, float y0, float y1, float inner, float outer, int segments) {
    auto at = [&](float r, float y, int i, const D3DXVECTOR3& n) {
        const float a = 2 * D3DX_PI * (i % segments) / segments;
        const D3DXVECTOR3 p(r * std::cos(a), y, r * std::sin(a));
        return BuildVertex{p, n, {static_cast<float>(i) / segments, y1 - y}};
    };
    for (int i = 0; i < segments; ++i) {
        const float a0 = 2 * D3DX_PI * i / segments, a1 = 2 * D3DX_PI * (i + 1) / segments;
        const D3DXVECTOR3 out0(std::cos(a0), 0, std::sin(a0)), out1(std::cos(a1), 0, std::sin(a1));
        b.AddQuad(at(outer, y0, i, out0), at(outer, y0, i + 1, out1), at(outer, y1, i + 1, out1), at(outer, y1, i, out0));
        b.AddQuad(at(inner, y0, i, -out0), at(inner, y1, i, -out0), at(inner, y1, i + 1, -out1), at(inner, y0, i + 1, -out1));
        const D3DXVECTOR3 up(0, 1, 0), down(0, -1, 0);
        b.AddQuad(at(inner, y1, i, up), at(outer, y1, i, up), at(outer, y1, i + 1, up), at(inner, y1, i + 1, up));
        b.AddQuad(at(inner, y0, i, down), at(inner, y0, i + 1, down), at(outer, y0, i + 1, down), at(outer, y0, i, down));
    }
}

void AddArc(MeshBuilder& b, float r0, float r1, float a0, float a1, float halfDepth, int segments, uint32_t face,
            uint32_t side) {
    auto at = [&](float r, float a, float z, const D3DXVECTOR3& n) {
        const D3DXVECTOR3 p(r * std::cos(a), r * std::sin(a), z);
        return BuildVertex{p, n, {p.x, -p.y}};
    };
    for (int i = 0; i < segments; ++i) {
        const float a = a0 + (a1 - a0) * i / segments, e = a0 + (a1 - a0) * (i + 1) / segments;
        const D3DXVECTOR3 outA(std::cos(a), std::sin(a), 0), outE(std::cos(e), std::sin(e), 0);
        b.UseMaterial(face);
        for (float s : {-1.0f, 1.0f}) {
            const D3DXVECTOR3 n(0, 0, s);
            const float z = s * halfDepth;
            b.AddQuad(at(r0, a, z, n), at(r1, a, z, n), at(r1, e, z, n), at(r0, e, z, n));
        }
        b.UseMaterial(side);
        b.AddQuad(at(r1, a, -halfDepth, outA), at(r1, e, -halfDepth, outE), at(r1, e, halfDepth, outE),
                  at(r1, a, halfDepth, outA));
        b.AddQuad(at(r0, a, -halfDepth, -outA), at(r0, a, halfDepth, -outA), at(r0, e, halfDepth, -outE),
                  at(r0, e, -halfDepth, -outE));
    }
    if (a1 - a0 < 2 * D3DX_PI - 1e-3f) {  // close the ends of a part ring
        const D3DXVECTOR3 n0(std::sin(a0), -std::cos(a0), 0), n1(-std::sin(a1), std::cos(a1), 0);
        b.AddQuad(at(r0, a0, -halfDepth, n0), at(r1, a0, -halfDepth, n0), at(r1, a0, halfDepth, n0),
                  at(r0, a0, halfDepth, n0));
        b.AddQuad(at(r0, a1, -halfDepth, n1), at(r1, a1, -halfDepth, n1), at(r1, a1, halfDepth, n1),
                  at(r0, a1, halfDepth, n1));
    }
}

void AddDisc(MeshBuilder& b, float radius, int segments, bool up) {
    const D3DXVECTOR3 n(0, up ? 1.0f : -1.0f, 0);
    auto rim = [&](int i) {
        const float a = 2 * D3DX_PI * (i % segments) / segments;
        const float x = std::cos(a), z = std::sin(a);
        return BuildVertex{{radius * x, 0, radius * z}, n, {0.5f + 0.5f * (up ? x : -x), 0.5f - 0.5f * z}};
    };
    const BuildVertex centre{{0, 0, 0}, n, {0.5f, 0.5f}};
    for (int i = 0; i < segments; ++i) b.AddTriangle(centre, rim(i), rim(i + 1));
}

void AddGem(MeshBuilder& b, const D3DXVECTOR3& at, float radius, float height, const D3DXVECTOR3& axis, float lean) {
    D3DXMATRIX tilt;
    D3DXMatrixRotationAxis(&tilt, &axis, lean);
    b.SetPlacement(Place(tilt, at));
    b.AddEllipsoid({0, 0, 0}, {radius, height, radius}, 2, 4);
    b.SetPlacement(Identity());
}

}  // namespace xmodels
