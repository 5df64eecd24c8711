#pragma once
// The closing picture shown after a hub goal; it returns to the title.
// Its content arrives with the stage objects; until then it is an empty scene.
#include "app/BaseScene.h"
#include "app/SceneId.h"

class Continue : public BaseScene {
public:
    explicit Continue(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_CONTINUE; }
};
