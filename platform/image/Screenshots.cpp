#include "platform/image/Screenshots.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/d3d9/Device.h"
#include "platform/image/PngWriter.h"
#include "platform/sys/PlayerData.h"

namespace platform {
namespace {
std::atomic<bool> requested{false};
}  // namespace

void RequestScreenshot() { requested = true; }

bool SaveRequestedScreenshot(IDirect3DDevice9& device) {
    if (!requested.exchange(false)) return true;
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const std::string path = NewScreenshotPath();
    const bool saved = !path.empty() && device.ReadBackBuffer(rgba, width, height) && WritePng(path, rgba, width, height);
    if (!saved) std::fprintf(stderr, "veldorin: could not save the screenshot %s\n", path.c_str());
    return saved;
}

std::string ScreenshotName(const std::tm& when, int taken) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &when);
    std::string name = "veldorin_";
    name += stamp;
    if (taken > 0) name.append("_").append(std::to_string(taken + 1));
    return name.append(".png");
}

std::string NewScreenshotPath() {
    namespace fs = std::filesystem;
    const std::string data = PlayerDataFolder();
    if (data.empty()) return {};
    const fs::path folder = fs::path(data) / "screenshots";
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (int taken = 0;; ++taken) {
        const fs::path candidate = folder / ScreenshotName(local, taken);
        if (!fs::exists(candidate, ec)) return candidate.string();
    }
}

}  // namespace platform
