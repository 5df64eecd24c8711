#include "objects/CharacterBase.h"

#include <algorithm>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "loading/TextData.h"
#include "shaders/ShaderManager.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

// "x,y,z" as three numbers; components past the given ones read as 0, non-numbers as 0. False when
// the value has no component at all.
bool ReadTriple(const std::string& value, D3DXVECTOR3& out) {
    std::vector<std::string> parts;
    Split(value, ",", parts);
    if (parts.empty()) return false;
    float v[3] = {0.0f, 0.0f, 0.0f};
    for (size_t i = 0; i < 3 && i < parts.size(); ++i) v[i] = ParseFloat(parts[i]);
    out = D3DXVECTOR3(v[0], v[1], v[2]);
    return true;
}

}  // namespace

bool SplitParam(const std::string& item, std::string& key, std::string& value) {
    const size_t open = item.find('(');
    if (open == std::string::npos) return false;
    key = item.substr(0, open);
    const size_t close = item.find(')', open + 1);
    value = item.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    return true;
}

CharacterBase::CharacterBase() : drawParams(new DrawParams), world(new D3DXMATRIX) {
    D3DXMatrixTranslation(&transMat, 0.0f, 0.0f, 0.0f);
    D3DXMatrixIdentity(&rotMat);
    D3DXMatrixScaling(&scaleMat, 1.0f, 1.0f, 1.0f);
    D3DXMatrixIdentity(world);
}

CharacterBase::CharacterBase(const CharacterBase& other)
    : mesh(other.mesh), drawParams(new DrawParams(*other.drawParams)), colMesh(other.colMesh),
      world(new D3DXMATRIX(*other.world)), transMat(other.transMat), rotMat(other.rotMat),
      scaleMat(other.scaleMat), move(other.move), state(other.state), kind(other.kind), dead(other.dead),
      fallSpeed(other.fallSpeed), groundKind(other.groundKind), sphereCenter(other.sphereCenter),
      sphereRadius(other.sphereRadius), boxMin(other.boxMin), boxMax(other.boxMax), boxSize(other.boxSize) {}

CharacterBase::~CharacterBase() {
    delete world;
    delete drawParams;
}

void CharacterBase::Init(std::vector<std::string> params) {
    ReadParams(params, [this](const std::string& key, const std::string& value) { ReadClassParam(key, value); });
}

void CharacterBase::ReadParams(const std::vector<std::string>& params, const OwnKey& ownKey) {
    mesh = nullptr;
    colMesh = nullptr;
    state = 0;
    for (size_t i = 1; i < params.size(); ++i) {
        std::string key, value;
        if (SplitParam(params[i], key, value) && !SetParam(key, value) && ownKey) ownKey(key, value);
    }
    *world = rotMat * transMat;
}

void CharacterBase::MoveTo(const D3DXVECTOR3& p) {
    transMat._41 = world->_41 = p.x;
    transMat._42 = world->_42 = p.y;
    transMat._43 = world->_43 = p.z;
}

void CharacterBase::Reset() {
    mesh = nullptr;
    colMesh = nullptr;
    state = 0;
}

bool CharacterBase::SetParam(const std::string& key, const std::string& value) {
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (key == "Pos") {
        D3DXVECTOR3 p;
        if (!ReadTriple(value, p)) return false;
        MoveTo(p);
        return true;
    }
    if (key == "Angle") {
        D3DXVECTOR3 a;
        if (!ReadTriple(value, a)) return false;
        D3DXMatrixRotationYawPitchRoll(&rotMat, a.y * kDegreesToRadians, a.x * kDegreesToRadians,
                                       a.z * kDegreesToRadians);
        return true;
    }
    if (key == "Mesh") {
        mesh = MeshManager::GetInstance().GetMesh(device, value);
        // The shared record starts over with default parameters for whoever loads it.
        delete mesh->drawParams;
        mesh->drawParams = new DrawParams;
    } else if (key == "ColMesh") {
        colMesh = MeshManager::GetInstance().GetMesh(device, value);
    } else if (key == "Shadow" || key == "Edge") {
        // Only after a mesh, and only a whole number: anything else leaves the default.
        int number = 0;
        if (mesh && ParseIntStrict(value, number)) (key == "Shadow" ? drawParams->castShadow : drawParams->edge) = number;
    }
    return false;
}

void DrawMeshWith(CShaderBase& shader, Mesh* mesh, DrawParams* params, const D3DXMATRIX& at, UINT pass) {
    if (!mesh) return;
    DrawParams* kept = mesh->drawParams;
    if (params) mesh->drawParams = params;
    shader.SetWorld(&at);
    shader.Draw(mesh, pass);
    mesh->drawParams = kept;
}

void CharacterBase::DrawWith(CShaderBase& shader, UINT pass) { DrawMeshWith(shader, mesh, drawParams, *world, pass); }

void CharacterBase::Draw() { DrawWith(ShaderManager::GetInstance().toon, 0); }

void CharacterBase::DrawShadow() {
    if (drawParams->castShadow == 1) DrawWith(ShaderManager::GetInstance().shadowMap, 0);
}

void CharacterBase::ComputeBounds() {
    if (!mesh || !mesh->mesh) return;
    const std::vector<MeshVertex>& vertices = mesh->mesh->Vertices();
    if (vertices.empty()) return;
    boxMin = boxMax = vertices[0].position;
    D3DXVECTOR3 sum(0.0f, 0.0f, 0.0f);
    for (const MeshVertex& v : vertices) {
        const D3DXVECTOR3& p = v.position;
        boxMin = D3DXVECTOR3(std::min(boxMin.x, p.x), std::min(boxMin.y, p.y), std::min(boxMin.z, p.z));
        boxMax = D3DXVECTOR3(std::max(boxMax.x, p.x), std::max(boxMax.y, p.y), std::max(boxMax.z, p.z));
        sum += p;
    }
    boxSize = boxMax - boxMin;
    // The sphere around the vertices' average that holds every vertex.
    sphereCenter = sum / static_cast<float>(vertices.size());
    sphereRadius = 0.0f;
    for (const MeshVertex& v : vertices) {
        const D3DXVECTOR3 d = v.position - sphereCenter;
        sphereRadius = std::max(sphereRadius, D3DXVec3Length(&d));
    }
}
