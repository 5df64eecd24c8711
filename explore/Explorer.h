#pragma once
// The explorer's campaign: runs one after another, taking turns over the places asked for, each with
// its own seed (the first given or drawn from the clock, then counting up) that also picks the saved
// progress the run starts with. Every broken rule is printed with its seed; the first few cases of
// each place and rule are written as replayable input files. Replays read such files and play them
// again under the same rules.
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "explore/CaseFile.h"
#include "explore/ExploreOptions.h"
#include "explore/Run.h"

class ScratchTree;

struct ExploreSummary {
    int runs = 0;
    long long frames = 0;
    double seconds = 0.0;
    std::vector<CaseFile> found;                  // one per broken run
    std::map<std::string, int> byRule;            // "place rule" -> runs that broke it
};

class Explorer {
public:
    Explorer(const ExploreOptions& options, std::ostream& log);
    ~Explorer();

    ExploreSummary Explore();
    // Plays a case file again; false when it could not be read. The result says what broke, if anything.
    bool Replay(const std::string& path, CaseFile& result, std::string& error);

    // The progress a seed's run starts with: none, 1, 2 or 3.
    static std::optional<int> ProgressOf(uint32_t seed);

private:
    CaseFile RunOnce(const Place& place, uint32_t seed);
    void Keep(const CaseFile& found, ExploreSummary& summary);

    const ExploreOptions& options;
    std::ostream& log;
    ScratchTree* tree;
};
