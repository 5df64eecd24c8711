// The picture chosen: the environment first, then the player's setting, then the renderer.
#include <gtest/gtest.h>

#include "shaders/PictureChoice.h"

namespace {

using platform::PictureQuality;

TEST(PictureChoice, EnvironmentThenSettingThenRenderer) {
    const std::string llvmpipe = "llvmpipe (LLVM 15.0.6, 256 bits)";
    const std::string gpu = "NVIDIA GeForce RTX 3060/PCIe/SSE2";
    struct Row {
        const char* environment;
        PictureQuality asked;
        std::string renderer;
        PictureQuality chosen;
    } rows[] = {
        {nullptr, PictureQuality::Auto, llvmpipe, PictureQuality::Light},
        {nullptr, PictureQuality::Auto, "softpipe", PictureQuality::Light},
        {nullptr, PictureQuality::Auto, "Mesa swrast", PictureQuality::Light},
        {nullptr, PictureQuality::Auto, gpu, PictureQuality::Full},
        {nullptr, PictureQuality::Auto, "", PictureQuality::Full},
        {nullptr, PictureQuality::Full, llvmpipe, PictureQuality::Full},
        {nullptr, PictureQuality::Light, gpu, PictureQuality::Light},
        {"full", PictureQuality::Auto, llvmpipe, PictureQuality::Full},
        {"full", PictureQuality::Light, llvmpipe, PictureQuality::Full},
        {"light", PictureQuality::Auto, gpu, PictureQuality::Light},
        {"light", PictureQuality::Full, gpu, PictureQuality::Light},
        {"", PictureQuality::Auto, llvmpipe, PictureQuality::Light},
        {"FULL", PictureQuality::Auto, llvmpipe, PictureQuality::Light},
        {"fast", PictureQuality::Full, llvmpipe, PictureQuality::Full},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ResolvePicture(row.environment, row.asked, row.renderer), row.chosen)
            << (row.environment ? row.environment : "(unset)") << " / " << static_cast<int>(row.asked) << " / "
            << row.renderer;
    }
    EXPECT_STREQ(PictureName(PictureQuality::Light), "light");
    EXPECT_STREQ(PictureName(PictureQuality::Full), "full");
}

}  // namespace
