#pragma once
// A small writer of text .x model files: frames with their matrices, meshes with normals, texture
// coordinates, materials and skin weights, and animation sets with rotation, scale and position keys.
// The output depends only on the data given, so generated models are byte-for-byte reproducible.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/math/D3DXMath.h"

namespace xmodels {

struct XMaterial {
    D3DXCOLOR diffuse{1, 1, 1, 1};
    float power = 10.0f;
    D3DXVECTOR3 specular{0.2f, 0.2f, 0.2f};
    D3DXVECTOR3 emissive{0, 0, 0};
    std::string texture;  // written as is; empty for none
};

struct XSkinWeights {
    std::string bone;
    std::vector<uint32_t> vertices;
    std::vector<float> weights;
    D3DXMATRIX offset;  // mesh space to bone space
};

struct XMesh {
    std::string name;
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR3> normals;  // one per position
    std::vector<D3DXVECTOR2> uvs;      // one per position
    std::vector<std::array<uint32_t, 3>> faces;  // clockwise seen from the front
    std::vector<uint32_t> faceMaterials;
    std::vector<XMaterial> materials;
    std::vector<XSkinWeights> skin;
};

struct XFrame {
    std::string name;
    D3DXMATRIX transform;
    std::vector<XMesh> meshes;
    std::vector<XFrame> children;
};

struct XBoneKeys {
    std::string bone;
    std::vector<std::pair<uint32_t, D3DXQUATERNION>> rotation;  // D3DXMatrixRotationQuaternion convention
    std::vector<std::pair<uint32_t, D3DXVECTOR3>> scale;
    std::vector<std::pair<uint32_t, D3DXVECTOR3>> position;
};

struct XAnimationSet {
    std::string name;
    std::vector<XBoneKeys> bones;
};

struct XModel {
    std::vector<XFrame> frames;
    uint32_t ticksPerSecond = 0;  // 0 leaves AnimTicksPerSecond out
    std::vector<XAnimationSet> sets;
};

std::string FormatX(const XModel& model);
// Creates the folders it needs. False when the file cannot be written.
bool WriteX(const std::string& path, const XModel& model);

D3DXMATRIX Identity();

}  // namespace xmodels
