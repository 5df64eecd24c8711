#pragma once
// What wood and stone boxes share: a box the player pushes, that falls and rests on what is under it,
// freezes step by step under cold shots (three ice shells drawn over it), slides while frozen through
// or standing on an ice patch, and bursts into four flying pieces when it slides into a wall like
// that; it then fades and re-forms, thawed, where the stage placed it. The classes differ only in
// the values of BoxTraits.
#include <initializer_list>

#include "objects/BreakPiece.h"
#include "objects/CharacterBase.h"

class Texture;
struct ProbeHit;

struct BoxTraits {
    const char* className;
    const char* breakTexture;
    bool alwaysPushed;           // else only frozen through or on ice
    std::initializer_list<int> groundKinds;  // what it stands on, in probing order
    bool stopsOnAnyGround;       // the velocity clears when sliding ends, whatever the ground
    int levelTwoFrom, levelThreeFrom;  // freeze amounts
    float pieceSpeed;
};

class CIceBox : public CharacterBase {
public:
    static constexpr int kLevelCount = 3;
    static constexpr int kPieceCount = 4;
    static constexpr int kMaxFreeze = 100;

    explicit CIceBox(const BoxTraits& traits);
    CharacterBase* Clone() const override { return new CIceBox(*this); }
    const char* ClassName() const override { return traits.className; }

    void Init(std::vector<std::string> params) override;
    void Update() override;
    void Draw() override;
    void DrawAlpha() override;
    void DrawShadow() override;
    // The player pushes; a cold hit freezes.
    void OnHit(CharacterBase* other) override;
    void DumpFields(ObjectFields& out) const override;

    // Moves against walls along the velocity; a frozen box or one on ice bursts at a wall.
    void MoveWithWallCheck();
    // The same check along any direction of travel (a push moves the box without leaving it a
    // velocity, so the push names its own direction).
    void StopAtWalls(const D3DXVECTOR3& direction);
    int FreezeLevel() const { return state; }

    D3DXMATRIX homeTransform;
    Mesh* levelMeshes[kLevelCount] = {};
    DrawParams levelParams[kLevelCount];
    bool breaking = false;
    BreakPiece pieces[kPieceCount];
    Texture* breakTexture = nullptr;
    int freezeAmount = 0;
    // Each box slides on its own: how far its velocity carries it this frame (0.1 on ice or frozen
    // through, running down by 0.01 a frame elsewhere).
    float slideFactor = 0.0f;
    // The height of the floor the box first came to rest on, once it has.
    float floorHeight = 0.0f;
    bool settled = false;

private:
    void Push(const CharacterBase& pusher);
    void Freeze();
    void ProbeGround();
    void Slide();
    void UpdateLevels();
    bool WallAhead(const D3DXVECTOR3& direction, ProbeHit& hit, float& w) const;
    void Burst();
    bool LeftItsFloor(bool landed, float ground) const;
    bool HomeIsClear() const;
    void Reform();
    void DrawOverlays();
    void DrawPieces();

    const BoxTraits& traits;
};
