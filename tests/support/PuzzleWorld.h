#pragma once
// A stage world whose objects can also be drawn: the shaders are loaded, and the device's calls are
// recorded around one action at a time. For the puzzle objects' tests.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "graphics/TextureManager.h"
#include "objects/CSimpleObject.h"
#include "objects/ObjectFields.h"
#include "shaders/ShaderManager.h"
#include "tests/support/RecordedCalls.h"
#include "tests/support/StageWorld.h"

// Stands in for another object in contact tests: a plain object of any kind.
class Toucher : public CSimpleObject {
public:
    explicit Toucher(int asKind) { kind = asKind; }
};

// The values an object gives the runner's dump, by name.
class FieldLog : public ObjectFields {
public:
    explicit FieldLog(const CharacterBase& object) { object.DumpFields(*this); }
    void Int(const char* name, int value) override { values[name] = static_cast<float>(value); }
    void Float(const char* name, float value) override { values[name] = value; }
    void Vector(const char* name, const D3DXVECTOR3& value) override { values[name] = value.x; }
    std::map<std::string, float> values;
};

class PuzzleWorldTest : public StageWorldTest {
protected:
    void SetUp() override {
        StageWorldTest::SetUp();
        device = HeadlessDevice::From(GraphicsDevice::GetInstance().GetDevice());
        device->StopRecording();
        ShaderManager::GetInstance().Init();
        ASSERT_NE(ShaderManager::GetInstance().toon.effect, nullptr);
    }
    void TearDown() override {
        ClearObjects();
        ShaderManager::GetInstance().Release();
        TextureManager::GetInstance().ReleaseAll();
        StageWorldTest::TearDown();
    }

    // A stand-in of the kind, appended to the list at the point.
    Toucher* PlaceToucher(int asKind, const D3DXVECTOR3& at = D3DXVECTOR3(0, 0, 0)) {
        auto* toucher = new Toucher(asKind);
        D3DXMatrixTranslation(&toucher->transMat, at.x, at.y, at.z);
        *toucher->world = toucher->transMat;
        toucher->move = D3DXVECTOR3(0, 0, 0);
        AddObject(toucher);
        return toucher;
    }

    std::vector<std::string> Record(const std::function<void()>& action) { return testsupport::RecordCalls(*device, action); }
    static int Count(const std::vector<std::string>& calls, const std::string& prefix) {
        return testsupport::CountCalls(calls, prefix);
    }
    static long IndexOf(const std::vector<std::string>& calls, const std::string& prefix) {
        return testsupport::IndexOfCall(calls, prefix);
    }
    // The world matrix the toon effect was last given.
    static D3DXMATRIX ToonWorld() {
        D3DXMATRIX m;
        ShaderManager::GetInstance().toon.effect->GetMatrix("mW", &m);
        return m;
    }

    static constexpr const char* kCrate = "Mesh(data/xfile/Object/Crate.x)";
    static constexpr const char* kBarrel = "data/xfile/Object/Barrel.x";
    HeadlessDevice* device = nullptr;
};
