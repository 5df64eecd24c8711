#pragma once
// A run that broke a rule, as a file: a veldorin-sim input script whose comment header says where it
// starts (scene, stage, saved progress), how to replay it and which rule broke at which frame. One
// line "#! key=value ..." carries the same for the explorer's --replay.
#include <optional>
#include <string>

struct CaseFile {
    std::string place;               // hub, stage1, stage2
    int scene = 1;
    int stage = 0;
    std::optional<int> progress;     // the save the run starts with; none: a new game
    int frames = 0;                  // frames to run
    uint32_t seed = 0;
    std::string rule;                // empty: none broke (a regression case that now holds)
    std::string detail;
    std::string script;              // the input lines

    std::string Text() const;
    bool Write(const std::string& path) const;
    // False with a reason for a file that cannot be read or lacks its "#!" line.
    static bool Read(const std::string& path, CaseFile& out, std::string& error);
};
