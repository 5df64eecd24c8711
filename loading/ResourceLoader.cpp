#include "loading/ResourceLoader.h"

#include <thread>

#include "graphics/GraphicsDevice.h"
#include "loading/LoadPacing.h"
#include "loading/LoadProgress.h"
#include "loading/LoadingScreen.h"
#include "loading/ResourceList.h"

namespace {

// The percentage of a load; a list without lines is complete.
unsigned Percent(uint32_t progress, uint32_t total) {
    if (total == 0 || progress >= total) return 100;
    return static_cast<unsigned>(static_cast<uint64_t>(progress) * 100 / total);
}

}  // namespace

ResourceLoader& ResourceLoader::GetInstance() {
    static ResourceLoader instance;
    return instance;
}

void ResourceLoader::Load(std::string path) {
    done.exchange(false);
    std::atomic<uint32_t> total{1};
    std::atomic<uint32_t> progress{0};
    CurrentLoadPacing().LoadStarted();
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (device) device->DetachFromThread();

    std::thread loader([&] { LoadResourceList(path, total, progress); });
    std::thread screen([&] {
        if (device) device->AttachToThread();
        DrawScreen(total, progress);
        if (device) device->DetachFromThread();
    });
    loader.join();
    screen.join();
    if (device) device->AttachToThread();
}

void ResourceLoader::DrawScreen(const std::atomic<uint32_t>& total, const std::atomic<uint32_t>& progress) {
    GraphicsDevice& graphics = GraphicsDevice::GetInstance();
    IDirect3DDevice9* device = graphics.GetDevice();
    LoadPacing& pacing = CurrentLoadPacing();
    LoadingScreen screen;
    for (int frame = 0;; ++frame) {
        pacing.BeforeFrame(frame);
        // Progress first: a progress past 0 implies the loader has already published its total.
        const uint32_t progressNow = progress.load();
        const uint32_t totalNow = total.load();
        const unsigned percent = done.load() ? 100 : Percent(progressNow, totalNow);
        if (device) {
            device->BeginScene();
            device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF000000, 1.0f, 0);
            graphics.SetSpriteMode(true);
            if (ID3DXSprite* sprite = graphics.GetSprite()) sprite->Begin(D3DXSPRITE_ALPHABLEND);
            screen.DrawFrame(percent, frame);
            if (ID3DXSprite* sprite = graphics.GetSprite()) sprite->End();
            graphics.SetSpriteMode(false);
            device->EndScene();
            pacing.BeforePresent();
            device->Present(nullptr, nullptr, nullptr, nullptr);
        }
        if (done.load()) break;
        if (AllLoaded(progress, total)) done.exchange(true);
        pacing.BetweenFrames();
    }
}
