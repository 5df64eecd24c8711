#pragma once
// Which picture the frame is drawn with. The full picture: a 2048 shadow map sampled nine times, the
// scene into colour, depth and normal targets, outlines at silhouettes and creases. The light picture,
// for software rasterisers: a 1024 shadow map read with one filtered lookup, no normal target, outlines
// at silhouettes from the depth alone.
#include <string>

#include "platform/Platform.h"

// Full or Light, never Auto. `environment` is VELDORIN_QUALITY ("full" or "light"; null or anything
// else counts as unset) and wins; then what the player asked for, unless Auto; then Light where the
// renderer names a software rasteriser (llvmpipe, softpipe, swrast), Full otherwise.
platform::PictureQuality ResolvePicture(const char* environment, platform::PictureQuality asked,
                                        const std::string& renderer);

// "full" or "light".
const char* PictureName(platform::PictureQuality picture);
