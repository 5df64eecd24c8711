#pragma once
// How the platform layer runs in this process: with real windows and OpenGL, or headless (no display,
// no GPU). The entry point chooses before anything else touches the platform.
namespace platform {

// How the frame is drawn: the full picture, or a lighter one for software rasterisers. Auto chooses by
// the OpenGL renderer.
enum class PictureQuality { Auto, Full, Light };

struct Settings {
    // True: windows are kept in memory only and devices are headless.
    bool headless = false;
    // The picture the player asked for; the renderer reads it at every frame's start.
    PictureQuality picture = PictureQuality::Auto;
    // False: every drawing command still goes to the device, which draws no pixel and presents
    // nothing (frames of a rendered run whose pictures nobody keeps). Read at each scene's start.
    bool drawPixels = true;
};

Settings& GetSettings();

// Brings up SDL's video and game-controller subsystems once (no-op when headless). Returns false
// when no display can be opened.
bool InitVideo();
// Shuts SDL down at process end.
void Shutdown();

}  // namespace platform
