// The mesh cache, the Mesh record's materials and texture folders, and the draw-parameter swap.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/MeshManager.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/sys/Paths.h"
#include "tests/support/HeadlessGraphics.h"
#include "tests/support/XTestFiles.h"

namespace {

class MeshRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        D3DPRESENT_PARAMETERS params{};
        params.BackBufferWidth = 800;
        params.BackBufferHeight = 600;
        device = new HeadlessDevice(params, D3DDEVTYPE_HAL);
    }
    void TearDown() override {
        MeshManager::GetInstance().ReleaseAll();
        device->Release();
    }
    HeadlessDevice* device = nullptr;
};

}  // namespace

TEST_F(MeshRecordTest, SameNameSharesOneMeshOtherSpellingsAreOtherEntries) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    MeshManager& cache = MeshManager::GetInstance();
    Mesh* first = cache.GetMesh(device, "Models/tri.x");
    EXPECT_EQ(cache.GetMesh(device, "Models/tri.x"), first);
    Mesh* other = cache.GetMesh(device, "models\\tri.x");
    EXPECT_NE(other, first);
    EXPECT_NE(other->mesh, nullptr);
    EXPECT_EQ(first->fileName, "tri.x");
}

TEST_F(MeshRecordTest, FailedLoadIsCachedEmptyAndNotRetried) {
    xtest::ScratchFolder folder;
    MeshManager& cache = MeshManager::GetInstance();
    Mesh* missing = cache.GetMesh(device, "late.x");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->mesh, nullptr);
    EXPECT_EQ(missing->materialCount, 0u);
    EXPECT_EQ(missing->drawParams, nullptr);
    missing->DrawFixed();  // draws nothing, and does not fail
    folder.Write("late.x", xtest::kTwoMaterials);
    EXPECT_EQ(cache.GetMesh(device, "late.x"), missing);
    EXPECT_EQ(missing->mesh, nullptr);
    cache.ReleaseAll();  // afterwards the cache is as new and loads again
    EXPECT_NE(cache.GetMesh(device, "late.x")->mesh, nullptr);
}

TEST_F(MeshRecordTest, MaterialsTakeDiffuseAsAmbientAndTexturesComeFromTheModelsFolder) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    Mesh* mesh = MeshManager::GetInstance().GetMesh(device, "Models/tri.x");
    ASSERT_EQ(mesh->materialCount, 2u);
    const D3DMATERIAL9& red = mesh->materials[0];
    EXPECT_EQ(red.Ambient.r, red.Diffuse.r);
    EXPECT_EQ(red.Ambient.g, red.Diffuse.g);
    EXPECT_EQ(red.Ambient.a, 0.5f);
    EXPECT_EQ(mesh->materials[1].Ambient.b, 1.0f);
    EXPECT_EQ(mesh->textures[0].name, "Models/tex\\red.png");
    // A material without a texture name keeps an empty record.
    EXPECT_EQ(mesh->textures[1].texture, nullptr);
    EXPECT_TRUE(mesh->textures[1].name.empty());
    ASSERT_NE(mesh->drawParams, nullptr);
    EXPECT_FLOAT_EQ(mesh->drawParams->emissivePower, 0.9f);
    EXPECT_EQ(mesh->drawParams->castShadow, 1);
}

TEST_F(MeshRecordTest, GeneratedIceboxNamesAnImageBesideIt) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(VELDORIN_GAME_DIR);
    Mesh* mesh = MeshManager::GetInstance().GetMesh(device, "data/xfile/Object/Icebox_level1.x");
    ASSERT_NE(mesh->mesh, nullptr);
    ASSERT_EQ(mesh->materialCount, 1u);
    EXPECT_EQ(mesh->textures[0].name, "data/xfile/Object/icebox_frost.png");
    EXPECT_TRUE(std::filesystem::exists(platform::ResolvePath(mesh->textures[0].name)));
    std::filesystem::current_path(previous);
}

// Two objects drawing one shared mesh each with their own parameters: the draw sees the object's
// block, and afterwards the mesh has its own block back.
TEST_F(MeshRecordTest, DrawParamsSwapLeavesTheSharedMeshUnchanged) {
    xtest::ScratchFolder folder;
    folder.Write("Models/tri.x", xtest::kTwoMaterials);
    Mesh* mesh = MeshManager::GetInstance().GetMesh(device, "Models/tri.x");
    DrawParams* own = mesh->drawParams;
    DrawParams first, second;
    first.alpha = 0.25f;
    second.alpha = 0.75f;
    std::vector<float> seen;
    device->StartRecording();
    for (DrawParams* object : {&first, &second}) {
        DrawParams* kept = mesh->drawParams;
        mesh->drawParams = object;
        seen.push_back(mesh->drawParams->alpha);
        mesh->DrawFixed();
        mesh->drawParams = kept;
    }
    EXPECT_EQ(mesh->drawParams, own);
    EXPECT_EQ(seen, (std::vector<float>{0.25f, 0.75f}));
    // Each draw draws every subset in material order, with the subset's material and texture set.
    std::vector<std::string> calls;
    for (const DeviceCall& call : device->Calls()) calls.push_back(call.ToString());
    const std::vector<std::string> subsets = {"SetMaterial()", "SetTexture(0, 0)", "DrawSubset(0, 0, 1, 6)",
                                              "SetMaterial()", "SetTexture(0, 0)", "DrawSubset(1, 1, 1, 6)"};
    std::vector<std::string> expected = subsets;
    expected.insert(expected.end(), subsets.begin(), subsets.end());
    EXPECT_EQ(calls, expected);
}

namespace {
class SharedImageTest : public ContentTreeTest {
protected:
    void TearDown() override {
        MeshManager::GetInstance().ReleaseAll();
        ContentTreeTest::TearDown();
    }
};
}  // namespace

// The map pieces name the same floor image, several materials each: the cache loads it once and every
// one of them holds that texture, until ReleaseAll lets go of all of them; a model loaded outside the
// cache loads its own.
TEST_F(SharedImageTest, MapPiecesHoldOneTextureOfEachImageTheyName) {
    IDirect3DDevice9* device = &StartDevice();
    MeshManager& cache = MeshManager::GetInstance();
    const std::string floor = "data/xfile/Map/stage1_floor.png";
    IDirect3DTexture9* shared = nullptr;
    int holders = 0;
    for (const char* piece : {"data/xfile/Map/Stage1_0.x", "data/xfile/Map/Stage1_2.x"}) {
        for (const Texture& texture : cache.GetMesh(device, piece)->textures) {
            if (texture.name != floor) continue;
            if (!shared) shared = texture.texture;
            EXPECT_EQ(texture.texture, shared) << piece;
            EXPECT_EQ(texture.info.Width, 256u);
            EXPECT_EQ(texture.rect.right, 256);
            ++holders;
        }
    }
    ASSERT_NE(shared, nullptr);
    EXPECT_GE(holders, 3);
    shared->AddRef();
    EXPECT_EQ(shared->Release(), static_cast<ULONG>(holders + 1)) << "each holder and the cache hold it once";
    Mesh own;
    ASSERT_TRUE(own.Load(device, "data/xfile/Map/Stage1_2.x"));
    for (const Texture& texture : own.textures) EXPECT_TRUE(texture.name != floor || texture.texture != shared);
    shared->AddRef();
    cache.ReleaseAll();
    EXPECT_EQ(shared->Release(), 0u);
}
