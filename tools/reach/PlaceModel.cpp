#include "tools/reach/PlaceModel.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "loading/ObjectPlacement.h"
#include "platform/d3dx/Mesh.h"
#include "platform/d3dx/XFile.h"

namespace reach {
namespace {

constexpr float kCell = 0.25f;
constexpr float kDegreesToRadians = 0.017453f;

// The value of `Key(...)` among a line's parameters, empty when absent.
std::string Field(const std::vector<std::string>& params, const std::string& key) {
    for (const std::string& p : params)
        if (p.rfind(key + "(", 0) == 0 && p.back() == ')') return p.substr(key.size() + 1, p.size() - key.size() - 2);
    return "";
}

bool Triple(const std::string& text, D3DXVECTOR3& v) {
    std::istringstream in(text);
    char c1 = 0, c2 = 0;
    return static_cast<bool>(in >> v.x >> c1 >> v.y >> c2 >> v.z) && c1 == ',' && c2 == ',';
}

// Objects the player's rays pass through: itself, the sky and lights, ice launchers, and the goal,
// whose touch ends the stage.
bool Solid(const std::string& cls) { return cls != "Player" && cls != "CLauncher" && cls != "CGoal"; }

struct Loaded {
    ID3DXMesh* mesh = nullptr;
    ~Loaded() {
        if (mesh) mesh->Release();
    }
};

bool AddMeshFile(ColumnGrid& grid, const std::string& path, const D3DXMATRIX& world, float openBottom, float* top) {
    Loaded loaded;
    if (D3DXLoadMeshFromXA(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, &loaded.mesh) != D3D_OK ||
        !loaded.mesh)
        return false;
    grid.AddMesh(*loaded.mesh, world, openBottom);
    if (top)
        for (const MeshVertex& v : loaded.mesh->Vertices()) *top = std::max(*top, v.position.y + world._42);
    return true;
}

D3DXMATRIX Placement(const std::vector<std::string>& params, D3DXVECTOR3& at) {
    at = {0, 0, 0};
    D3DXVECTOR3 angle(0, 0, 0);
    Triple(Field(params, "Pos"), at);
    Triple(Field(params, "Angle"), angle);
    D3DXMATRIX rotation, move;
    D3DXMatrixRotationYawPitchRoll(&rotation, angle.y * kDegreesToRadians, angle.x * kDegreesToRadians,
                                   angle.z * kDegreesToRadians);
    D3DXMatrixTranslation(&move, at.x, at.y, at.z);
    return rotation * move;
}

}  // namespace

PlaceModel LoadPlace(const std::string& root, const PlaceRules& rules, size_t open) {
    PlaceModel model;
    const Area& b = rules.bounds;
    model.grid = std::make_unique<ColumnGrid>(b.x0, b.z0, b.x1, b.z1, kCell);
    std::ifstream in(root + "/" + rules.placement);
    int door = -1;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string cls;
        std::vector<std::string> params;
        if (!ParsePlacementLine(line, cls, params)) continue;
        D3DXVECTOR3 at;
        const D3DXMATRIX world = Placement(params, at);
        if (cls == "Player") {
            model.start = at;
            model.hasStart = true;
        }
        if (cls == "CDoor") {
            ++door;
            bool opened = false;
            for (size_t k = 0; k < open && k < rules.gates.size(); ++k) opened |= rules.gates[k].door == door;
            if (opened) continue;
        }
        if (!Solid(cls)) continue;
        const bool map = cls == "Map";
        const std::string mesh = Field(params, map || cls == "CStoneStatue" ? "ColMesh" : "Mesh");
        if (mesh.empty()) continue;  // the sky: nothing to stand on inside the walls
        float* top = cls == "CStoneStatue" ? &model.statueTop : nullptr;
        const float bottom = map ? ColumnGrid::kOpenBottom : at.y;
        model.solids += AddMeshFile(*model.grid, root + "/" + mesh, world, bottom, top);
    }
    for (size_t k = open; k < rules.gates.size(); ++k) {
        const Gate& g = rules.gates[k];
        if (!g.blocks) continue;
        D3DXVECTOR3 hi = g.blockHi;
        if (g.statueHigh) hi.y = model.statueTop;
        model.grid->AddBlock(g.blockLo, hi);
    }
    return model;
}

}  // namespace reach
