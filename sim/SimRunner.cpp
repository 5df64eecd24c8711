#include "sim/SimRunner.h"

#include <fstream>
#include <iostream>
#include <thread>
#include <vector>

#include "app/ApplySettings.h"
#include "app/Recorder.h"
#include "graphics/GraphicsDevice.h"
#include "loading/SaveData.h"
#include "platform/Platform.h"
#include "platform/image/PngWriter.h"
#include "platform/sys/MessageBoxHook.h"
#include "sim/FrameDump.h"
#include "sim/ResidentMemory.h"

SimRunner::SimRunner(const SimOptions& opts, const InputScript& played, std::ostream* dumpStream)
    : options(opts), script(played), dump(dumpStream), input(played) {}

SimRunner::~SimRunner() {
    OverrideProgress(std::nullopt);
    SetLoadPacing(nullptr);
    platform::SetClock(nullptr);
    platform::SetInputSource(nullptr);
    platform::SetMessageBoxHandler({});
    platform::GetSettings().drawPixels = true;
    Application::GetInstance().observer = nullptr;
    SettingsStore::GetInstance().Reset();
}

int SimRunner::Run(std::ostream& output, std::ostream& errors) {
    out = &output;
    err = &errors;
    platform::GetSettings().headless = !options.render;
    platform::SetClock(&clock);
    loadPacing.onPresent = [this] { LoadingPicture(); };
    SetLoadPacing(&loadPacing);
    // Live input reads the window's own devices, as the game does.
    if (!options.liveInput) platform::SetInputSource(&input);
    // Nobody is there to answer: boxes are printed and answered at once.
    const bool fullScreen = options.fullScreen;
    platform::SetMessageBoxHandler([&errors, fullScreen](const char* text, const char* caption, UINT type) {
        errors << "message box: [" << caption << "] " << text << "\n";
        if ((type & 0xF) == MB_YESNO) return fullScreen ? IDYES : IDNO;
        return IDOK;
    });

    SettingsStore::GetInstance().Load(options.settingsPath);
    Application& app = Application::GetInstance();
    app.observer = this;
    Recorder& recorder = Recorder::GetInstance();
    recorder.replaysFolder = options.replaysFolder;
    if (script.Header()) {
        ApplyJournalStart(*script.Header());
        recorder.PlayBack(&script, false);
    }
    if (options.scene) {
        app.startScene = *options.scene;
        app.startStage = options.stage;
    }
    if (options.profile) profile = std::make_unique<FrameProfile>();
    input.BeginFrame(1);
    DrawPixelsIn(1);
    frameEnd = std::chrono::steady_clock::now();
    if (app.Initialize(nullptr)) app.Run();
    for (const auto& [when, path] : options.loadScreenshots) {
        if (!takenLoadScreenshots.count(when)) {
            errors << "veldorin-sim: no loading picture " << when.first << "+" << when.second << " was shown; "
                   << path << " not written\n";
            failed = true;
        }
    }

    output << "sim: frames=" << framesRun << " scene=" << lastScene << " quit=" << (app.quitRequested ? 1 : 0)
        << std::endl;
    if (profile) profile->Print(output);
    profile.reset();
    if (!options.journalPath.empty()) {
        std::ofstream journal(options.journalPath, std::ios::binary | std::ios::trunc);
        journal << recorder.GetJournal().Write();
        if (!journal.flush()) {
            errors << "veldorin-sim: cannot write the journal " << options.journalPath << "\n";
            failed = true;
        }
    }
    platform::Shutdown();
    return failed ? 1 : 0;
}

void SimRunner::BeforePresent(int frame) {
    auto shot = options.screenshots.find(frame);
    if (shot != options.screenshots.end()) Screenshot(shot->second, "frame " + std::to_string(frame));
}

// Runs on the loading-screen thread, which holds the device while the main thread waits.
void SimRunner::LoadingPicture() {
    ++loadPictures;
    auto shot = options.loadScreenshots.find({framesRun, loadPictures});
    if (shot != options.loadScreenshots.end()) {
        takenLoadScreenshots.insert(shot->first);
        Screenshot(shot->second, "loading picture " + std::to_string(framesRun) + "+" + std::to_string(loadPictures));
    }
}

void SimRunner::Screenshot(const std::string& path, const std::string& what) {
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
    IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
    if (!device || !device->ReadBackBuffer(pixels, width, height) || !platform::WritePng(path, pixels, width, height)) {
        *err << "veldorin-sim: could not write the screenshot of " << what << " to " << path << "\n";
        failed = true;
    }
}

bool SimRunner::AfterFrame(int frame) {
    Application& app = Application::GetInstance();
    framesRun = frame;
    if (profile) profile->EndFrame();
    loadPictures = 0;
    lastScene = CurrentSceneId(app);
    if (dump && frame % options.dumpEvery == 0) {
        DumpFrame(frame, app, dumpLine);
        dumpLine += '\n';
        dump->write(dumpLine.data(), static_cast<std::streamsize>(dumpLine.size()));
    }
    if (options.rssEvery && frame % options.rssEvery == 0) {
        const ResidentMemory memory = ReadResidentMemory();
        *out << "rss: frame=" << frame << " now=" << memory.nowKb << " peak=" << memory.peakKb << '\n';
    }
    clock.Advance(kFrameMs);
    if (options.realTime) {
        // The game clock stays simulated; only the pace follows the wall clock, sleeping out the rest
        // of each 16 ms as the game's loop does, so that an audio device hears the run as played.
        frameEnd += std::chrono::milliseconds(kFrameMs);
        const auto now = std::chrono::steady_clock::now();
        if (frameEnd > now) std::this_thread::sleep_until(frameEnd);
        else frameEnd = now;
    }
    if (frame >= options.frames) return false;
    input.BeginFrame(frame + 1);
    DrawPixelsIn(frame + 1);
    return true;
}

// The loads inside frame F show the loading pictures "F-1+K"; the start-up load, before frame 1, is "0+K".
void SimRunner::DrawPixelsIn(int frame) const {
    if (!options.shotsOnly) return;
    bool wanted = options.screenshots.count(frame) > 0;
    for (const auto& [when, path] : options.loadScreenshots) wanted = wanted || when.first == frame - 1;
    platform::GetSettings().drawPixels = wanted;
}
