// The game's entry point: asks windowed or full screen, opens the 800 x 600 window and plays.
// "veldorin --replay FILE" plays a journal back instead, at the game's own speed; Esc leaves it.
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/Application.h"
#include "app/ContentTree.h"
#include "app/Recorder.h"
#include "platform/Platform.h"
#include "platform/sys/Paths.h"
#include "platform/sys/PlayerData.h"
#include "sim/InputScript.h"

namespace {

// Reads the journal to play; false (after saying why) when there is none to play.
bool ReadReplay(const std::string& path, InputScript& script) {
    std::string text, error;
    if (!platform::ReadFile(path, text)) error = "cannot read it";
    else if (ReadJournal(text, script, error) && IsPlayableJournal(*script.Header(), error)) return true;
    const std::string message = "The replay " + path + " cannot be played: " + error + ".";
    std::cerr << "veldorin: " << message << "\n";
    MessageBoxA(nullptr, message.c_str(), "VELDORIN", MB_OK);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::string replay;
    if (argc == 3 && std::strcmp(argv[1], "--replay") == 0) {
        std::error_code ec;
        replay = std::filesystem::absolute(argv[2], ec).string();
    } else if (argc > 1) {
        std::cerr << "usage: veldorin [--replay FILE]\n";
        return 2;
    }
    EnterContentTree(argv[0]);
    platform::GetSettings().headless = false;
    InputScript script;
    if (!replay.empty()) {
        if (!ReadReplay(replay, script)) return 1;
        ApplyJournalStart(*script.Header());
        Recorder::GetInstance().PlayBack(&script, true);
    }
    const std::string data = platform::PlayerDataFolder();
    if (!data.empty()) Recorder::GetInstance().replaysFolder = data + "replays/";
    Application& app = Application::GetInstance();
    int result = 0;
    if (app.Initialize(nullptr)) result = app.Run();
    platform::Shutdown();
    return result;
}
