#include "platform/d3dx/XFileImport.h"

#include <assimp/postprocess.h>

#include <cstdio>
#include <optional>

#include "platform/sys/Paths.h"

namespace platform::xfile {

bool Import(const char* path, ImportedFile& out) {
    std::string bytes;
    if (!path || !platform::ReadFile(path, bytes) || bytes.size() < 16 || bytes.compare(0, 4, "xof ") != 0) return false;
    out.text = bytes.compare(8, 3, "txt") == 0;
    std::optional<TextScan> scan;
    if (out.text) scan.emplace(bytes);
    if (scan && !scan->StructureSound()) return false;
    // Left-handed as written: positions, texture coordinates and winding come back as in the file.
    const unsigned flags = aiProcess_ConvertToLeftHanded | aiProcess_Triangulate | aiProcess_JoinIdenticalVertices;
    out.scene = out.importer.ReadFileFromMemory(bytes.data(), bytes.size(), flags, "x");
    if (!out.scene || !out.scene->mRootNode) return false;
    if (scan) out.quaternionKeyed = scan->QuaternionKeys();
    return true;
}

D3DXMATRIX ToMatrix(const aiMatrix4x4& m) {
    return D3DXMATRIX(m.a1, m.b1, m.c1, m.d1, m.a2, m.b2, m.c2, m.d2, m.a3, m.b3, m.c3, m.d3, m.a4, m.b4, m.c4,
                      m.d4);
}

}  // namespace platform::xfile
