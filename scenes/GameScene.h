#pragma once
// One stage of the game: loads the common game resources and the stage's own list, builds the stage
// from its placement file, then updates every object, lets the camera follow the mouse and draws the
// stage through the shader manager. The stage lives in the object list; the scene keeps no state.
#include "app/BaseScene.h"
#include "app/SceneId.h"

class GameScene : public BaseScene {
public:
    explicit GameScene(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_GAME; }

    void Initialize() override;
    void Finalize() override;
    void Update() override;
    void Draw() override;
    void Draw2D() override;

    // The map resource list and placement file of a stage; empty for a stage that does not exist.
    static const char* MapList(int stage);
    static const char* Placement(int stage);
};
