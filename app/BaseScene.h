#pragma once
// The base of every scene. A scene loads in Initialize and releases in Finalize; its destructor
// does nothing of its own.
class ObjectFields;
class SceneChanger;

class BaseScene {
public:
    explicit BaseScene(SceneChanger* changer) : changer(changer) {}
    virtual int GetSceneId() const = 0;
    virtual ~BaseScene() = default;

    // --- life ---
    virtual void Initialize() {}
    virtual void Finalize() {}

    // --- frame ---
    virtual void Update() {}
    virtual void Draw() {}
    // Two drawing slots the frame never calls; kept so scenes line up with the original interface.
    virtual void DrawExtra1() {}
    virtual void DrawExtra2() {}
    virtual void Draw2D() {}

    // The scene's own values for diagnostics (the runner's dump).
    virtual void DumpFields(ObjectFields& out) const { (void)out; }

protected:
    SceneChanger* changer;  // not owned: the scene manager
};
