#pragma once
// The closing picture shown after a hub goal, over a black screen, until a click or a press of the
// pad's B that begins after it appears, or 600 frames; then back to the title.
#include "app/BaseScene.h"
#include "app/SceneId.h"

class Texture;

class Continue : public BaseScene {
public:
    static constexpr int kMaxFrames = 600;

    explicit Continue(SceneChanger* changer) : BaseScene(changer) {}
    int GetSceneId() const override { return SCENE_CONTINUE; }

    void Initialize() override;
    void Finalize() override;
    void Update() override;
    void Draw2D() override;
    void DumpFields(ObjectFields& out) const override;

    int frames = 0;
    Texture* picture = nullptr;
    bool clickHeld = true;  // the click's latch: set until the button is seen up
    bool padHeld = true;    // the same for the pad's B
};
