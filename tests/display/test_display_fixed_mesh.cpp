// A mesh drawn through the fixed pipeline on OpenGL: lit by light 0 on its material, culled and placed
// as Direct3D would.
#include <gtest/gtest.h>

#include "tests/support/ToonTestScene.h"

namespace {

class DisplayFixedMesh : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        ASSERT_TRUE(testscene::StartRenderer(VELDORIN_GAME_DIR, window)) << "needs an X display";
        device = GraphicsDevice::GetInstance().GetDevice();
        // A unit crate straight ahead, 4 units away, seen level.
        D3DXMATRIX view, projection, world;
        const D3DXVECTOR3 eye(0, 0.5f, -4), at(0, 0.5f, 0), up(0, 1, 0);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 3, 800.0f / 600.0f, 0.1f, 100.0f);
        D3DXMatrixIdentity(&world);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetTransform(D3DTS_WORLD, &world);
        crate = MeshManager::GetInstance().GetMesh(device, "data/xfile/Object/Crate.x");
        ASSERT_NE(crate->mesh, nullptr);
    }
    void TearDown() override {
        testscene::StopRenderer(window);
        std::filesystem::current_path(previous);
    }
    // The crate's front face at the centre of the picture, lit from the given direction.
    std::vector<int> FrontFace(const D3DXVECTOR3& lightDirection) {
        const D3DCOLORVALUE white{1, 1, 1, 1}, none{0, 0, 0, 0};
        GraphicsDevice::GetInstance().SetDirectionalLight(&lightDirection, &white, &none, &none);
        device->BeginScene();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        crate->DrawFixed();
        device->EndScene();
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        device->ReadBackBuffer(rgba, width, height);
        const size_t at = 4 * (static_cast<size_t>(height / 2) * width + width / 2);
        return {rgba[at], rgba[at + 1], rgba[at + 2]};
    }

    std::filesystem::path previous;
    HWND window = nullptr;
    IDirect3DDevice9* device = nullptr;
    Mesh* crate = nullptr;
};

TEST_F(DisplayFixedMesh, TheFaceTowardTheLightIsLitInItsMaterialColour) {
    // The planks' material is a warm brown (0.72, 0.52, 0.30).
    const std::vector<int> lit = FrontFace(D3DXVECTOR3(0, 0, 1));
    EXPECT_NEAR(lit[0], 184, 3);
    EXPECT_NEAR(lit[1], 133, 3);
    EXPECT_NEAR(lit[2], 77, 3);
    const std::vector<int> away = FrontFace(D3DXVECTOR3(0, 0, -1));
    EXPECT_EQ(away, (std::vector<int>{0, 0, 0})) << "lit from behind, with no ambient, the face is dark";
    const std::vector<int> grazing = FrontFace(D3DXVECTOR3(0, -1, 1));
    EXPECT_NEAR(grazing[0], 184 * 0.7071, 4) << "lambert falls off with the angle";
}

}  // namespace
