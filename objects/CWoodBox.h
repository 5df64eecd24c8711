#pragma once
// A wooden box: always pushed; it bursts into splinters.
#include "objects/CIceBox.h"

class CWoodBox : public CIceBox {
public:
    CWoodBox();
    CharacterBase* Clone() const override { return new CWoodBox(*this); }
};
