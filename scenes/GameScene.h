#pragma once
// One stage of the game, loaded from its placement file.
// Its content arrives with the stage objects; until then it is an empty scene.
#include "app/BaseScene.h"
#include "app/SceneId.h"

class GameScene : public BaseScene {
public:
    explicit GameScene(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_GAME; }
};
