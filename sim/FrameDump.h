#pragma once
// One JSON object per frame describing the game's state, for tests and for reading runs back.
#include <string>

class Application;

// {"frame":n,"scene":id,"stageSelect":s,"quit":0|1}
std::string DumpFrame(int frame, const Application& app);
// The id of the current scene, 0 when there is none.
int CurrentSceneId(const Application& app);
