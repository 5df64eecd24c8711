// The two kinds of box: the values in which they differ.
#include "objects/CStoneBox.h"
#include "objects/CWoodBox.h"

namespace {

const BoxTraits kWood = {"CWoodBox", "Data/Texture/BreakAnim.png", true, {KIND_MAP, KIND_BOX, KIND_COLD, KIND_SWITCH},
                         true, 50, 100, 0.025f};
const BoxTraits kStone = {"CStoneBox", "Data/Texture/BreakAnim1.png", false,
                          {KIND_MAP, KIND_BOX, KIND_DOOR, KIND_COLD, KIND_SWITCH}, false, 50, 70, 0.05f};

}  // namespace

CWoodBox::CWoodBox() : CIceBox(kWood) {}
CStoneBox::CStoneBox() : CIceBox(kStone) {}
