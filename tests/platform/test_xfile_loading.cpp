// .x files through the platform loader: geometry as written, subsets in material order, hierarchy,
// skin, animation keys in D3DX's convention, and every model the generator writes.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/d3dx/XFile.h"
#include "platform/d3dx/XFileKeyScan.h"
#include "tests/support/XTestFiles.h"

namespace {

// Minimal allocator: plain frames and containers holding references to what they are given.
class PlainAllocator : public ID3DXAllocateHierarchy {
public:
    HRESULT CreateFrame(const char* name, D3DXFRAME** out) override {
        *out = new D3DXFRAME();
        (*out)->Name = strdup(name);
        ++frames;
        return D3D_OK;
    }
    HRESULT CreateMeshContainer(const char* name, const D3DXMESHDATA* data, const D3DXMATERIAL* materials,
                                const D3DXEFFECTINSTANCE*, DWORD numMaterials, const DWORD*, ID3DXSkinInfo* skin,
                                D3DXMESHCONTAINER** out) override {
        *out = new D3DXMESHCONTAINER();
        (*out)->Name = strdup(name);
        (*out)->MeshData = *data;
        data->pMesh->AddRef();
        (*out)->pSkinInfo = skin;
        if (skin) skin->AddRef();
        (*out)->NumMaterials = numMaterials;
        if (numMaterials && materials[0].pTextureFilename) firstTexture = materials[0].pTextureFilename;
        ++containers;
        return D3D_OK;
    }
    HRESULT DestroyFrame(D3DXFRAME* frame) override {
        free(frame->Name);
        delete frame;
        --frames;
        return D3D_OK;
    }
    HRESULT DestroyMeshContainer(D3DXMESHCONTAINER* c) override {
        free(c->Name);
        SafeRelease(c->MeshData.pMesh);
        SafeRelease(c->pSkinInfo);
        delete c;
        --containers;
        return D3D_OK;
    }
    int frames = 0, containers = 0;
    std::string firstTexture;
};

D3DXMATRIX SampleMatrix(ID3DXAnimationSet* set, double t) {
    D3DXVECTOR3 s, p;
    D3DXQUATERNION q;
    set->GetSRT(set->GetPeriodicPosition(t), 0, &s, &q, &p);
    D3DXMATRIX r;
    D3DXMatrixRotationQuaternion(&r, &q);
    r._41 = p.x, r._42 = p.y, r._43 = p.z;
    return r;
}

void ExpectNear(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i / 4][i % 4], b.m[i / 4][i % 4], 1e-4f) << "element " << i;
}

}  // namespace

TEST(XFileLoad, KeepsPositionsWindingAndMaterialOrderAsWritten) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer *materials = nullptr, *adjacency = nullptr;
    DWORD count = 0;
    // Any case and either separator reaches the file.
    ASSERT_EQ(D3DXLoadMeshFromXA("models\\TRI.x", D3DXMESH_MANAGED, nullptr, &adjacency, &materials, nullptr, &count,
                                 &mesh),
              D3D_OK);
    ASSERT_EQ(count, 2u);
    ASSERT_EQ(mesh->GetNumFaces(), 2u);
    // Subset 0 is material 0 (Red, the file's second face), subset 1 is material 1 (Blue).
    const auto* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    EXPECT_EQ(m[0].MatD3D.Diffuse.r, 1.0f);
    EXPECT_EQ(m[0].MatD3D.Diffuse.a, 0.5f);
    EXPECT_EQ(m[0].MatD3D.Power, 10.0f);
    EXPECT_EQ(m[1].MatD3D.Diffuse.b, 1.0f);
    ASSERT_NE(m[0].pTextureFilename, nullptr);
    EXPECT_STREQ(m[0].pTextureFilename, "tex\\red.png");
    EXPECT_EQ(m[1].pTextureFilename, nullptr);
    DWORD tableSize = 0;
    mesh->GetAttributeTable(nullptr, &tableSize);
    ASSERT_EQ(tableSize, 2u);
    const D3DXATTRIBUTERANGE* red = mesh->FindSubset(0);
    const D3DXATTRIBUTERANGE* blue = mesh->FindSubset(1);
    ASSERT_TRUE(red && blue);
    EXPECT_EQ(red->FaceStart, 0u);
    EXPECT_EQ(blue->FaceStart, 1u);
    // Corners in the file's order: the winding (and so the facing) is unchanged.
    auto corner = [&](DWORD face, int k) { return mesh->Vertices()[mesh->Indices()[face * 3 + k]].position; };
    EXPECT_EQ(corner(1, 0), D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(corner(1, 1), D3DXVECTOR3(0, 1, 0));
    EXPECT_EQ(corner(1, 2), D3DXVECTOR3(1, 0, 0));
    EXPECT_EQ(corner(0, 1), D3DXVECTOR3(1, 0, 0));
    EXPECT_EQ(corner(0, 2), D3DXVECTOR3(0, 0, 1));
    EXPECT_EQ(mesh->Vertices()[mesh->Indices()[4]].normal, D3DXVECTOR3(0, 0, -1));
    // Texture coordinates as written (v = 0 at the top of the image).
    EXPECT_EQ(mesh->Vertices()[mesh->Indices()[4]].v, 1.0f);
    // The two faces share the edge (0,0,0)-(1,0,0).
    const auto* adj = static_cast<const DWORD*>(adjacency->GetBufferPointer());
    EXPECT_EQ(adj[0], 1u);
    materials->Release();
    adjacency->Release();
    mesh->Release();
}

TEST(XFileLoad, MissingOrMalformedFilesFailWithoutOutputs) {
    xtest::ScratchFolder folder;
    folder.Write("bad.x", "xof 0303txt 0032\nMesh { 3; 0.0;0.0;");
    folder.Write("empty.x", "");
    folder.Write("notx.x", "hello world, not a model at all");
    // Damage that Assimp's reader crashes or aborts on, each made to a sound file that loads.
    const std::pair<const char*, const char*> damage[] = {
        {"Material Blue {", "\xCD" "aterial Blue {"},  // a list short of its materials
        {"3;0,1,3;;", "2;0,1;;"},                     // a face that is not a triangle
        {"3;0,1,3;;", "3;0,1,4;;"},                   // a corner beyond the vertices
        {"2; 1, 0;;", "2; 2, 0;;"},                   // a material number beyond the list
        {"Frame Body {", "} Frame Body {"},           // a brace closing nothing
        {"Mesh Tri {", "Mesh Tri { {"},               // a brace never closed
    };
    std::vector<std::string> names = {"missing.x", "bad.x", "empty.x", "notx.x"};
    for (const auto& [sound, damaged] : damage) {
        std::string text = xtest::kTwoMaterials;
        ASSERT_NE(text.find(sound), std::string::npos) << sound;
        EXPECT_TRUE(platform::xfile::StructureSound(text));
        text.replace(text.find(sound), std::strlen(sound), damaged);
        names.push_back("damaged" + std::to_string(names.size()) + ".x");
        folder.Write(names.back(), text);
    }
    for (const std::string& file : names) {
        const char* name = file.c_str();
        ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
        EXPECT_TRUE(FAILED(D3DXLoadMeshFromXA(name, D3DXMESH_MANAGED, nullptr, nullptr, nullptr, nullptr, nullptr, &mesh)))
            << name;
        EXPECT_EQ(mesh, nullptr);
        PlainAllocator allocator;
        D3DXFRAME* root = nullptr;
        ID3DXAnimationController* controller = nullptr;
        EXPECT_TRUE(FAILED(D3DXLoadMeshHierarchyFromXA(name, 0, nullptr, &allocator, nullptr, &root, &controller)));
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(controller, nullptr);
        EXPECT_EQ(allocator.frames, 0);
    }
}

TEST(XFileHierarchy, FramesSkinAndSetsInD3DXOrder) {
    xtest::ScratchFolder folder;
    folder.Write("arm.x", xtest::kOneBone);
    PlainAllocator allocator;
    D3DXFRAME* root = nullptr;
    ID3DXAnimationController* controller = nullptr;
    ASSERT_EQ(D3DXLoadMeshHierarchyFromXA("arm.x", 0, nullptr, &allocator, nullptr, &root, &controller), D3D_OK);
    EXPECT_STREQ(root->Name, "Root");
    D3DXFRAME* skinFrame = root->pFrameFirstChild;
    ASSERT_NE(skinFrame, nullptr);
    D3DXFRAME* arm = skinFrame->pFrameSibling;
    ASSERT_NE(arm, nullptr);
    EXPECT_STREQ(arm->Name, "Arm");
    // The frame matrix keeps the file's row-vector layout.
    EXPECT_EQ(arm->TransformationMatrix._12, 1.0f);
    EXPECT_EQ(arm->TransformationMatrix._21, -1.0f);
    EXPECT_EQ(arm->TransformationMatrix._42, 10.0f);
    ASSERT_NE(skinFrame->pMeshContainer, nullptr);
    ID3DXSkinInfo* skin = skinFrame->pMeshContainer->pSkinInfo;
    ASSERT_NE(skin, nullptr);
    ASSERT_EQ(skin->GetNumBones(), 1u);
    EXPECT_STREQ(skin->GetBoneName(0), "Arm");
    EXPECT_EQ(skin->GetBoneOffsetMatrix(0)->_41, -10.0f);
    EXPECT_EQ(skin->GetNumBoneInfluences(0), 3u);
    EXPECT_EQ(allocator.firstTexture, "tex/skin.png");
    // D3DX lists the sets last first.
    ASSERT_EQ(controller->GetNumAnimationSets(), 2u);
    ID3DXAnimationSet *held = nullptr, *swing = nullptr;
    controller->GetAnimationSet(0, &held);
    controller->GetAnimationSet(1, &swing);
    EXPECT_STREQ(held->GetName(), "Held");
    EXPECT_STREQ(swing->GetName(), "Swing");
    EXPECT_DOUBLE_EQ(swing->GetPeriod(), 1.0);
    held->Release();
    swing->Release();
    controller->Release();
    D3DXFrameDestroy(root, &allocator);
    EXPECT_EQ(allocator.frames, 0);
    EXPECT_EQ(allocator.containers, 0);
}

// A rotation key equal to the frame's own rotation must give back the frame matrix, whether the file
// states it as a quaternion key (which Assimp inverts) or as a matrix key (which it does not).
TEST(XFileHierarchy, RotationKeysAgreeWithTheFrameMatrix) {
    xtest::ScratchFolder folder;
    folder.Write("arm.x", xtest::kOneBone);
    PlainAllocator allocator;
    D3DXFRAME* root = nullptr;
    ID3DXAnimationController* controller = nullptr;
    ASSERT_EQ(D3DXLoadMeshHierarchyFromXA("arm.x", 0, nullptr, &allocator, nullptr, &root, &controller), D3D_OK);
    const D3DXMATRIX frame = root->pFrameFirstChild->pFrameSibling->TransformationMatrix;
    ID3DXAnimationSet *held = nullptr, *swing = nullptr;
    controller->GetAnimationSet(0, &held);
    controller->GetAnimationSet(1, &swing);
    ExpectNear(SampleMatrix(held, 0.0), frame);
    ExpectNear(SampleMatrix(swing, 0.999999), frame);
    // Half way the arm has turned 45 degrees about z, the same way as the frame: x toward +y.
    const D3DXMATRIX half = SampleMatrix(swing, 0.5);
    EXPECT_NEAR(half._11, 0.7071f, 1e-4f);
    EXPECT_NEAR(half._12, 0.7071f, 1e-4f);
    held->Release();
    swing->Release();
    controller->Release();
    D3DXFrameDestroy(root, &allocator);
}

TEST(XFileHierarchy, KeyScanFindsQuaternionKeysPerSetAndFrame) {
    const auto keys = platform::xfile::ScanQuaternionKeys(xtest::kOneBone);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys.begin()->first, 0);  // the first set of the file
    EXPECT_EQ(keys.begin()->second, "Arm");
}

// Every model the content generator writes loads back, as a static mesh and as a hierarchy.
TEST(XFileGenerated, EveryGeneratedModelLoadsBack) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(VELDORIN_GAME_DIR) / "data" / "xfile";
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".x") continue;
        ++files;
        const std::string path = entry.path().string();
        ID3DXMesh* mesh = nullptr;
        DWORD count = 0;
        ASSERT_EQ(D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_MANAGED, nullptr, nullptr, nullptr, nullptr, &count, &mesh),
                  D3D_OK)
            << path;
        EXPECT_GT(mesh->GetNumFaces(), 0u) << path;
        EXPECT_GT(count, 0u) << path;
        mesh->Release();
        PlainAllocator allocator;
        D3DXFRAME* frame = nullptr;
        ASSERT_EQ(D3DXLoadMeshHierarchyFromXA(path.c_str(), 0, nullptr, &allocator, nullptr, &frame, nullptr), D3D_OK)
            << path;
        EXPECT_GT(allocator.containers, 0) << path;
        D3DXFrameDestroy(frame, &allocator);
    }
    EXPECT_GE(files, 11);
}

// The generator winds faces clockwise seen from outside: every face of the closed frost shell points
// away from the box's centre, and the ice patch faces up.
TEST(XFileGenerated, GeneratedFacesPointOutward) {
    auto faces = [](const std::string& name, auto check) {
        ID3DXMesh* mesh = nullptr;
        const std::string path = std::string(VELDORIN_GAME_DIR) + "/data/xfile/" + name;
        ASSERT_EQ(D3DXLoadMeshFromXA(path.c_str(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, &mesh), D3D_OK);
        const auto& v = mesh->Vertices();
        const auto& i = mesh->Indices();
        for (size_t f = 0; f < i.size() / 3; ++f) {
            const D3DXVECTOR3 &a = v[i[f * 3]].position, &b = v[i[f * 3 + 1]].position, &c = v[i[f * 3 + 2]].position;
            D3DXPLANE plane;
            D3DXPlaneFromPoints(&plane, &a, &b, &c);
            check(D3DXVECTOR3(plane.a, plane.b, plane.c), (a + b + c) / 3.0f);
        }
        mesh->Release();
    };
    faces("Object/Icebox_level1.x", [](const D3DXVECTOR3& n, const D3DXVECTOR3& at) {
        const D3DXVECTOR3 out = at - D3DXVECTOR3(0, 0.5f, 0);
        EXPECT_GT(D3DXVec3Dot(&n, &out), 0.0f);
    });
    faces("Bullet/ice.x", [](const D3DXVECTOR3& n, const D3DXVECTOR3&) { EXPECT_GT(n.y, 0.99f); });
}

namespace {

// A mesh of separate triangles with every corner at its own place: 3 x faces vertices.
std::string SeparateTriangles(int faces) {
    std::string text = "xof 0303txt 0032\nMesh {\n" + std::to_string(faces * 3) + ";\n";
    for (int v = 0; v < faces * 3; ++v) {
        text += std::to_string(v) + ";" + std::to_string(v % 3) + ";0;" + (v + 1 < faces * 3 ? ",\n" : ";\n");
    }
    text += std::to_string(faces) + ";\n";
    for (int f = 0; f < faces; ++f) {
        text += "3;" + std::to_string(f * 3) + "," + std::to_string(f * 3 + 1) + "," + std::to_string(f * 3 + 2) +
                (f + 1 < faces ? ";,\n" : ";;\n");
    }
    return text + "}\n";
}

}  // namespace

// Mesh indices are 16-bit: a mesh of up to 65 535 vertices loads with every index as written; a larger
// one is refused as a failed load by both loaders rather than read with indices that wrap.
TEST(XFileLoad, MeshesBeyondSixteenBitIndicesAreRefusedNeverWrapped) {
    xtest::ScratchFolder folder;
    folder.Write("largest.x", SeparateTriangles(21845));
    folder.Write("larger.x", SeparateTriangles(21846));
    for (const auto& [name, loads] : {std::pair{"largest.x", true}, std::pair{"larger.x", false}}) {
        ID3DXMesh* mesh = nullptr;
        const HRESULT loaded =
            D3DXLoadMeshFromXA(name, D3DXMESH_MANAGED, nullptr, nullptr, nullptr, nullptr, nullptr, &mesh);
        EXPECT_EQ(SUCCEEDED(loaded), loads) << name;
        PlainAllocator allocator;
        D3DXFRAME* root = nullptr;
        ID3DXAnimationController* controller = nullptr;
        const HRESULT built = D3DXLoadMeshHierarchyFromXA(name, 0, nullptr, &allocator, nullptr, &root, &controller);
        EXPECT_EQ(SUCCEEDED(built), loads) << name;
        if (root) D3DXFrameDestroy(root, &allocator);
        SafeRelease(controller);
        if (!mesh) continue;
        ASSERT_EQ(mesh->GetNumVertices(), 65535u);
        const std::vector<uint16_t>& indices = mesh->Indices();
        ASSERT_EQ(indices.size(), 65535u);
        EXPECT_EQ(*std::max_element(indices.begin(), indices.end()), 65534);
        mesh->Release();
    }
}
