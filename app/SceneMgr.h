#pragma once
// Owns the current scene, forwards the frame to it and replaces it when a change is pending.
#include <functional>

#include "app/BaseScene.h"
#include "app/SceneChanger.h"

// Builds the scene for an id; null for an id that names no scene.
using SceneFactory = std::function<BaseScene*(int sceneId, SceneChanger* changer)>;
BaseScene* CreateSceneById(int sceneId, SceneChanger* changer);

class SceneMgr : public SceneChanger {
public:
    explicit SceneMgr(SceneFactory factory = CreateSceneById) : factory(std::move(factory)) {}
    // The last scene is not finalised at shutdown (its objects stay where they are until the process
    // ends); only the scene object itself is freed.
    ~SceneMgr() override;

    // Stores the id in the application's nextScene; a later request in the same frame wins.
    void ChangeScene(int sceneId) override;

    // Performs a pending change, then runs the current scene's Update.
    void Update();
    // Brackets the scene's Draw and Draw2D between BeginScene and EndScene.
    void Draw();

    // Installs the first scene (the main loop does this once) and initialises it.
    void Start(int sceneId);

    BaseScene* GetCurrent() const { return current; }

private:
    // Initialises the new current scene and starts its journal.
    void Begin();

    SceneFactory factory;
    BaseScene* current = nullptr;
};
