// veldorin-reach: the reach check of the game's places over a built content tree.
//   veldorin-reach [--root DIR] [--lines N] [PLACE...]
// PLACE is hub, stage1 or stage2 (all three when none is named). Prints what the player can reach
// that the design does not allow, and exits 1 when any place is unsound or could not be read.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/reach/ReachCheck.h"

int main(int argc, char** argv) {
    std::string root = ".";
    size_t lines = 20;
    std::vector<std::string> names;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--root" && k + 1 < argc) root = argv[++k];
        else if (arg == "--lines" && k + 1 < argc) lines = std::strtoul(argv[++k], nullptr, 10);
        else names.push_back(arg);
    }
    if (names.empty())
        for (const reach::PlaceRules& p : reach::Places()) names.push_back(p.name);
    int status = 0;
    for (const std::string& name : names) {
        const reach::PlaceRules* rules = reach::FindPlace(name);
        if (!rules) {
            std::fprintf(stderr, "veldorin-reach: no place named %s\n", name.c_str());
            status = 1;
            continue;
        }
        const reach::PlaceReport report = reach::CheckPlace(root, *rules);
        std::fputs(reach::Describe(report, lines).c_str(), stdout);
        if (!report.loaded || !report.findings.empty()) status = 1;
    }
    return status;
}
