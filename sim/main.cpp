// veldorin-sim: the game's own Application and scenes run headless (or rendered with --render) for a
// fixed number of frames with scripted input and a simulated clock.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/Recorder.h"
#include "sim/SimRunner.h"

namespace {

// A journal plays in its own scene and stage for its own length; a scene or stage asked for on the
// command line must be the journal's.
bool TakeJournalStart(const InputScript& script, SimOptions& options, std::string& error) {
    const JournalHeader& header = *script.Header();
    if (!IsPlayableJournal(header, error)) return false;
    if ((options.scene && *options.scene != header.scene) || (options.stageGiven && options.stage != header.stage)) {
        error = "the journal was played in scene " + std::to_string(header.scene) + " stage " +
                std::to_string(header.stage) + ", not the one asked for";
        return false;
    }
    if (!options.framesGiven) options.frames = script.LastFrame();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "veldorin-sim: " << error << "\n" << kSimUsage;
        return 2;
    }

    // Paths on the command line are taken from where the runner was started, before it moves into the
    // game's working directory.
    namespace fs = std::filesystem;
    std::error_code ec;
    auto absolute = [&](std::string& path) {
        if (!path.empty()) path = fs::absolute(path, ec).string();
    };
    absolute(options.inputPath);
    absolute(options.dumpPath);
    absolute(options.journalPath);
    absolute(options.replaysFolder);
    absolute(options.settingsPath);
    for (auto& shot : options.screenshots) absolute(shot.second);
    for (auto& shot : options.loadScreenshots) absolute(shot.second);

    InputScript script;
    if (!options.inputPath.empty()) {
        std::ifstream file(options.inputPath, std::ios::binary);
        if (!file) {
            std::cerr << "veldorin-sim: cannot read the input script " << options.inputPath << "\n";
            return 2;
        }
        std::stringstream text;
        text << file.rdbuf();
        // A journal is read whole: a cut or damaged one is refused like a broken script.
        const bool journal = IsJournalHeaderLine(text.str().substr(0, text.str().find('\n')));
        if (!(journal ? ReadJournal(text.str(), script, error) : script.Parse(text.str(), error))) {
            std::cerr << "veldorin-sim: " << options.inputPath << ":" << (journal ? " " : "") << error << "\n";
            return 2;
        }
        if (script.Header() && !TakeJournalStart(script, options, error)) {
            std::cerr << "veldorin-sim: " << options.inputPath << ": " << error << "\n";
            return 2;
        }
    }

    std::ofstream dump;
    if (!options.dumpPath.empty()) {
        dump.open(options.dumpPath, std::ios::binary | std::ios::trunc);
        if (!dump) {
            std::cerr << "veldorin-sim: cannot write the dump " << options.dumpPath << "\n";
            return 2;
        }
    }

    // Without --root: the tree VELDORIN_ROOT names (a test's own scratch tree), else the built one.
    const char* fromEnvironment = std::getenv("VELDORIN_ROOT");
    const std::string fallback = fromEnvironment && *fromEnvironment ? fromEnvironment : VELDORIN_GAME_DIR;
    const std::string root = options.root.empty() ? fallback : options.root;
    fs::current_path(root, ec);
    if (ec) {
        std::cerr << "veldorin-sim: cannot enter the root folder " << root << ": " << ec.message() << "\n";
        return 2;
    }

    SimRunner runner(options, script, dump.is_open() ? &dump : nullptr);
    const int status = runner.Run(std::cout, std::cerr);
    dump.flush();
    if (dump.is_open() && !dump) {
        std::cerr << "veldorin-sim: writing the dump failed\n";
        return 1;
    }
    return status;
}
