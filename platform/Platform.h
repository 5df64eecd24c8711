#pragma once
// How the platform layer runs in this process: with real windows and OpenGL, or headless (no display,
// no GPU). The entry point chooses before anything else touches the platform.
namespace platform {

struct Settings {
    // True: windows are kept in memory only and devices are headless.
    bool headless = false;
};

Settings& GetSettings();

// Brings up SDL's video and game-controller subsystems once (no-op when headless). Returns false
// when no display can be opened.
bool InitVideo();
// Shuts SDL down at process end.
void Shutdown();

}  // namespace platform
