#include "tools/xmodels/MeshBuilder.h"

#include <cmath>

namespace xmodels {

uint32_t MeshBuilder::AddMaterial(const XMaterial& material) {
    mesh.materials.push_back(material);
    return static_cast<uint32_t>(mesh.materials.size() - 1);
}

uint32_t MeshBuilder::AddVertex(const BuildVertex& v) {
    D3DXVECTOR3 p, n;
    D3DXVec3TransformCoord(&p, &v.position, &placement);
    D3DXVec3TransformNormal(&n, &v.normal, &placement);
    D3DXVec3Normalize(&n, &n);
    mesh.positions.push_back(p);
    mesh.normals.push_back(n);
    mesh.uvs.push_back(v.uv);
    vertexBones.push_back(currentBone);
    return static_cast<uint32_t>(mesh.positions.size() - 1);
}

void MeshBuilder::AddTriangle(const BuildVertex& a, const BuildVertex& b, const BuildVertex& c) {
    // Clockwise seen from the front means cross(b - a, c - a) points the way the normals do.
    D3DXVECTOR3 e1 = b.position - a.position, e2 = c.position - a.position, cross;
    D3DXVec3Cross(&cross, &e1, &e2);
    const D3DXVECTOR3 n = a.normal + b.normal + c.normal;
    const bool flip = D3DXVec3Dot(&cross, &n) < 0;
    const uint32_t ia = AddVertex(a), ib = AddVertex(flip ? c : b), ic = AddVertex(flip ? b : c);
    mesh.faces.push_back({ia, ib, ic});
    mesh.faceMaterials.push_back(currentMaterial);
}

void MeshBuilder::AddQuad(const BuildVertex& a, const BuildVertex& b, const BuildVertex& c, const BuildVertex& d) {
    AddTriangle(a, b, c);
    AddTriangle(a, c, d);
}

void MeshBuilder::AddBox(const D3DXVECTOR3& c, const D3DXVECTOR3& h, float uvScale) {
    for (int axis = 0; axis < 3; ++axis)
        for (int side = -1; side <= 1; side += 2) {
            D3DXVECTOR3 n(0, 0, 0);
            float* nn = &n.x;
            nn[axis] = static_cast<float>(side);
            const int u = (axis + 1) % 3, v = (axis + 2) % 3;
            BuildVertex q[4];
            for (int k = 0; k < 4; ++k) {
                D3DXVECTOR3 offset(0, 0, 0);
                float* o = &offset.x;
                const float* half = &h.x;
                o[axis] = side * half[axis];
                o[u] = (k == 1 || k == 2 ? 1 : -1) * half[u];
                o[v] = (k >= 2 ? 1 : -1) * half[v];
                q[k] = {c + offset, n, D3DXVECTOR2((k == 1 || k == 2 ? 1.0f : 0.0f) * uvScale, (k >= 2 ? 0.0f : 1.0f) * uvScale)};
            }
            AddQuad(q[0], q[1], q[2], q[3]);
        }
}

void MeshBuilder::AddCylinder(const D3DXVECTOR3& base, float height, D3DXVECTOR2 r0, D3DXVECTOR2 r1,
                              int segments) {
    const D3DXVECTOR3 top = base + D3DXVECTOR3(0, height, 0);
    auto ring = [&](const D3DXVECTOR3& at, D3DXVECTOR2 r, int i) {
        const float a = 2.0f * D3DX_PI * static_cast<float>(i % segments) / static_cast<float>(segments);
        return at + D3DXVECTOR3(std::cos(a) * r.x, 0, std::sin(a) * r.y);
    };
    for (int i = 0; i < segments; ++i) {
        const float u0 = static_cast<float>(i) / segments, u1 = static_cast<float>(i + 1) / segments;
        const D3DXVECTOR3 a = ring(base, r0, i), b = ring(base, r0, i + 1), c = ring(top, r1, i + 1),
                          d = ring(top, r1, i);
        // Side normals lean up or down by the taper.
        D3DXVECTOR3 na = a - base, nb = b - base;
        D3DXVec3Normalize(&na, &na);
        D3DXVec3Normalize(&nb, &nb);
        na.y = nb.y = (r0.x - r1.x) / height;
        D3DXVec3Normalize(&na, &na);
        D3DXVec3Normalize(&nb, &nb);
        AddQuad({a, na, {u0, 1}}, {b, nb, {u1, 1}}, {c, nb, {u1, 0}}, {d, na, {u0, 0}});
        AddTriangle({base, {0, -1, 0}, {0.5f, 0.5f}}, {b, {0, -1, 0}, {u1, 1}}, {a, {0, -1, 0}, {u0, 1}});
        AddTriangle({top, {0, 1, 0}, {0.5f, 0.5f}}, {d, {0, 1, 0}, {u0, 0}}, {c, {0, 1, 0}, {u1, 0}});
    }
}

void MeshBuilder::AddEllipsoid(const D3DXVECTOR3& center, const D3DXVECTOR3& r, int rings, int segments,
                               float bumps) {
    auto point = [&](int ring, int seg, D3DXVECTOR3& normal) {
        const float theta = D3DX_PI * static_cast<float>(ring) / rings;
        const float phi = 2.0f * D3DX_PI * static_cast<float>(seg % segments) / segments;
        D3DXVECTOR3 unit(std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi));
        float k = 1.0f;
        if (bumps > 0 && ring > 0 && ring < rings)
            k += bumps * std::sin(7.0f * phi + 3.0f * theta) * std::cos(5.0f * theta - 2.0f * phi);
        normal = D3DXVECTOR3(unit.x / r.x, unit.y / r.y, unit.z / r.z);
        D3DXVec3Normalize(&normal, &normal);
        return center + D3DXVECTOR3(unit.x * r.x * k, unit.y * r.y * k, unit.z * r.z * k);
    };
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < segments; ++j) {
            BuildVertex q[4];
            const int ri[4] = {i, i, i + 1, i + 1}, sj[4] = {j, j + 1, j + 1, j};
            for (int k = 0; k < 4; ++k) {
                q[k].position = point(ri[k], sj[k], q[k].normal);
                q[k].uv = D3DXVECTOR2(static_cast<float>(sj[k]) / segments, static_cast<float>(ri[k]) / rings);
            }
            if (i > 0) AddTriangle(q[0], q[1], q[2]);
            if (i + 1 < rings) AddTriangle(q[0], q[2], q[3]);
        }
}

XMesh MeshBuilder::Build() const {
    XMesh out = mesh;
    std::map<std::string, size_t> index;
    for (uint32_t v = 0; v < vertexBones.size(); ++v) {
        const std::string& bone = vertexBones[v];
        if (bone.empty()) continue;
        auto [it, added] = index.try_emplace(bone, out.skin.size());
        if (added) {
            XSkinWeights weights;
            weights.bone = bone;
            auto pose = bindPose.find(bone);
            D3DXMATRIX world = pose != bindPose.end() ? pose->second : Identity();
            D3DXMatrixInverse(&weights.offset, nullptr, &world);
            out.skin.push_back(weights);
        }
        out.skin[it->second].vertices.push_back(v);
        out.skin[it->second].weights.push_back(1.0f);
    }
    return out;
}

}  // namespace xmodels
