#pragma once
// A stage world for the statues: the shaders up so draws can be recorded, a stand-in target of the
// player's kind that moves only when something moves it, and the values an object dumps.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Application.h"
#include "graphics/TextureManager.h"
#include "objects/ObjectFields.h"
#include "shaders/ShaderManager.h"
#include "tests/support/RecordedCalls.h"
#include "tests/support/StageWorld.h"

// Of the player's kind, so statues take it as their target, but it never moves by itself.
class StandIn : public CharacterBase {
public:
    StandIn() { kind = KIND_PLAYER; }
    const char* ClassName() const override { return "StandIn"; }
    void Update() override {}
};

// The whole-number values an object dumps, by name.
class IntFields : public ObjectFields {
public:
    void Int(const char* name, int value) override { ints[name] = value; }
    void Float(const char*, float) override {}
    void Vector(const char*, const D3DXVECTOR3&) override {}
    std::map<std::string, int> ints;
};

class StatueWorldTest : public StageWorldTest {
protected:
    void SetUp() override {
        StageWorldTest::SetUp();
        device = HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice());
        device->StopRecording();
        ShaderManager::GetInstance().Init();
    }
    void TearDown() override {
        Application::GetInstance().camera = nullptr;
        ClearObjects();
        ShaderManager::GetInstance().Release();
        TextureManager::GetInstance().ReleaseAll();
        StageWorldTest::TearDown();
    }

    StandIn* PlaceStandIn(const D3DXVECTOR3& at) {
        return Place<StandIn>({"Pos(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," + std::to_string(at.z) + ")"});
    }

    // The device calls made while the action runs.
    std::vector<std::string> Record(const std::function<void()>& action) { return testsupport::RecordCalls(*device, action); }
    static long Count(const std::vector<std::string>& calls, const std::string& prefix) {
        return std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }
    static std::map<std::string, int> Dumped(const CharacterBase& object) {
        IntFields fields;
        object.DumpFields(fields);
        return fields.ints;
    }

    HeadlessDevice* device = nullptr;
};
