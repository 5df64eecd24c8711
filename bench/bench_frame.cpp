// Costs of the per-frame basics: one headless frame of the scene manager and the matrix work every
// object does each frame.
#include <benchmark/benchmark.h>

#include "app/Application.h"
#include "app/SceneMgr.h"
#include "graphics/GraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/sys/MessageBoxHook.h"

namespace {

void BM_HeadlessSceneFrame(benchmark::State& state) {
    platform::GetSettings().headless = true;
    platform::SetMessageBoxHandler([](const char*, const char*, UINT) { return IDNO; });
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    graphics.Init(nullptr, 800, 600);
    graphics.SetupRenderStates();
    SceneMgr scenes;
    scenes.Start(1);
    for (auto _ : state) {
        scenes.Update();
        scenes.Draw();
        graphics.GetDevice()->Present(nullptr, nullptr, nullptr, nullptr);
    }
    graphics.Release();
}
BENCHMARK(BM_HeadlessSceneFrame);

void BM_WorldMatrix(benchmark::State& state) {
    D3DXMATRIX scale, rotation, translation, world;
    float angle = 0.0f;
    for (auto _ : state) {
        D3DXMatrixScaling(&scale, 0.01f, 0.01f, 0.01f);
        D3DXMatrixRotationYawPitchRoll(&rotation, angle, 0.1f, 0.0f);
        D3DXMatrixTranslation(&translation, 1.0f, 2.0f, 3.0f);
        world = scale * rotation * translation;
        angle += 0.01f;
        benchmark::DoNotOptimize(world);
    }
}
BENCHMARK(BM_WorldMatrix);

void BM_MatrixInverse(benchmark::State& state) {
    D3DXMATRIX m, inverse;
    D3DXMatrixRotationYawPitchRoll(&m, 0.3f, 0.2f, 0.1f);
    m._41 = 5.0f;
    for (auto _ : state) benchmark::DoNotOptimize(D3DXMatrixInverse(&inverse, nullptr, &m));
}
BENCHMARK(BM_MatrixInverse);

}  // namespace
