#pragma once
// The factory the main loop builds its scenes with: CreateSceneById unless replaced (the tests put
// scenes of their own here to watch the loop's start and end).
#include "app/SceneMgr.h"

SceneFactory& MainLoopSceneFactory();
