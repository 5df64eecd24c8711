#pragma once
// The stage geometry: an ordinary placed object of kind 1, drawn before every other object and never
// into the shadow map (it receives shadows, it does not cast them). A place's map is drawn in pieces
// so that culling can leave out the ones out of view; the first piece's line carries the collision
// mesh of the whole place, and the others say Collide(0): nothing collides with them, so collision
// is the same as with one whole map.
#include "objects/CharacterBase.h"

class Map : public CharacterBase {
public:
    Map() { kind = KIND_MAP; }
    const char* ClassName() const override { return "Map"; }
    CharacterBase* Clone() const override { return new Map(*this); }
    void Init(std::vector<std::string> params) override {
        collides = true;
        CharacterBase::Init(std::move(params));
    }
    // Only Collide(0) turns collision off; any other value leaves it on.
    void ReadClassParam(const std::string& key, const std::string& value) override {
        if (key == "Collide") collides = value != "0";
    }
    void Update() override { *world = rotMat * transMat; }
    void DrawShadow() override {}
    Mesh* GetColMesh() override { return collides ? CharacterBase::GetColMesh() : nullptr; }

private:
    bool collides = true;
};
