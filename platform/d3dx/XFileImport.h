#pragma once
// Internal to the .x loaders: reading a .x file through Assimp and turning Assimp's meshes back into
// the single vertex/index buffer with one subset per material that D3DX gives.
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include "platform/d3dx/AnimationSet.h"
#include "platform/d3dx/XFileKeyScan.h"
#include "platform/d3dx/MeshTypes.h"
#include "platform/d3dx/SkinInfo.h"

namespace platform::xfile {

// A scene read from a .x file, with the facts about the file Assimp does not keep.
struct ImportedFile {
    Assimp::Importer importer;
    const aiScene* scene = nullptr;
    bool text = false;
    // (animation set in file order, frame name) of every animation given by quaternion keys.
    std::set<std::pair<int, std::string>> quaternionKeyed;
};

// Reads the file through the game's path rules. False when it is missing or not a .x file Assimp reads.
bool Import(const char* path, ImportedFile& out);

struct BuiltMesh {
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices;
    std::vector<DWORD> attributes;
    std::vector<D3DXATTRIBUTERANGE> table;
    std::vector<D3DMATERIAL9> materials;
    std::vector<std::string> textures;  // as written in the file; empty for none
    std::vector<SkinBone> bones;
};

// One mesh from Assimp's per-material pieces, each moved by its matrix. Subsets follow the materials'
// order in the file. False when the result needs more than 16-bit indices or has no triangles.
bool BuildMesh(const aiScene& scene, const std::vector<std::pair<const aiMesh*, D3DXMATRIX>>& parts,
               BuiltMesh& out);

// Three neighbouring faces per face across shared edges (UNUSED32 where none).
std::vector<DWORD> ComputeAdjacency(const std::vector<MeshVertex>& vertices, const std::vector<uint16_t>& indices);

// Assimp's matrices are column-vector style; ours are row-vector style.
D3DXMATRIX ToMatrix(const aiMatrix4x4& m);

// The animation sets in D3DX's order: the last set of the file comes first.
std::vector<ID3DXAnimationSet*> BuildAnimationSets(const ImportedFile& file);

}  // namespace platform::xfile
