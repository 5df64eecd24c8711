#include "tools/xmodels/XWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace xmodels {
namespace {

std::string F(float v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6f", v == 0.0f ? 0.0f : v);  // no "-0.000000"
    return buffer;
}

std::string Matrix(const D3DXMATRIX& m) {
    std::string out;
    for (int i = 0; i < 16; ++i) out += F(m.m[i / 4][i % 4]) + (i < 15 ? "," : ";;");
    return out;
}

template <typename T, typename Fn>
void List(std::ostringstream& out, const std::vector<T>& items, Fn write, const char* indent) {
    for (size_t i = 0; i < items.size(); ++i) {
        out << indent;
        write(items[i]);
        out << (i + 1 < items.size() ? ",\n" : ";\n");
    }
}

void WriteMaterial(std::ostringstream& out, const XMaterial& m) {
    out << "   Material {\n    " << F(m.diffuse.r) << ";" << F(m.diffuse.g) << ";" << F(m.diffuse.b) << ";"
        << F(m.diffuse.a) << ";;\n    " << F(m.power) << ";\n    " << F(m.specular.x) << ";" << F(m.specular.y)
        << ";" << F(m.specular.z) << ";;\n    " << F(m.emissive.x) << ";" << F(m.emissive.y) << ";"
        << F(m.emissive.z) << ";;\n";
    if (!m.texture.empty()) out << "    TextureFilename { \"" << m.texture << "\"; }\n";
    out << "   }\n";
}

void WriteSkin(std::ostringstream& out, const XMesh& mesh) {
    out << "  XSkinMeshHeader { 4; 12; " << mesh.skin.size() << "; }\n";
    for (const XSkinWeights& s : mesh.skin) {
        out << "  SkinWeights {\n   \"" << s.bone << "\";\n   " << s.vertices.size() << ";\n";
        List(out, s.vertices, [&](uint32_t v) { out << v; }, "   ");
        List(out, s.weights, [&](float w) { out << F(w); }, "   ");
        out << "   " << Matrix(s.offset) << "\n  }\n";
    }
}

void WriteMesh(std::ostringstream& out, const XMesh& mesh) {
    auto vec3 = [&](const D3DXVECTOR3& v) { out << F(v.x) << ";" << F(v.y) << ";" << F(v.z) << ";"; };
    auto face = [&](const std::array<uint32_t, 3>& f) { out << "3;" << f[0] << "," << f[1] << "," << f[2] << ";"; };
    out << " Mesh " << mesh.name << " {\n  " << mesh.positions.size() << ";\n";
    List(out, mesh.positions, vec3, "  ");
    out << "  " << mesh.faces.size() << ";\n";
    List(out, mesh.faces, face, "  ");
    out << "  MeshNormals {\n  " << mesh.normals.size() << ";\n";
    List(out, mesh.normals, vec3, "  ");
    out << "  " << mesh.faces.size() << ";\n";
    List(out, mesh.faces, face, "  ");
    out << "  }\n  MeshTextureCoords {\n  " << mesh.uvs.size() << ";\n";
    List(out, mesh.uvs, [&](const D3DXVECTOR2& uv) { out << F(uv.x) << ";" << F(uv.y) << ";"; }, "  ");
    out << "  }\n  MeshMaterialList {\n  " << mesh.materials.size() << ";\n  " << mesh.faceMaterials.size()
        << ";\n";
    List(out, mesh.faceMaterials, [&](uint32_t m) { out << m; }, "  ");
    for (const XMaterial& m : mesh.materials) WriteMaterial(out, m);
    out << "  }\n";
    if (!mesh.skin.empty()) WriteSkin(out, mesh);
    out << " }\n";
}

void WriteFrame(std::ostringstream& out, const XFrame& frame) {
    out << "Frame " << frame.name << " {\n FrameTransformMatrix {\n  " << Matrix(frame.transform) << "\n }\n";
    for (const XMesh& mesh : frame.meshes) WriteMesh(out, mesh);
    for (const XFrame& child : frame.children) WriteFrame(out, child);
    out << "}\n";
}

void WriteKeys(std::ostringstream& out, const XBoneKeys& keys) {
    out << " Animation {\n  {" << keys.bone << "}\n";
    out << "  AnimationKey {\n   0;\n   " << keys.rotation.size() << ";\n";
    List(out, keys.rotation, [&](const auto& k) {
        out << k.first << ";4;" << F(k.second.w) << "," << F(k.second.x) << "," << F(k.second.y) << ","
            << F(k.second.z) << ";;";
    }, "   ");
    for (const auto& [type, list] : {std::pair{1, &keys.scale}, std::pair{2, &keys.position}}) {
        out << "  }\n  AnimationKey {\n   " << type << ";\n   " << list->size() << ";\n";
        List(out, *list, [&](const auto& k) {
            out << k.first << ";3;" << F(k.second.x) << "," << F(k.second.y) << "," << F(k.second.z) << ";;";
        }, "   ");
    }
    out << "  }\n }\n";
}

}  // namespace

D3DXMATRIX Identity() {
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}

std::string FormatX(const XModel& model) {
    std::ostringstream out;
    out << "xof 0303txt 0032\n\n";
    for (const XFrame& frame : model.frames) WriteFrame(out, frame);
    if (model.ticksPerSecond) out << "AnimTicksPerSecond {\n " << model.ticksPerSecond << ";\n}\n";
    for (const XAnimationSet& set : model.sets) {
        out << "AnimationSet " << set.name << " {\n";
        for (const XBoneKeys& keys : set.bones) WriteKeys(out, keys);
        out << "}\n";
    }
    return out.str();
}

bool WriteX(const std::string& path, const XModel& model) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream file(path, std::ios::binary);
    file << FormatX(model);
    return static_cast<bool>(file);
}

}  // namespace xmodels
