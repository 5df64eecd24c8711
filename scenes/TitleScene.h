#pragma once
// The title hub: logo, camera intro and a walkable stage whose doors follow the saved progress.
// Its content arrives with the stage objects; until then it is an empty scene.
#include "app/BaseScene.h"
#include "app/SceneId.h"

class TitleScene : public BaseScene {
public:
    explicit TitleScene(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_TITLE; }
};
