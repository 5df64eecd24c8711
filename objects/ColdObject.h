#pragma once
// An ice patch (kind 3): a flat ice mesh laid by a cold shot where it struck, drawn translucent with the
// ice shader under three drifting, pulsing mist clouds. It grows to full size in a few frames, lasts a
// minute unless further shots refresh it, then fades away. Whatever stands on it slides. A patch laid on
// an object that can move (a door, a switch, an item) melts at once when that object leaves its place.
// A ColdObject that is never placed in the object list also serves as the marker a cold hit carries:
// receivers of OnHit test the caller's kind for 3.
#include "objects/CharacterBase.h"

class Texture;

class ColdObject : public CharacterBase {
public:
    static constexpr float kStartSize = 0.01f;
    static constexpr float kGrowStep = 0.025f;   // per frame while below kGrownSize
    static constexpr float kGrownSize = 0.5f;
    static constexpr float kMaxSize = 0.75f;
    static constexpr float kHitGrowth = 0.02f;
    static constexpr int kLifeFrames = 3600;     // frames without a hit before the patch fades
    static constexpr float kFadeStep = 0.005f;
    static constexpr int kCloudCount = 3;
    static constexpr int kCloudPeakAlpha = 128;

    ColdObject();
    const char* ClassName() const override { return "ColdObject"; }
    CharacterBase* Clone() const override { return new ColdObject(*this); }

    void Update() override;
    void Draw() override {}
    void DrawAlpha() override;
    void DrawParticle() override;
    // A cold hit (the caller's kind is 3) grows the patch and makes it young again.
    void OnHit(CharacterBase* other) override;
    void DumpFields(ObjectFields& out) const override;
    // The patch lies on this object: from now on it melts as soon as no object of that kind stands
    // where this one stood.
    void RestOn(const CharacterBase& support);

    float size = kStartSize;
    int age = 0;
    Texture* cloudTexture = nullptr;
    D3DXMATRIX cloudMatrices[kCloudCount];
    int cloudMode = 0;  // 0 spawn new clouds, 1 fading in, 2 fading out
    D3DXVECTOR3 cloudVelocity[kCloudCount];
    int cloudAlpha = 0;

    int supportKind = KIND_MAP;  // the map never moves
    D3DXVECTOR3 supportAt{0, 0, 0};

private:
    bool SupportStays() const;
    void SpawnClouds();
    void AdvanceClouds();
};
