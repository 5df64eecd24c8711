#pragma once
// One JSON object per frame describing the game's state, for tests and for reading runs back.
#include <string>

class Application;

// {"frame":n,"scene":id,"stageSelect":s,"quit":0|1,
//  "camera":{"pitch":p,"yaw":y,"eye":[x,y,z],"target":[x,y,z]} (null without a camera),
//  "mouse":{"v":vertical angle,"h":horizontal angle},"fade":{...},"objects":[...],
//  "sound":[{"slot":n,"loop":0|1},...]}; numbers with six significant digits.
std::string DumpFrame(int frame, const Application& app);
// The same into json (cleared first), which keeps its capacity: a run dumps every frame.
void DumpFrame(int frame, const Application& app, std::string& json);
// The id of the current scene, 0 when there is none.
int CurrentSceneId(const Application& app);
