#pragma once
// A floor plate (kind 5) that sinks while the player or a box presses it and tells doors when it is
// fully down. In spring-back mode (state 0) it rises again as soon as nothing presses it; in any other
// mode it stays pressed once pressed. Its base, when it has one, stays where it was placed.
#include "objects/CharacterBase.h"

class CSwitch : public CharacterBase {
public:
    static constexpr float kFullDepth = 0.3f;
    static constexpr float kSinkStep = 0.005f;
    static constexpr float kRiseStep = 0.01f;
    static constexpr int kFullSound = 10;

    CSwitch() : home(transMat) { kind = KIND_SWITCH; }
    ~CSwitch() override { baseMesh = nullptr; }
    const char* ClassName() const override { return "CSwitch"; }
    CharacterBase* Clone() const override { return new CSwitch(*this); }

    void Init(std::vector<std::string> params) override;
    void ReadClassParam(const std::string& key, const std::string& value) override;
    void Update() override;
    void Draw() override;
    void DrawShadow() override;
    // The player and boxes press it; nothing else does.
    void OnHit(CharacterBase* other) override;
    // Moves the plate and its home together.
    void SetTransMatrix(D3DXMATRIX m) override;
    void DumpFields(ObjectFields& out) const override;

    Mesh* baseMesh = nullptr;  // borrowed from the mesh cache
    D3DXMATRIX home;           // transMat as placed
    float depth = 0.0f;
    int pressed = 0;
    int fullyPressed = 0;

private:
    D3DXMATRIX BaseWorld() const { return rotMat * home; }
};
