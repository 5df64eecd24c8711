// veldorin-explore: plays the hub and the stages headless with seeded, purposeful input, checks the
// game's rules after every frame, and writes every broken case as a veldorin-sim input script.
#include <iostream>

#include "explore/Explorer.h"

int main(int argc, char** argv) {
    ExploreOptions options;
    std::string error;
    if (!ParseExploreOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "veldorin-explore: " << error << "\n" << kExploreUsage;
        return 2;
    }
    Explorer explorer(options, std::cout);
    if (options.replay.empty()) {
        const ExploreSummary summary = explorer.Explore();
        return summary.found.empty() ? 0 : 1;
    }
    int broken = 0;
    for (const std::string& path : options.replay) {
        CaseFile result;
        if (!explorer.Replay(path, result, error)) {
            std::cerr << "veldorin-explore: " << error << "\n";
            return 2;
        }
        std::cout << "replay " << path << ": " << result.frames << " frames, "
                  << (result.rule.empty() ? "no rule broken" : "rule " + result.rule + " broken: " + result.detail)
                  << "\n";
        broken += result.rule.empty() ? 0 : 1;
    }
    return broken ? 1 : 0;
}
