// Device creation, its fixed states and the state helpers, through the headless device.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "tests/support/HeadlessGraphics.h"

namespace {

class GraphicsDeviceTest : public HeadlessGraphicsTest {};

TEST_F(GraphicsDeviceTest, SetupRenderStatesSetsTheFixedPipelineInOrder) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    ASSERT_TRUE(graphics.Init(window, 800, 600));
    HeadlessDevice* device = HeadlessDevice::From(graphics.GetDevice());
    device->StartRecording();
    graphics.SetupRenderStates();

    const std::vector<std::string> expected = {
        "SetRenderState(7, 1)", "SetRenderState(14, 1)", "SetRenderState(52, 1)", "SetRenderState(27, 1)",
        "SetRenderState(171, 1)", "SetRenderState(19, 5)", "SetRenderState(20, 6)", "SetRenderState(143, 1)",
        "SetRenderState(9, 2)", "SetRenderState(22, 3)", "SetRenderState(206, 1)", "SetRenderState(209, 1)",
        "SetRenderState(207, 2)", "SetRenderState(208, 6)",
        "SetTextureStageState(0, 4, 4)", "SetTextureStageState(0, 5, 2)", "SetTextureStageState(0, 6, 0)",
        "SetTextureStageState(0, 1, 4)", "SetTextureStageState(0, 2, 2)", "SetTextureStageState(0, 3, 0)",
        "SetSamplerState(0, 6, 2)", "SetSamplerState(0, 5, 2)", "SetSamplerState(0, 7, 2)",
        "SetSamplerState(0, 1, 1)", "SetSamplerState(0, 2, 1)",
        "SetSamplerState(0, 8, 3212836864)",  // the bits of -1.0f
        "SetLight(0)", "LightEnable(0, 1)",
        "SetRenderState(29, 1)", "SetRenderState(28, 0)", "SetRenderState(22, 3)",
    };
    EXPECT_EQ(CallNames(*device), expected);

    D3DLIGHT9 light{};
    graphics.GetDevice()->GetLight(0, &light);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    const float length = std::sqrt(0.5f * 0.5f + 1.0f + 0.3f * 0.3f);
    EXPECT_NEAR(light.Direction.x, 0.5f / length, 1e-6f);
    EXPECT_NEAR(light.Direction.y, -1.0f / length, 1e-6f);
    EXPECT_NEAR(light.Direction.z, 0.3f / length, 1e-6f);
    EXPECT_EQ(light.Diffuse.r, 1.0f);
    EXPECT_EQ(light.Specular.g, 1.0f);
    EXPECT_EQ(light.Ambient.b, 0.0f);
    EXPECT_EQ(light.Ambient.a, 1.0f);
    EXPECT_EQ(light.Range, 0.0f);
}

TEST_F(GraphicsDeviceTest, AnsweringNoGivesAWindowSizedBackBufferInTheDesktopFormat) {
    answer = IDNO;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    MoveWindow(window, 0, 0, 640, 480, false);
    ASSERT_TRUE(graphics.Init(window, 800, 600));
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].text, "フルスクリーンで遊びますか？");
    EXPECT_EQ(boxes[0].caption, "ウインドウモード選択");
    EXPECT_EQ(boxes[0].type, MB_YESNO);
    const auto& params = graphics.GetPresentParams();
    EXPECT_EQ(params.Windowed, TRUE);
    EXPECT_EQ(params.BackBufferWidth, 640u) << "the real size is filled in after creation";
    EXPECT_EQ(params.BackBufferHeight, 480u);
    EXPECT_EQ(params.BackBufferCount, 2u);
    EXPECT_EQ(params.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(params.PresentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);

    D3DSURFACE_DESC desc{};
    ASSERT_NE(graphics.GetBackBuffer(), nullptr);
    graphics.GetBackBuffer()->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 640u);
    ASSERT_NE(graphics.GetDepthStencil(), nullptr);
}

TEST_F(GraphicsDeviceTest, AnsweringYesGivesAFullScreen800x600BackBuffer) {
    answer = IDYES;
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    ASSERT_TRUE(graphics.Init(window, 800, 600));
    const auto& params = graphics.GetPresentParams();
    EXPECT_EQ(params.Windowed, FALSE);
    EXPECT_EQ(params.BackBufferWidth, 800u);
    EXPECT_EQ(params.BackBufferHeight, 600u);
    EXPECT_EQ(params.BackBufferFormat, D3DFMT_X8R8G8B8);
}

TEST_F(GraphicsDeviceTest, CreationFallsBackToSoftwareThenToTheReferenceDevice) {
    std::vector<std::pair<D3DDEVTYPE, DWORD>> attempts;
    platform::headless::SetCreateFilter([&attempts](D3DDEVTYPE type, DWORD flags) {
        attempts.emplace_back(type, flags);
        return type == D3DDEVTYPE_REF;
    });
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    ASSERT_TRUE(graphics.Init(window, 800, 600));
    const std::vector<std::pair<D3DDEVTYPE, DWORD>> expected = {
        {D3DDEVTYPE_HAL, 0x46u}, {D3DDEVTYPE_HAL, 0x26u}, {D3DDEVTYPE_REF, 0x26u}};
    EXPECT_EQ(attempts, expected);
    D3DCAPS9 caps{};
    graphics.GetDevice()->GetDeviceCaps(&caps);
    EXPECT_EQ(caps.DeviceType, D3DDEVTYPE_REF);
}

TEST_F(GraphicsDeviceTest, NoDeviceAtAllIsReportedAndInitFails) {
    platform::headless::SetCreateFilter([](D3DDEVTYPE, DWORD) { return false; });
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    EXPECT_FALSE(graphics.Init(window, 800, 600));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Direct3Dの初期化に失敗");
    EXPECT_EQ(boxes[1].caption, "Direct3D初期化");
    EXPECT_EQ(boxes[1].type, MB_ICONERROR);
    EXPECT_EQ(graphics.GetDevice(), nullptr);
    graphics.Release();  // releasing after a failed start is safe
}

TEST_F(GraphicsDeviceTest, AMissingFontCostsOneMessageAndTheGameStillStarts) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path empty = fs::temp_directory_path() / ("veldorin_nofont_" + std::to_string(::getpid()));
    fs::create_directories(empty);
    fs::current_path(empty);
    const bool started = GraphicsDevice::GetInstance().Init(window, 800, 600);
    fs::current_path(previous);
    fs::remove_all(empty);
    EXPECT_TRUE(started);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "add font failure");
    EXPECT_EQ(boxes[1].caption, "");
    EXPECT_EQ(boxes[1].type, MB_OK);
}

TEST_F(GraphicsDeviceTest, TheShippedFontRegistersWithoutAMessage) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    fs::current_path(VELDORIN_GAME_DIR);
    const bool started = GraphicsDevice::GetInstance().Init(window, 800, 600);
    fs::current_path(previous);
    EXPECT_TRUE(started);
    EXPECT_EQ(boxes.size(), 1u) << "only the full-screen question";
}

TEST_F(GraphicsDeviceTest, DirectionalLightIsNormalisedAndReplacesLightZero) {
    HeadlessDevice& device = StartDevice();
    const D3DXVECTOR3 direction(0.0f, -2.0f, 0.0f);
    const D3DCOLORVALUE diffuse{0.8f, 0.7f, 0.6f, 1.0f}, ambient{0.2f, 0.2f, 0.3f, 1.0f},
        specular{0.1f, 0.1f, 0.1f, 1.0f};
    GraphicsDevice::GetInstance().SetDirectionalLight(&direction, &diffuse, &ambient, &specular);
    EXPECT_EQ(CallNames(device), (std::vector<std::string>{"SetLight(0)", "LightEnable(0, 1)"}));
    D3DLIGHT9 light{};
    device.GetLight(0, &light);
    EXPECT_EQ(light.Direction.y, -1.0f);
    EXPECT_EQ(light.Diffuse.g, 0.7f);
    EXPECT_EQ(light.Ambient.b, 0.3f);
    EXPECT_EQ(light.Specular.r, 0.1f);
    EXPECT_EQ(light.Attenuation0, 0.0f);
}

TEST_F(GraphicsDeviceTest, ReleaseLetsGoOfEverythingAndCanRepeat) {
    StartDevice();
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    graphics.Release();
    EXPECT_EQ(graphics.GetDevice(), nullptr);
    EXPECT_EQ(graphics.GetBackBuffer(), nullptr);
    EXPECT_EQ(graphics.GetDepthStencil(), nullptr);
    graphics.Release();
}

}  // namespace
