#include <algorithm>
#include <map>
#include <tuple>

#include "platform/d3dx/XFileImport.h"

namespace platform::xfile {
namespace {

D3DCOLORVALUE Colour(const aiMaterial& m, const char* key, unsigned type, unsigned index, float alpha) {
    aiColor4D c(0, 0, 0, alpha);
    m.Get(key, type, index, c);
    return {c.r, c.g, c.b, alpha};
}

// The material colours as D3DX reads them from a .x file, which has no ambient colour.
D3DMATERIAL9 ReadMaterial(const aiMaterial& m, std::string& texture) {
    aiColor4D diffuse(1, 1, 1, 1);
    m.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
    D3DMATERIAL9 out{};
    out.Diffuse = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
    out.Specular = Colour(m, AI_MATKEY_COLOR_SPECULAR, 1.0f);
    out.Emissive = Colour(m, AI_MATKEY_COLOR_EMISSIVE, 1.0f);
    out.Emissive.a = out.Specular.a = 1.0f;
    float power = 0;
    m.Get(AI_MATKEY_SHININESS, power);
    out.Power = power;
    aiString name;
    texture.clear();
    for (aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_NORMALS, aiTextureType_HEIGHT,
                               aiTextureType_SHININESS, aiTextureType_LIGHTMAP})
        if (m.GetTexture(type, 0, &name) == AI_SUCCESS) {
            texture = name.C_Str();
            break;
        }
    return out;
}

// Appends the part's vertices, faces and bone weights to the mesh.
void AppendPart(const aiMesh& mesh, const D3DXMATRIX& transform, DWORD attribute, BuiltMesh& out,
                std::map<std::string, size_t>& boneIndex) {
    const DWORD base = static_cast<DWORD>(out.vertices.size());
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        MeshVertex v{};
        const aiVector3D& p = mesh.mVertices[i];
        v.position = D3DXVECTOR3(p.x, p.y, p.z);
        D3DXVec3TransformCoord(&v.position, &v.position, &transform);
        if (mesh.mNormals) {
            const aiVector3D& n = mesh.mNormals[i];
            v.normal = D3DXVECTOR3(n.x, n.y, n.z);
            D3DXVec3TransformNormal(&v.normal, &v.normal, &transform);
            D3DXVec3Normalize(&v.normal, &v.normal);
        }
        if (mesh.mTextureCoords[0]) {
            v.u = mesh.mTextureCoords[0][i].x;
            v.v = mesh.mTextureCoords[0][i].y;
        }
        out.vertices.push_back(v);
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3) continue;
        for (int k = 0; k < 3; ++k) out.indices.push_back(static_cast<uint16_t>(base + face.mIndices[k]));
        out.attributes.push_back(attribute);
    }
    for (unsigned b = 0; b < mesh.mNumBones; ++b) {
        const aiBone& bone = *mesh.mBones[b];
        auto [it, added] = boneIndex.try_emplace(bone.mName.C_Str(), out.bones.size());
        if (added) out.bones.push_back({bone.mName.C_Str(), ToMatrix(bone.mOffsetMatrix), {}, {}});
        SkinBone& target = out.bones[it->second];
        for (unsigned w = 0; w < bone.mNumWeights; ++w) {
            target.vertices.push_back(base + bone.mWeights[w].mVertexId);
            target.weights.push_back(bone.mWeights[w].mWeight);
        }
    }
}

}  // namespace

bool BuildMesh(const aiScene& scene, const std::vector<std::pair<const aiMesh*, D3DXMATRIX>>& parts,
               BuiltMesh& out) {
    out = BuiltMesh();
    std::vector<std::pair<const aiMesh*, D3DXMATRIX>> sorted = parts;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first->mMaterialIndex < b.first->mMaterialIndex; });
    size_t vertexCount = 0;
    for (const auto& part : sorted) vertexCount += part.first->mNumVertices;
    if (vertexCount == 0 || vertexCount > 0xFFFF) return false;
    std::map<std::string, size_t> boneIndex;
    unsigned lastMaterial = ~0u;
    for (const auto& [mesh, transform] : sorted) {
        if (mesh->mMaterialIndex != lastMaterial) {
            lastMaterial = mesh->mMaterialIndex;
            std::string texture;
            out.materials.push_back(mesh->mMaterialIndex < scene.mNumMaterials
                                        ? ReadMaterial(*scene.mMaterials[mesh->mMaterialIndex], texture)
                                        : D3DMATERIAL9{});
            out.textures.push_back(texture);
            const DWORD id = static_cast<DWORD>(out.table.size());
            out.table.push_back({id, static_cast<DWORD>(out.attributes.size()), 0,
                                 static_cast<DWORD>(out.vertices.size()), 0});
        }
        D3DXATTRIBUTERANGE& range = out.table.back();
        AppendPart(*mesh, transform, range.AttribId, out, boneIndex);
        range.FaceCount = static_cast<DWORD>(out.attributes.size()) - range.FaceStart;
        range.VertexCount = static_cast<DWORD>(out.vertices.size()) - range.VertexStart;
    }
    return !out.attributes.empty();
}

std::vector<DWORD> ComputeAdjacency(const std::vector<MeshVertex>& vertices, const std::vector<uint16_t>& indices) {
    // Vertices at the same place count as one, so faces of different subsets still meet.
    std::map<std::tuple<float, float, float>, uint16_t> first;
    std::vector<uint16_t> rep(vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i) {
        const D3DXVECTOR3& p = vertices[i].position;
        rep[i] = first.try_emplace({p.x, p.y, p.z}, static_cast<uint16_t>(i)).first->second;
    }
    auto corner = [&](size_t f, int k) { return rep[indices[f * 3 + k % 3]]; };
    const size_t faces = indices.size() / 3;
    std::vector<DWORD> adjacency(faces * 3, UNUSED32);
    std::map<std::pair<uint16_t, uint16_t>, DWORD> edgeFace;  // directed edge -> face
    for (size_t f = 0; f < faces; ++f)
        for (int k = 0; k < 3; ++k) edgeFace[{corner(f, k), corner(f, k + 1)}] = static_cast<DWORD>(f);
    for (size_t f = 0; f < faces; ++f)
        for (int k = 0; k < 3; ++k) {
            auto it = edgeFace.find({corner(f, k + 1), corner(f, k)});
            if (it != edgeFace.end() && it->second != f) adjacency[f * 3 + k] = it->second;
        }
    return adjacency;
}

}  // namespace platform::xfile
