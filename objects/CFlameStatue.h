#pragma once
// A statue that breathes fire the way it faces (kind 8): every sixth frame a burst of three spinning
// rings and three rising puffs leaves its mouth, flies forward and fades out beyond 8 units. Flames
// within 2 units of its target (the player) shove the target away from them across the floor, as far
// as the walls let it walk. The flames are drawn
// additively in the translucent pass; a statue without a flame texture burns without showing them.
#include <vector>

#include "objects/CharacterBase.h"
#include "objects/FlameParticle.h"

class Texture;

class CFlameStatue : public CharacterBase {
public:
    static constexpr float kBurstAfter = 5.0f;  // frames counted before a burst: one every sixth frame
    static constexpr int kRingsPerBurst = 3;
    static constexpr int kPuffsPerBurst = 3;
    static constexpr float kPushReach = 2.0f;
    static constexpr float kPushStep = 0.1f;  // per frame

    CFlameStatue() { kind = KIND_STATUE; }
    const char* ClassName() const override { return "CFlameStatue"; }
    CharacterBase* Clone() const override { return new CFlameStatue(*this); }
    void Relink(const Counterpart& counterpart) override { target = counterpart(target); }

    void Init(std::vector<std::string> params) override;
    void Update() override;
    void DrawAlpha() override;
    void OnHit(CharacterBase*) override {}
    void DumpFields(ObjectFields& out) const override;

    Texture* flameTexture = nullptr;
    float spawnCounter = 0.0f;
    CharacterBase* target = nullptr;
    std::vector<FlameParticle> particles;  // in emission order

private:
    void EmitBurst();
    void AdvanceParticles();
    void PushTarget();
};
