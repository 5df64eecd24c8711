#include "shaders/PictureChoice.h"

#include <cstring>

using platform::PictureQuality;

PictureQuality ResolvePicture(const char* environment, PictureQuality asked, const std::string& renderer) {
    if (environment && std::strcmp(environment, "full") == 0) return PictureQuality::Full;
    if (environment && std::strcmp(environment, "light") == 0) return PictureQuality::Light;
    if (asked != PictureQuality::Auto) return asked;
    for (const char* software : {"llvmpipe", "softpipe", "swrast"}) {
        if (renderer.find(software) != std::string::npos) return PictureQuality::Light;
    }
    return PictureQuality::Full;
}

const char* PictureName(PictureQuality picture) { return picture == PictureQuality::Light ? "light" : "full"; }
