#pragma once
// What a scene holds to ask for the next scene.
class SceneChanger {
public:
    virtual ~SceneChanger() = 0;
    virtual void ChangeScene(int sceneId) = 0;
};

inline SceneChanger::~SceneChanger() = default;
