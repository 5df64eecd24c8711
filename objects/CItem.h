#pragma once
// A pick-up (kind 9) that spins one degree a frame where it was placed and is drawn with a cyan
// outline. The player takes it by touching it: it leaves the stage with a sound, keeping state 0, which
// tells the player it was an item (the player gains the cold gun).
#include "objects/CharacterBase.h"

class CItem : public CharacterBase {
public:
    static constexpr float kSpinStep = 1.0f;  // degrees per frame
    static constexpr float kFullTurn = 360.0f;
    static constexpr float kOutlineSize = 0.01f;
    static constexpr int kTakenSound = 14;

    CItem() { kind = KIND_ITEM; }
    const char* ClassName() const override { return "CItem"; }
    CharacterBase* Clone() const override { return new CItem(*this); }

    void Update() override;
    void Draw() override;
    void OnHit(CharacterBase* other) override;
    void DumpFields(ObjectFields& out) const override;

    float spin = 0.0f;  // degrees, in (0, 360] once updated
};
