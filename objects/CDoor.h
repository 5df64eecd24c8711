#pragma once
// A door (kind 11) that moves while its switch is fully pressed and moves back when it is not. Its
// movement kind is its state; the limits of the movement are measured in the door's own turned frame,
// from where it was placed. A door without a switch keeps its open flag as it was last set (the title
// opens doors directly). Doors cast no shadow; one whose alpha is below 1 is drawn with the
// translucent objects.
#include "objects/CharacterBase.h"

class CSwitch;

enum DoorMotion {
    DOOR_MOTIONLESS = 0,
    DOOR_RIGHT = 1,
    DOOR_LEFT = 2,
    DOOR_UP = 3,
    DOOR_BACK_UP = 4,
};

class CDoor : public CharacterBase {
public:
    static constexpr float kStep = 0.02f;         // per frame, along the door's own axes
    static constexpr float kSlideRange = 2.0f;    // RIGHT and LEFT doors
    static constexpr float kLiftRange = 4.75f;    // UP doors
    static constexpr float kGravity = 0.001f;     // a closing UP door falls
    static constexpr float kBackDistance = 0.5f;  // a BACK&UP door backs this far, then rises
    static constexpr float kShoveRadius = 1.0f;
    static constexpr int kMoveSound = 7;
    static constexpr int kStopSound = 8;

    CDoor() : home(transMat) { kind = KIND_DOOR; }
    ~CDoor() override { parent = nullptr; }
    const char* ClassName() const override { return "CDoor"; }
    CharacterBase* Clone() const override { return new CDoor(*this); }
    void Relink(const Counterpart& counterpart) override;

    void Init(std::vector<std::string> params) override;
    void ReadClassParam(const std::string& key, const std::string& value) override;
    void Update() override;
    void Draw() override;
    void DrawAlpha() override;
    void DumpFields(ObjectFields& out) const override;

    CSwitch* parent = nullptr;  // the switch it follows, or none
    int open = 0;
    int moving = 0;  // 1 while travelling: the stop sound plays once on arrival
    D3DXMATRIX home;

private:
    void ShovePlayers();
    // The frame's step in the door's own frame.
    D3DXVECTOR3 LocalStep();
    // Holds the door inside its limits; true when it is at one of them.
    bool ClampToLimits();
};
