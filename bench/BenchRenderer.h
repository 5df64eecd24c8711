#pragma once
// Brings up the OpenGL renderer for a rendering benchmark, or marks the benchmark skipped when there is
// no X display (run it under xvfb-run).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "tests/support/ToonTestScene.h"

inline bool StartBenchRenderer(benchmark::State& state, HWND& window, const std::string& gameDir = VELDORIN_GAME_DIR) {
    const char* display = std::getenv("DISPLAY");
    if (display && *display && testscene::StartRenderer(gameDir, window)) return true;
    state.SkipWithError("no X display (run under xvfb-run)");
    if (display && *display) testscene::StopRenderer(window);
    return false;
}
