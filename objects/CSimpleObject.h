#pragma once
// Static scenery that other objects treat as a solid block (kind 4, like the boxes): boxes land on it,
// statues stop at it. It never moves and ignores every contact.
#include "objects/CharacterBase.h"

class CSimpleObject : public CharacterBase {
public:
    CSimpleObject() { kind = KIND_BOX; }
    const char* ClassName() const override { return "CSimpleObject"; }
    CharacterBase* Clone() const override { return new CSimpleObject(*this); }
    void Update() override {}
    void OnHit(CharacterBase*) override {}
};
