#include "sim/SimOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>

const char* const kSimUsage =
    "usage: veldorin-sim [--root DIR] [--frames N] [--scene ID] [--stage N] [--input FILE] [--dump FILE]\n"
    "                    [--render] [--screenshot FRAME:PATH]... [--shots-only] [--fullscreen yes|no] [--live-input]\n"
    "                    [--real-time] [--profile] [--dump-every N] [--rss-every N] [--journal FILE]\n"
    "                    [--replays DIR] [--settings FILE]\n"
    "An --input journal (a script whose first line is a \"#!journal\" header) starts in its own scene\n"
    "and stage and runs for its own length unless --scene, --stage or --frames say otherwise\n"
    "FRAME is a main-loop frame (from 1) or F+K, the K-th loading-screen picture after frame F\n";

namespace {

bool ToInt(const std::string& text, int min, int max, int& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end && out >= min && out <= max;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool hasValue = i + 1 < args.size();
        auto value = [&]() -> const std::string& { return args[++i]; };
        static const std::pair<const char*, bool SimOptions::*> kSwitches[] = {
            {"--render", &SimOptions::render},        {"--live-input", &SimOptions::liveInput},
            {"--real-time", &SimOptions::realTime},   {"--profile", &SimOptions::profile},
            {"--shots-only", &SimOptions::shotsOnly},
        };
        const auto flag = std::find_if(std::begin(kSwitches), std::end(kSwitches),
                                       [&](const auto& known) { return option == known.first; });
        if (flag != std::end(kSwitches)) {
            options.*(flag->second) = true;
            continue;
        }
        if (!hasValue) {
            error = option.rfind("--", 0) == 0 ? "option " + option + " needs a value" : "unknown argument " + option;
            return false;
        }
        if (option == "--root") {
            options.root = value();
        } else if (option == "--frames") {
            if (!ToInt(value(), 1, 100000000, options.frames)) {
                error = "--frames needs a whole number of frames, not '" + args[i] + "'";
                return false;
            }
            options.framesGiven = true;
        } else if (option == "--scene") {
            int id = 0;
            if (!ToInt(value(), 1, 3, id)) {
                error = "--scene needs 1 (title), 2 (game) or 3 (continue), not '" + args[i] + "'";
                return false;
            }
            options.scene = id;
        } else if (option == "--stage") {
            if (!ToInt(value(), -1, 1000, options.stage)) {
                error = "--stage needs a stage number, not '" + args[i] + "'";
                return false;
            }
            options.stageGiven = true;
        } else if (option == "--dump-every" || option == "--rss-every") {
            int& every = option == "--dump-every" ? options.dumpEvery : options.rssEvery;
            if (!ToInt(value(), 1, 100000000, every)) {
                error = option + " needs a whole number of frames, not '" + args[i] + "'";
                return false;
            }
        } else if (option == "--input") {
            options.inputPath = value();
        } else if (option == "--dump") {
            options.dumpPath = value();
        } else if (option == "--journal") {
            options.journalPath = value();
        } else if (option == "--replays") {
            options.replaysFolder = value();
        } else if (option == "--settings") {
            options.settingsPath = value();
        } else if (option == "--screenshot") {
            const std::string& shot = value();
            const size_t colon = shot.find(':');
            const std::string frameText = colon == std::string::npos ? std::string() : shot.substr(0, colon);
            const size_t plus = frameText.find('+');
            int frame = 0, picture = 0;
            const bool valid =
                colon != std::string::npos && colon + 1 < shot.size() &&
                (plus == std::string::npos
                     ? ToInt(frameText, 1, 100000000, frame)
                     : ToInt(frameText.substr(0, plus), 0, 100000000, frame) &&
                           ToInt(frameText.substr(plus + 1), 1, 100000000, picture));
            if (!valid) {
                error = "--screenshot needs FRAME:PATH or F+K:PATH, not '" + shot + "'";
                return false;
            }
            if (picture) options.loadScreenshots[{frame, picture}] = shot.substr(colon + 1);
            else options.screenshots[frame] = shot.substr(colon + 1);
        } else if (option == "--fullscreen") {
            const std::string& answer = value();
            if (answer != "yes" && answer != "no") {
                error = "--fullscreen needs yes or no, not '" + answer + "'";
                return false;
            }
            options.fullScreen = answer == "yes";
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    if ((!options.screenshots.empty() || !options.loadScreenshots.empty()) && !options.render) {
        error = "--screenshot needs --render (the headless device keeps no pictures)";
        return false;
    }
    if (options.shotsOnly && !options.render) {
        error = "--shots-only needs --render";
        return false;
    }
    if (options.liveInput && (!options.render || !options.inputPath.empty())) {
        error = "--live-input needs --render (a real window) and no --input script";
        return false;
    }
    return true;
}
