#pragma once
// veldorin-explore's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ExploreOptions {
    double seconds = 60.0;              // how long to explore (wall time), unless runs is set
    int runs = 0;                       // a fixed number of runs instead (deterministic)
    std::optional<uint32_t> seed;       // the first run's seed; the next runs count up from it
    std::string place = "all";          // hub, stage1, stage2 or all (taking turns)
    int frames = 8000;                  // frames per run
    std::string out;                    // folder for the failing cases; empty: none written
    std::vector<std::string> replay;    // case files to replay instead of exploring
    std::string game;                   // the built content tree to copy; empty: the build's
    int casesPerRule = 3;               // cases written for each place and rule
    bool verbose = false;               // a line for every run
};

bool ParseExploreOptions(const std::vector<std::string>& args, ExploreOptions& options, std::string& error);

extern const char* const kExploreUsage;
