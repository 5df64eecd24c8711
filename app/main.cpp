// The game's entry point: asks windowed or full screen, opens the 800 x 600 window and plays.
// "veldorin --replay FILE" plays a journal back instead, at the game's own speed; Esc leaves it.
// "--fullscreen" or "--window" answers the start question; "--help" lists the options.
#include <filesystem>
#include <iostream>
#include <string>

#include "app/Application.h"
#include "app/ApplySettings.h"
#include "app/CommandLine.h"
#include "app/SettingsFile.h"
#include "graphics/GraphicsDevice.h"
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
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), line, error)) {
        std::cerr << "veldorin: " << error << "\n" << kGameUsage;
        return 2;
    }
    if (line.help) {
        std::cout << kGameUsage;
        return 0;
    }
    std::string replay;
    if (!line.replay.empty()) {
        std::error_code ec;
        replay = std::filesystem::absolute(line.replay, ec).string();
    }
    EnterContentTree(argv[0]);
    platform::GetSettings().headless = false;
    SettingsStore& settings = SettingsStore::GetInstance();
    settings.Load(DefaultSettingsPath());
    const WindowMode window = line.window != WindowMode::Ask ? line.window : settings.Current().windowMode;
    if (window != WindowMode::Ask) GraphicsDevice::GetInstance().fullScreenAnswer = window == WindowMode::FullScreen;
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
