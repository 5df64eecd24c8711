#pragma once
// A chest (kind 10) that the player opens by touching it: state 0 shows the closed mesh, state 1 the
// open one (nothing, when it has none). It never closes again.
#include "objects/CharacterBase.h"

class CChest : public CharacterBase {
public:
    static constexpr int kOpenSound = 15;
    static constexpr int kTreasureSound = 9;

    CChest() { kind = KIND_CHEST; }
    ~CChest() override { openMesh = nullptr; }
    const char* ClassName() const override { return "CChest"; }
    CharacterBase* Clone() const override { return new CChest(*this); }

    void ReadClassParam(const std::string& key, const std::string& value) override;
    void Update() override;
    void Draw() override;
    // Only the player opens it, and every touch plays the opening again.
    void OnHit(CharacterBase* other) override;

    Mesh* openMesh = nullptr;  // borrowed from the mesh cache
};
