#pragma once
// A stage built by a test in the headless device: map pieces made of boxes written as .x files in a
// scratch folder, objects placed from placement items, and frames stepped the way the game scene
// steps them. Runs from the built content tree, where the game's own models and images are.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "graphics/MeshManager.h"
#include "objects/Map.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "scenes/Fade.h"
#include "sound/SoundManager.h"
#include "tests/support/FakeInput.h"
#include "tests/support/HeadlessGraphics.h"
#include "tools/xmodels/MeshBuilder.h"
#include "tools/xmodels/Models.h"

struct Block {
    D3DXVECTOR3 centre;
    D3DXVECTOR3 half;
};

class StageWorldTest : public ContentTreeTest {
protected:
    void SetUp() override {
        ContentTreeTest::SetUp();
        StartDevice();
        Player::ResetShared();
        SoundManager::GetInstance().ClearRequests();
        Fade::GetInstance().mode = 0;
        Fade::GetInstance().Update();
        scratch = std::filesystem::temp_directory_path() / ("veldorin_world_" + std::to_string(::getpid()));
        std::filesystem::create_directories(scratch);
    }
    void TearDown() override {
        ClearObjects();
        MeshManager::GetInstance().ReleaseAll();
        std::error_code ec;
        std::filesystem::remove_all(scratch, ec);
        ContentTreeTest::TearDown();
    }

    // Writes the blocks as one mesh and returns its path.
    std::string WriteBlocks(const std::string& name, const std::vector<Block>& blocks) {
        xmodels::MeshBuilder b(name);
        b.AddMaterial(xmodels::Colour(0.6f, 0.6f, 0.6f));
        for (const Block& block : blocks) b.AddBox(block.centre, block.half);
        const std::string path = (scratch / (name + std::to_string(++written) + ".x")).string();
        EXPECT_TRUE(xmodels::WriteX(path, {{{name, xmodels::Identity(), {b.Build()}, {}}}, 0, {}}));
        return path;
    }

    // Creates an object of the class from placement items ("Pos(0,0,0)", ...) and appends it.
    template <typename T>
    T* Place(std::vector<std::string> items) {
        auto* object = new T;
        items.insert(items.begin(), "Name(x)");
        object->Init(items);
        AddObject(object);
        return object;
    }

    Map* PlaceMap(const std::vector<Block>& blocks) {
        return Place<Map>({"Pos(0,0,0)", "Mesh(" + WriteBlocks("Ground", blocks) + ")"});
    }
    // A flat floor whose top is y = 0.
    Map* PlaceFloor() { return PlaceMap({{{0, -0.5f, 0}, {30, 0.5f, 30}}}); }

    Player* PlacePlayer(const D3DXVECTOR3& at, int containers = 2) {
        return Place<Player>({"Pos(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," + std::to_string(at.z) + ")",
                              "SkinMesh(data/xfile/Player/player.x)", "Container(" + std::to_string(containers) + ")"});
    }

    // One frame of a stage: every object's update, the dead removed, the fade.
    void Frame(int count = 1) {
        for (int i = 0; i < count; ++i) {
            UpdateObjects();
            RemoveDeadObjects();
            Fade::GetInstance().Update();
        }
    }

    static int Plays(int slot) { return SoundManager::GetInstance().Requested(slot).plays; }
    static int CountKind(int kind) {
        std::vector<CharacterBase*> found;
        CollectByKind(found, kind);
        return static_cast<int>(found.size());
    }

    FakeInput input;
    std::filesystem::path scratch;
    int written = 0;
};
