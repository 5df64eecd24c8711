#pragma once
// The stage geometry: an ordinary placed object of kind 1, drawn before every other object and never
// into the shadow map (it receives shadows, it does not cast them).
#include "objects/CharacterBase.h"

class Map : public CharacterBase {
public:
    Map() { kind = KIND_MAP; }
    const char* ClassName() const override { return "Map"; }
    CharacterBase* Clone() const override { return new Map(*this); }
    void Update() override { *world = rotMat * transMat; }
    void DrawShadow() override {}
};
