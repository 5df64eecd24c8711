#pragma once
// A stage world for the statues: the shaders up so draws can be recorded, a stand-in target of the
// player's kind that moves only when something moves it, and the values an object dumps.
#include <map>
#include <string>

#include "app/Application.h"
#include "tests/support/PuzzleWorld.h"

// Of the player's kind, so statues take it as their target, but it never moves by itself.
class StandIn : public CharacterBase {
public:
    StandIn() { kind = KIND_PLAYER; }
    const char* ClassName() const override { return "StandIn"; }
    void Update() override {}
};

class StatueWorldTest : public PuzzleWorldTest {
protected:
    void TearDown() override {
        Application::GetInstance().camera = nullptr;
        PuzzleWorldTest::TearDown();
    }

    StandIn* PlaceStandIn(const D3DXVECTOR3& at) {
        return Place<StandIn>({"Pos(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," + std::to_string(at.z) + ")"});
    }

    // The whole-number values an object dumps, by name.
    static std::map<std::string, int> Dumped(const CharacterBase& object) {
        std::map<std::string, int> ints;
        for (const auto& [name, value] : FieldLog(object).values) ints[name] = static_cast<int>(value);
        return ints;
    }
};
