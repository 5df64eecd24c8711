// Placement files: objects created from every line, initialised on the headless device in the content
// tree, updated for a few frames with the player walking, jumping and firing, then cleared.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "loading/ObjectPlacement.h"
#include "objects/ObjectList.h"
#include "objects/Player.h"
#include "scenes/Fade.h"
#include "sim/InputScript.h"
#include "sim/ScriptedInput.h"
#include "sound/SoundManager.h"

namespace {

constexpr int kFrames = 8;

const InputScript& Script() {
    static const InputScript script = [] {
        InputScript s;
        std::string error;
        if (!s.Parse("1-8 W LBUTTON MOUSE=30,5\n3 SPACE\n5-8 D PAD_A LX=20000\n", error)) __builtin_trap();
        return s;
    }();
    return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartHeadless();
    const fuzz::InFolder inContent(fuzz::GameDir());
    const std::string path = fuzz::ScratchDir() + "/place.txt";
    fuzz::WriteBytes(path, data, size);
    ScriptedInput input(Script());
    platform::SetInputSource(&input);
    Player::ResetShared();
    SoundManager::GetInstance().ClearRequests();
    ObjectPlacement(path);
    for (int frame = 1; frame <= kFrames; ++frame) {
        input.BeginFrame(frame);
        UpdateObjects();
        DrawObjects2D();
        RemoveDeadObjects();
        Fade::GetInstance().Update();
    }
    ClearObjects();
    platform::SetInputSource(nullptr);
    // The caches stay filled: names are the content tree's, whose files do not change between inputs,
    // and decoding the same stage's images anew for every input would leave no time for fuzzing.
    return 0;
}
