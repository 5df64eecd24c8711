#pragma once
// A stone box: too heavy to push unless frozen through or standing on ice; doors carry it; it freezes
// through sooner and its pieces fly further.
#include "objects/CIceBox.h"

class CStoneBox : public CIceBox {
public:
    CStoneBox();
    CharacterBase* Clone() const override { return new CStoneBox(*this); }
};
