// Skinned models: loading the player, cross-fading between animations, playback and looping, the
// bone-matrix walk and CPU skinning into world space.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "graphics/MeshManager.h"
#include "platform/sys/MessageBoxHook.h"
#include "tests/support/XTestFiles.h"

namespace {

D3DXMATRIX World(float scale, float x, float y, float z) {
    D3DXMATRIX s, t;
    D3DXMatrixScaling(&s, scale, scale, scale);
    D3DXMatrixTranslation(&t, x, y, z);
    return s * t;
}

D3DXTRACK_DESC Track(SkinnedMesh& skin, UINT track) {
    D3DXTRACK_DESC desc{};
    skin.controller->GetTrackDesc(track, &desc);
    return desc;
}

// The skinned (world-space) position of vertex i of container c.
D3DXVECTOR3 Skinned(SkinnedMesh& skin, size_t c, size_t i) {
    return skin.containers[c]->MeshData.pMesh->Vertices()[i].position;
}

class PlayerModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        skin = new SkinnedMesh();
        ASSERT_EQ(skin->Load(nullptr, std::string(VELDORIN_GAME_DIR) + "/data/xfile/Player/player.x"), D3D_OK);
    }
    void TearDown() override { delete skin; }
    SkinnedMesh* skin = nullptr;
};

}  // namespace

TEST_F(PlayerModelTest, HasBodyAndGunContainersSeventeenBonesAndFourteenSets) {
    ASSERT_EQ(skin->containers.size(), 2u);
    EXPECT_EQ(skin->containerCount, 2);
    EXPECT_STREQ(skin->containers[0]->Name, "Body");
    EXPECT_STREQ(skin->containers[1]->Name, "Gun");
    EXPECT_EQ(skin->containers[0]->pSkinInfo->GetNumBones(), 17u);
    EXPECT_EQ(skin->containers[1]->pSkinInfo->GetNumBones(), 1u);
    // The gun's one-bone skin does not unmark the body's bones.
    EXPECT_EQ(std::count_if(skin->allFrames.begin(), skin->allFrames.end(),
                            [](const MyLib::MY_FRAME* f) { return f->boneIndex != -1; }),
              17);
    ASSERT_EQ(skin->animations.size(), 14u);
    EXPECT_STREQ(skin->animations[1].set->GetName(), "Walk");
    EXPECT_STREQ(skin->animations[2].set->GetName(), "Stand");
    EXPECT_STREQ(skin->animations[5].set->GetName(), "Push");
    EXPECT_STREQ(skin->animations[13].set->GetName(), "Fall");
    EXPECT_FLOAT_EQ(skin->animations[0].speed, 0.0125f);
    EXPECT_FLOAT_EQ(skin->animations[0].blendTime, 0.6f);
}

// Standing at scale 0.01 the figure is about 1.7 units tall, feet on the ground, facing -z, with the
// gun in the right hand (the -x side).
TEST_F(PlayerModelTest, SkinsIntoWorldSpaceStandingUprightFacingMinusZ) {
    skin->ChangeAnimation(2);
    for (int i = 0; i < 60; ++i) skin->Update(World(0.01f, 0, 0, 0));
    skin->SkinVertices();
    const auto& body = skin->containers[0]->MeshData.pMesh->Vertices();
    float low = 1e9f, high = -1e9f;
    for (const MeshVertex& v : body) low = std::min(low, v.position.y), high = std::max(high, v.position.y);
    EXPECT_NEAR(low, 0.0f, 0.05f);
    EXPECT_NEAR(high, 1.70f, 0.05f);
    const D3DXATTRIBUTERANGE* eyes = skin->containers[0]->MeshData.pMesh->FindSubset(2);
    ASSERT_NE(eyes, nullptr);
    EXPECT_LT(body[eyes->VertexStart].position.z, -0.05f);
    for (const MeshVertex& v : skin->containers[1]->MeshData.pMesh->Vertices()) EXPECT_LT(v.position.x, -0.1f);
}

TEST_F(PlayerModelTest, ChangeAnimationCrossFadesOverBlendTimeByTimeStep) {
    skin->ChangeAnimation(2);
    for (int i = 0; i < 60; ++i) skin->Update(World(0.01f, 0, 0, 0));
    skin->ChangeAnimation(1);
    EXPECT_EQ(skin->previous, 2);
    EXPECT_EQ(skin->current, 1);
    EXPECT_EQ(skin->framesSinceChange, 0);
    ID3DXAnimationSet *track0 = nullptr, *track1 = nullptr;
    skin->controller->GetTrackAnimationSet(0, &track0);
    skin->controller->GetTrackAnimationSet(1, &track1);
    EXPECT_EQ(track0, skin->animations[1].set);
    EXPECT_EQ(track1, skin->animations[2].set);
    track0->Release();
    track1->Release();
    for (int k = 1; k <= 47; ++k) {
        skin->Update(World(0.01f, 0, 0, 0));
        EXPECT_NEAR(Track(*skin, 0).Weight, k * 0.0125f / 0.6f, 1e-4f) << k;
        EXPECT_NEAR(Track(*skin, 1).Weight, 1.0f - k * 0.0125f / 0.6f, 1e-4f) << k;
        EXPECT_TRUE(Track(*skin, 1).Enable) << k;
    }
    skin->Update(World(0.01f, 0, 0, 0));
    EXPECT_FALSE(Track(*skin, 1).Enable);
    EXPECT_FLOAT_EQ(Track(*skin, 0).Weight, 1.0f);
    EXPECT_EQ(skin->framesSinceChange, 48);
}

TEST_F(PlayerModelTest, ChangingToTheCurrentAnimationRestartsItsBlend) {
    skin->ChangeAnimation(2);
    for (int i = 0; i < 60; ++i) skin->Update(World(0.01f, 0, 0, 0));
    skin->ChangeAnimation(2);
    skin->Update(World(0.01f, 0, 0, 0));
    EXPECT_NEAR(Track(*skin, 0).Weight, 0.0125f / 0.6f, 1e-5f);
    EXPECT_TRUE(Track(*skin, 1).Enable);
    skin->ChangeAnimation(99);  // out of range: nothing changes
    EXPECT_EQ(skin->current, 2);
}

class OneBoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("arm.x", xtest::kOneBone);
        ASSERT_EQ(skin.Load(nullptr, "arm.x"), D3D_OK);
        // Play "Swing" (index 1) at speed 1 with a cross-fade shorter than one update.
        skin.animations[1].speed = 1.0f;
        skin.animations[1].blendTime = 0.001f;
        skin.ChangeAnimation(1);
    }
    xtest::ScratchFolder folder;
    SkinnedMesh skin;
};

// After 40 updates of 0.0125 s the arm has turned 45 degrees: the tip of the stick, 10 along the
// bone, stands at (10 cos 45, 10 + 10 sin 45) in the model, then scaled and moved into the world.
TEST_F(OneBoneTest, BoneMatricesAndSkinningGiveTheKnownPose) {
    for (int i = 0; i < 40; ++i) skin.Update(World(0.01f, 1, 2, 3));
    EXPECT_NEAR(skin.animations[1].position, 0.5, 1e-6);
    MyLib::MY_FRAME* arm = skin.allFrames.back();
    ASSERT_STREQ(arm->Name, "Arm");
    ASSERT_EQ(skin.boneMatrices.count(arm), 1u);
    EXPECT_NEAR(arm->combined._42, 2.1f, 1e-5f);
    skin.SkinVertices();
    const float c = 10 * std::cos(D3DX_PI / 4);
    const D3DXVECTOR3 tip = Skinned(skin, 0, 1);
    EXPECT_NEAR(tip.x, 1 + 0.01f * c, 1e-4f);
    EXPECT_NEAR(tip.y, 2 + 0.01f * (10 + c), 1e-4f);
    EXPECT_NEAR(tip.z, 3.0f, 1e-4f);
    const D3DXVECTOR3 root = Skinned(skin, 0, 0);  // the joint itself does not move
    EXPECT_NEAR(root.y, 2.1f, 1e-4f);
}

TEST_F(OneBoneTest, PlaybackLoopsContinuously) {
    for (int i = 0; i < 100; ++i) skin.Update(World(1, 0, 0, 0));  // 1.25 s of a 1 s set: 0.25 s in
    skin.SkinVertices();
    const float angle = D3DX_PI / 8;
    const D3DXVECTOR3 tip = Skinned(skin, 0, 1);
    EXPECT_NEAR(tip.x, 10 * std::cos(angle), 1e-3f);
    EXPECT_NEAR(tip.y, 10 + 10 * std::sin(angle), 1e-3f);
}

TEST_F(OneBoneTest, SkinnedContainersTakeTexturesFromTheWorkingFolder) {
    ASSERT_EQ(skin.containers.size(), 1u);
    ASSERT_EQ(skin.containers[0]->textures.size(), 1u);
    EXPECT_EQ(skin.containers[0]->textures[0].name, "tex/skin.png");
    EXPECT_EQ(skin.containers[0]->pMaterials[0].pTextureFilename, nullptr);
    EXPECT_FLOAT_EQ(skin.containers[0]->pMaterials[0].MatD3D.Diffuse.r, 0.8f);
}

TEST(SkinnedMeshFailure, MissingFileShowsTheMessageAndLeavesAnEmptyCachedRecord) {
    xtest::ScratchFolder folder;
    std::string text, caption;
    platform::SetMessageBoxHandler([&](const char* t, const char* c, UINT) {
        text = t;
        caption = c;
        return IDOK;
    });
    SkinnedMesh* skin = MeshManager::GetInstance().GetSkinnedMesh(nullptr, "nothing.x");
    platform::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(text, "Xファイルの読み込みに失敗しました");
    EXPECT_EQ(caption, "nothing.x");
    EXPECT_EQ(skin->rootFrame, nullptr);
    EXPECT_EQ(skin->controller, nullptr);
    EXPECT_TRUE(skin->animations.empty());
    EXPECT_EQ(MeshManager::GetInstance().GetSkinnedMesh(nullptr, "nothing.x"), skin);
    skin->ChangeAnimation(2);
    skin->Update(World(1, 0, 0, 0));
    skin->SkinVertices();
    MeshManager::GetInstance().ReleaseAll();
}
