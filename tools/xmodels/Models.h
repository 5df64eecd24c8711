#pragma once
// The game's generated models. Each writes its .x file (and any texture it names) under the content
// root given.
#include <string>

#include "tools/xmodels/MapPieces.h"
#include "tools/xmodels/XWriter.h"

namespace xmodels {

XModel BuildPlayer();
bool WritePlayer(const std::string& root);
bool WriteIceModels(const std::string& root);
bool WriteMapPiece(const std::string& root);
bool WriteScenery(const std::string& root);
// The stage's props: boxes, switch and door, chest and the cold gun, the exit, the statues.
bool WriteBoxes(const std::string& root);
bool WriteSwitchDoor(const std::string& root);
bool WriteChestItem(const std::string& root);
bool WriteGoal(const std::string& root);
bool WriteStatues(const std::string& root);
// The places' drawn maps are written in pieces ("Map/Hub_0.x" …, see MapPieces.h) cut along these
// lines; their collision meshes stay whole.
// The title hub's courtyard and its collision mesh.
XModel BuildHub();
FloorPlanCuts HubCuts();
bool WriteHub(const std::string& root);
// The sky dome every place shares ("Map/Sky.x" and its image).
bool WriteSky(const std::string& root);
// The second stage's hall: "Map/Stage2_K.x" and its collision mesh "Map/Stage2_Col.x".
XModel BuildStage2();
FloorPlanCuts Stage2Cuts();
bool WriteStage2(const std::string& root);
// The first stage's map and its collision mesh.
XModel BuildStage1();
XModel BuildStage1Collision();
FloorPlanCuts Stage1Cuts();
bool WriteStage1(const std::string& root);
// The ice launcher's machine (written by WriteScenery as "Object/Launcher.x").
XModel BuildLauncher();

// Material shorthand: colour, shininess, specular strength, glow.
XMaterial Colour(float r, float g, float b, float a = 1.0f, float power = 8.0f, float specular = 0.15f,
                 D3DXVECTOR3 emissive = {0, 0, 0});

}  // namespace xmodels
