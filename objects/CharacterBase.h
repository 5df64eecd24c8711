#pragma once
// The base of every object that lives in a stage: display and collision meshes, the object's own draw
// parameters, its transforms and world matrix, velocity, kind, state and removal flag, and the
// operations through which the scenes, the shader manager and the objects drive one another.
#include <functional>
#include <string>
#include <vector>

#include "graphics/DrawParams.h"
#include "platform/d3d9/D3D9Types.h"

class CShaderBase;
class Mesh;
class ObjectFields;

// Object kinds: what queries gather and what OnHit branches on.
enum ObjectKind {
    KIND_PLAYER = 0,
    KIND_MAP = 1,
    KIND_GOAL = 2,
    KIND_COLD = 3,
    KIND_BOX = 4,
    KIND_SWITCH = 5,
    KIND_STATUE = 8,
    KIND_ITEM = 9,
    KIND_CHEST = 10,
    KIND_DOOR = 11,
    KIND_LAUNCHER = 12,
};

class CharacterBase {
public:
    CharacterBase();
    CharacterBase& operator=(const CharacterBase&) = delete;
    virtual ~CharacterBase();

    // --- set-up ---
    // Reads the placement parameters (item 0, the class name, is skipped) and builds the world matrix.
    virtual void Init(std::vector<std::string> params);
    // Spawned objects start here instead of Init.
    virtual void Reset();

    // --- frame ---
    virtual void Update() = 0;
    // Opaque draw of the mesh with the toon shader.
    virtual void Draw();
    // Translucent and effect drawing, after every opaque draw.
    virtual void DrawAlpha() {}
    // Screen-space drawing after the 3D scene.
    virtual void Draw2D() {}
    // The mesh into the shadow map, when the object casts a shadow.
    virtual void DrawShadow();
    virtual void DrawParticle() {}

    // --- queries and contacts ---
    virtual void ComputeBounds();
    virtual bool IsEnabled(int) { return true; }
    virtual void OnNotify(int) {}
    // Another object touched or hit this one; the receiver branches on other->kind.
    virtual void OnHit(CharacterBase* other) { (void)other; }
    virtual Mesh* GetMesh() { return mesh; }
    // What collision tests against: the collision mesh, or the display mesh without one.
    virtual Mesh* GetColMesh() { return colMesh ? colMesh : mesh; }
    // Copies into transMat; the world matrix is rebuilt by the class when it chooses.
    virtual void SetTransMatrix(D3DXMATRIX m) { transMat = m; }

    // The class name a placement line uses for it (for dumps and messages).
    virtual const char* ClassName() const = 0;
    // The class's own values for diagnostics; the shared fields are read directly.
    virtual void DumpFields(ObjectFields& out) const { (void)out; }

    // --- snapshots of the stage ---
    // A copy of the object as it stands, with its own draw parameters and world matrix, sharing the
    // meshes and textures; null for a class that cannot be copied. Pointers to other objects still
    // name the originals until Relink.
    virtual CharacterBase* Clone() const { return nullptr; }
    // Points every reference to another object at that object's counterpart in a copied list.
    using Counterpart = std::function<CharacterBase*(const CharacterBase*)>;
    virtual void Relink(const Counterpart& counterpart) { (void)counterpart; }

    // The common placement keys; true for a "Pos" or "Angle" with at least one component.
    bool SetParam(const std::string& key, const std::string& value);
    // A class's own placement keys, offered every item after SetParam has seen it (base Init).
    virtual void ReadClassParam(const std::string& key, const std::string& value) { (void)key, (void)value; }
    // The position: the fourth row of transMat.
    D3DXVECTOR3 Position() const { return D3DXVECTOR3(transMat._41, transMat._42, transMat._43); }
    // Writes the position into the fourth rows of transMat and of world.
    void MoveTo(const D3DXVECTOR3& p);

    Mesh* mesh = nullptr;
    DrawParams* drawParams;
    Mesh* colMesh = nullptr;
    D3DXMATRIX* world;
    D3DXMATRIX transMat;
    D3DXMATRIX rotMat;
    D3DXMATRIX scaleMat;
    D3DXVECTOR3 move;
    int state = 0;
    int kind = -1;
    int dead = 0;
    float fallSpeed = 0.0f;
    int groundKind = -1;
    D3DXVECTOR3 sphereCenter;
    float sphereRadius = 0.0f;
    D3DXVECTOR3 boxMin;
    D3DXVECTOR3 boxMax;
    D3DXVECTOR3 boxSize;

protected:
    // What Clone builds on: the owned draw parameters and world matrix are copied, not shared.
    CharacterBase(const CharacterBase& other);

    // A key of the class's own, handed on by ReadParams.
    using OwnKey = std::function<void(const std::string& key, const std::string& value)>;

    // Draws the mesh through a shader with the object's own parameters swapped into the shared mesh.
    void DrawWith(CShaderBase& shader, UINT pass);
    // What Init does: the meshes and state start over, every item goes to SetParam and, unless it was a
    // position or an angle, to ownKey as well; then the world matrix is built.
    void ReadParams(const std::vector<std::string>& params, const OwnKey& ownKey);
};

// Draws a mesh at a matrix through a shader; params, when given, stand in for the shared mesh's own
// draw parameters for the length of the draw. Nothing happens without a mesh.
void DrawMeshWith(CShaderBase& shader, Mesh* mesh, DrawParams* params, const D3DXMATRIX& at, UINT pass);

// Splits a placement item "Key(value)" into key and value; false for an item without "(".
bool SplitParam(const std::string& item, std::string& key, std::string& value);
