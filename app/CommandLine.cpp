#include "app/CommandLine.h"

const char* const kGameUsage =
    "usage: veldorin [--fullscreen | --window] [--replay FILE] [--help]\n"
    "  --fullscreen    play full screen without asking\n"
    "  --window        play in a window without asking\n"
    "  --replay FILE   play a saved journal (a replay) back; Esc leaves it\n"
    "  --help          show this list and end\n"
    "Without --fullscreen or --window the window mode chosen in Options is used; with none chosen\n"
    "the game asks at the start.\n";

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--fullscreen" || arg == "--window") {
            const WindowMode mode = arg == "--window" ? WindowMode::Window : WindowMode::FullScreen;
            if (line.window != WindowMode::Ask && line.window != mode) {
                error = "--fullscreen and --window cannot both be given";
                return false;
            }
            line.window = mode;
        } else if (arg == "--replay") {
            if (i + 1 >= args.size() || !line.replay.empty()) {
                error = i + 1 >= args.size() ? "--replay needs a FILE" : "only one --replay can be given";
                return false;
            }
            line.replay = args[++i];
        } else {
            error = "unknown argument " + arg;
            return false;
        }
    }
    return true;
}
