#pragma once
// An eagle statue on a wheel (kind 8) that rolls along one world axis to block the player: while the
// player is within 10 units of its lane it rolls toward the player's coordinate on that axis, stopping short of
// walls, boxes and switches. Cold hits freeze it in steps shown by ice overlays; frozen to level 3 it
// no longer moves, and fully frozen it is drawn encased in a block of ice (its collision mesh).
#include "objects/CharacterBase.h"

class CStoneStatue : public CharacterBase {
public:
    static constexpr float kChaseRange = 10.0f;
    static constexpr float kRollStep = 0.11f;       // per frame along the axis
    static constexpr float kSnapDistance = 0.2f;    // closer than this it stands on the player's line
    static constexpr float kProbeLift = 0.7f;       // the blocking ray's height above the statue's feet
    // Nearer obstacles ahead undo the frame's roll: its block (0.65 a side) comes within a hand of a wall,
    // leaving no gap the player could slip through.
    static constexpr float kStopDistance = 0.8f;
    static constexpr float kProbeWindow = 5.0f;
    // A player in the statue's way: within the walking clearance of its block, its feet below the top
    // and its head (this high above the feet) above the bottom. The shove takes it a little further.
    static constexpr float kPlayerClearance = 0.5f;
    static constexpr float kPlayerHeight = 1.7f;
    static constexpr float kOnTopTolerance = 0.05f;
    static constexpr float kShoveSpare = 0.01f;
    static constexpr float kMoveEpsilon = 0.001f;
    static constexpr int kRollSound = 11;
    static constexpr float kWheelTurnPerUnit = 20.0f;  // degrees of wheel per unit rolled
    static constexpr int kFreezePerHit = 5;
    static constexpr int kMaxFreeze = 150;          // encased
    static constexpr int kFrozenLevel = 3;          // from 100 on it no longer moves

    // Overlay meshes, in the order they are loaded.
    enum Overlay { EAGLE_ICE_1, EAGLE_ICE_2, WHEEL_ICE, OVERLAY_COUNT };
    static constexpr const char* kOverlayFiles[OVERLAY_COUNT] = {
        "data/xfile/Statue/Statue_Eagle_Ice.x", "data/xfile/Statue/Statue_Eagle_Ice2.x",
        "data/xfile/Statue/Wheel_Ice.x"};

    CStoneStatue();
    const char* ClassName() const override { return "CStoneStatue"; }
    CharacterBase* Clone() const override { return new CStoneStatue(*this); }
    void Relink(const Counterpart& counterpart) override { target = counterpart(target); }

    void Init(std::vector<std::string> params) override;
    void Update() override;
    void Draw() override;
    void DrawAlpha() override;
    void DrawShadow() override;
    // A cold hit (the caller's kind is 3) freezes it one step further.
    void OnHit(CharacterBase* other) override;
    void DumpFields(ObjectFields& out) const override;

    // The freeze level of a freeze amount: 0 up to 20, 1 to 49, 2 to 99, 3 from 100.
    static int FreezeLevel(int amount);

    CharacterBase* target = nullptr;
    int chasing = 0;
    Mesh* wheelMesh = nullptr;
    D3DXMATRIX wheelTransform;
    float wheelAngle = 0.0f;  // degrees
    int axis = 1;             // 0 rolls along world z, 1 along world x
    int freezeAmount = 0;     // 0 .. 150
    Mesh* overlays[OVERLAY_COUNT] = {};
    DrawParams overlayParams[OVERLAY_COUNT];
    // The collision block's extent around the position, turned as placed.
    D3DXVECTOR3 footMin{0.0f, 0.0f, 0.0f}, footMax{0.0f, 0.0f, 0.0f};

private:
    void Chase();
    // Undoes the frame's roll when an obstacle stands nearer than kStopDistance ahead of it.
    void StopAtObstacles(const D3DXVECTOR3& before);
    // Shoves a player the roll has reached out of the lane, or undoes the roll.
    void ClearLane(const D3DXVECTOR3& before);
    float DepthInLane(const CharacterBase& player) const;
    void MeasureFootprint();
    void ReadAxis(const std::string& value);
    void TurnWheel();
    void PlaceWheel();
    bool Encased() const { return freezeAmount >= kMaxFreeze; }
};
