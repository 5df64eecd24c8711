#pragma once
// The headless runner's command line.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SimOptions {
    std::string root;                           // working directory; empty: the built content tree
    int frames = 600;
    bool framesGiven = false;                   // --frames was given (a journal's own length otherwise)
    std::optional<int> scene;                   // start scene id (with stage)
    int stage = 0;
    bool stageGiven = false;
    std::string inputPath;
    std::string dumpPath;
    bool render = false;
    std::map<int, std::string> screenshots;     // frame -> PNG path
    // Loading-screen pictures, written "F+K": the K-th picture (from 1) a resource load presents after
    // main-loop frame F (0: before the first frame, the start-up load) -> PNG path.
    std::map<std::pair<int, int>, std::string> loadScreenshots;
    bool shotsOnly = false;                     // only the frames pictures are taken of draw pixels
    bool fullScreen = false;                    // the answer to the full-screen question
    bool liveInput = false;                     // the window's real keyboard, mouse and pads instead of a script
    bool realTime = false;                      // frames take 16 ms of real time, as the game's do
    bool profile = false;                       // time the phases of every frame, print them at the end
    int dumpEvery = 1;                          // the dump holds the frames that are multiples of this
    int rssEvery = 0;                           // every this many frames a line of resident memory; 0: none
    std::string journalPath;                    // the journal of the last scene played, written at the end
    std::string replaysFolder;                  // where reached goals and F8 save their journals
    std::string settingsPath;                   // the settings file read and written; empty: the defaults, kept nowhere
};

// Parses argv; on failure returns false with a message naming the bad option.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

extern const char* const kSimUsage;
