#pragma once
// A rolling statue's gate. The statue rolls along one axis in front of the way on and blocks whatever
// the player walks up to; the rooms beyond its line (away from where the player began) may be entered
// only after it has been frozen through (freeze level 3, when it stops rolling) at least once.
#include "explore/Gate.h"

class CStoneStatue;

class StatueGate : public Gate {
public:
    static constexpr float kMargin = 1.0f;  // past the far face of the statue's block: a whole body beyond it

    static std::unique_ptr<Gate> Make(CStoneStatue& statue, const GateContext& context);

    bool Pass(const Player& player, std::string& broken) override;
    const char* Rule() const override { return "gate-statue"; }
    std::string Describe() const override;

private:
    explicit StatueGate(CStoneStatue& statue) : statue(statue) {}

    CStoneStatue& statue;
    D3DXVECTOR3 normal;  // across the statue's track, toward the far side
    float farLine = 0.0f;
    bool solved = false;
};
