#pragma once
// The game's command line: "veldorin [--fullscreen | --window] [--replay FILE] [--help]".
#include <string>
#include <vector>

#include "app/GameSettings.h"

struct CommandLine {
    std::string replay;                 // a journal to play back; empty: play the game
    WindowMode window = WindowMode::Ask;  // the answer to the full-screen question, if given
    bool help = false;
};

// Parses the arguments after the program's name; false with a message naming the bad argument.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

extern const char* const kGameUsage;
