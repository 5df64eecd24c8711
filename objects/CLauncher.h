#pragma once
// An invisible, stationary cold-shot emitter placed in a stage (kind 12). While switched on (a non-zero
// state) it sweeps its aim from its start angles toward its target angles over its time in frames,
// firing a cold ray every tenth frame, and switches itself off at the end of the sweep. A launcher
// whose angles or time cannot be read, or whose time is not positive, never sweeps.
#include "objects/CharacterBase.h"

class CLauncher : public CharacterBase {
public:
    static constexpr int kShotInterval = 10;
    static constexpr int kImpactSound = 5;

    CLauncher() { kind = KIND_LAUNCHER; }
    const char* ClassName() const override { return "CLauncher"; }
    CharacterBase* Clone() const override { return new CLauncher(*this); }

    void Init(std::vector<std::string> params) override;
    void Update() override;
    void Draw() override {}
    void DumpFields(ObjectFields& out) const override;

    // One ray along the current aim.
    void Fire();

    int shotType = 0;  // 0 "COLD", 1 "FLAME"; both fire cold rays
    D3DXVECTOR3 angle{0, 0, 0};  // degrees: pitch, yaw, roll
    D3DXVECTOR3 startAngle{0, 0, 0};
    D3DXVECTOR3 targetAngle{0, 0, 0};
    float duration = 0.0f;  // frames
    float elapsed = 0.0f;
    bool usable = true;  // false after a malformed "Angle", "ChangeAngle" or "Time"

private:
    bool ReadLauncherKey(const std::string& key, const std::string& value);
};
