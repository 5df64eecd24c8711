// The picture chosen: the environment first, then the player's setting, then the renderer.
#include <gtest/gtest.h>

#include "shaders/PictureChoice.h"

namespace {

TEST(PictureChoice, EnvironmentThenSettingThenRenderer) {
    using Q = platform::PictureQuality;
    const std::string cpu = "llvmpipe (LLVM 15.0.6, 256 bits)", gpu = "NVIDIA GeForce RTX 3060/PCIe/SSE2";
    const struct { const char* environment; Q asked; std::string renderer; Q chosen; } rows[] = {
        {nullptr, Q::Auto, cpu, Q::Light}, {nullptr, Q::Auto, "softpipe", Q::Light},
        {nullptr, Q::Auto, "Mesa swrast", Q::Light}, {nullptr, Q::Auto, gpu, Q::Full}, {nullptr, Q::Auto, "", Q::Full},
        {nullptr, Q::Full, cpu, Q::Full}, {nullptr, Q::Light, gpu, Q::Light}, {"full", Q::Auto, cpu, Q::Full},
        {"full", Q::Light, cpu, Q::Full}, {"light", Q::Auto, gpu, Q::Light}, {"light", Q::Full, gpu, Q::Light},
        {"", Q::Auto, cpu, Q::Light}, {"FULL", Q::Auto, cpu, Q::Light}, {"fast", Q::Full, cpu, Q::Full},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ResolvePicture(row.environment, row.asked, row.renderer), row.chosen)
            << (row.environment ? row.environment : "(unset)") << " " << static_cast<int>(row.asked) << " " << row.renderer;
    }
}

}  // namespace
