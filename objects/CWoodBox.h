#pragma once
// A wooden box: always pushed; it bursts into splinters.
#include "objects/CIceBox.h"

class CWoodBox : public CIceBox {
public:
    static float slideFactor;  // shared by every wood box
    CWoodBox();
};
