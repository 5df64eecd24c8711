#pragma once
// The player's cold gun. While the gun is ready a charge builds at the muzzle, shown as two spinning
// translucent crystals; once charged it fires every tenth frame. A shot is an instant ray, at most
// 8 units long, cast forward and slightly down: it freezes a box or statue, grows an ice patch, or lays
// a new patch where it strikes. A box or statue right in front of the player's body is struck first.
#include "platform/math/D3DXMath.h"

class Mesh;
struct ProbeHit;

class ShotEmitter {
public:
    static constexpr int kMeshCount = 2;
    static constexpr float kChargeStep = 0.05f;
    static constexpr float kChargedAbove = 0.9f;
    static constexpr int kFireInterval = 9;  // the counter fires once it exceeds this
    static constexpr float kRange = 8.0f;
    static constexpr int kFireSound = 16;
    static constexpr int kImpactSound = 5;

    // Loads the two charge meshes.
    void Init();
    void Update();
    // The charge crystals, additive; only while the gun is ready.
    void Draw();
    // One shot along the gun's aim.
    void Fire();

    D3DXVECTOR3 position{0, 0, 0};  // the muzzle
    D3DXMATRIX rotation;            // the player's facing
    D3DXVECTOR3 aimDirection{0.0f, -0.01f, 0.04f};
    Mesh* meshes[kMeshCount] = {nullptr, nullptr};
    D3DXMATRIX transforms[kMeshCount];
    float spin = 0.0f;    // degrees
    float charge = 0.0f;  // 0 .. 1, also the crystals' scale
    int active = 0;       // the player's aim: 1 ready
    int fireCounter = 10;  // frames since the last shot

    // The shot's direction in the world: the aim lowered a little more, turned by the facing.
    D3DXVECTOR3 ShotDirection() const;

private:
    void PlaceCrystals();
    // The box or statue right in front of the player's body, when there is one: the shot strikes it.
    bool StrikesLeanedOn(ProbeHit& hit) const;
};
