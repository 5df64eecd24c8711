#include "tools/xmodels/MapPieces.h"

#include <algorithm>

namespace xmodels {
namespace {

// Which side of the cuts a coordinate lies: the number of cuts at or below it.
size_t Band(const std::vector<float>& cuts, float v) {
    return static_cast<size_t>(std::upper_bound(cuts.begin(), cuts.end(), v) - cuts.begin());
}

// True when some cut lies strictly between the face's least and greatest coordinate.
bool Crosses(const std::vector<float>& cuts, float lo, float hi) {
    return std::any_of(cuts.begin(), cuts.end(), [&](float c) { return lo < c && c < hi; });
}

size_t PieceOf(const XMesh& mesh, const std::array<uint32_t, 3>& face, const FloorPlanCuts& cuts) {
    const D3DXVECTOR3& a = mesh.positions[face[0]];
    const D3DXVECTOR3& b = mesh.positions[face[1]];
    const D3DXVECTOR3& c = mesh.positions[face[2]];
    const float x0 = std::min({a.x, b.x, c.x}), x1 = std::max({a.x, b.x, c.x});
    const float z0 = std::min({a.z, b.z, c.z}), z1 = std::max({a.z, b.z, c.z});
    if (Crosses(cuts.x, x0, x1) || Crosses(cuts.z, z0, z1)) return 0;
    const D3DXVECTOR3 centre = (a + b + c) / 3.0f;
    return 1 + Band(cuts.z, centre.z) * (cuts.x.size() + 1) + Band(cuts.x, centre.x);
}

// The faces listed, with the vertices and materials they use renumbered in their first order.
XMesh Gather(const XMesh& whole, const std::vector<size_t>& faces, const std::string& name) {
    XMesh piece;
    piece.name = name;
    std::vector<bool> usedVertex(whole.positions.size()), usedMaterial(whole.materials.size());
    for (size_t f : faces) {
        for (uint32_t v : whole.faces[f]) usedVertex[v] = true;
        usedMaterial[whole.faceMaterials[f]] = true;
    }
    std::vector<uint32_t> vertexAt(whole.positions.size()), materialAt(whole.materials.size());
    for (size_t v = 0; v < usedVertex.size(); ++v) {
        if (!usedVertex[v]) continue;
        vertexAt[v] = static_cast<uint32_t>(piece.positions.size());
        piece.positions.push_back(whole.positions[v]);
        piece.normals.push_back(whole.normals[v]);
        piece.uvs.push_back(whole.uvs[v]);
    }
    for (size_t m = 0; m < usedMaterial.size(); ++m) {
        if (!usedMaterial[m]) continue;
        materialAt[m] = static_cast<uint32_t>(piece.materials.size());
        piece.materials.push_back(whole.materials[m]);
    }
    for (size_t f : faces) {
        const auto& face = whole.faces[f];
        piece.faces.push_back({vertexAt[face[0]], vertexAt[face[1]], vertexAt[face[2]]});
        piece.faceMaterials.push_back(materialAt[whole.faceMaterials[f]]);
    }
    return piece;
}

}  // namespace

std::vector<XModel> CutMap(const XModel& whole, const FloorPlanCuts& cuts) {
    const XFrame& frame = whole.frames.at(0);
    const XMesh& mesh = frame.meshes.at(0);
    std::vector<std::vector<size_t>> faces(cuts.PieceCount());
    for (size_t f = 0; f < mesh.faces.size(); ++f) faces[PieceOf(mesh, mesh.faces[f], cuts)].push_back(f);
    std::vector<XModel> pieces;
    for (size_t k = 0; k < faces.size(); ++k) {
        const std::string name = frame.name + "_" + std::to_string(k);
        pieces.push_back({{{name, frame.transform, {Gather(mesh, faces[k], name)}, {}}}, 0, {}});
    }
    return pieces;
}

bool WriteMapPieces(const std::string& stem, const XModel& whole, const FloorPlanCuts& cuts) {
    const std::vector<XModel> pieces = CutMap(whole, cuts);
    for (size_t k = 0; k < pieces.size(); ++k)
        if (pieces[k].frames[0].meshes[0].faces.empty() || !WriteX(stem + "_" + std::to_string(k) + ".x", pieces[k]))
            return false;
    return true;
}

}  // namespace xmodels
