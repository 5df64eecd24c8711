#pragma once
// The main loop's shutdown order for a game stepped on the headless platform by its owner (the
// explorer's sessions, the tests' headless game): scene, objects, shaders, camera, caches, device,
// window. What the owner installed (clock, input, pacing) it takes back itself.
#include <memory>

class SceneMgr;

void ShutDownHeadlessGame(std::unique_ptr<SceneMgr>& scenes);
