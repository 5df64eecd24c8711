#pragma once
// What a runner dump says about a long or damaged run, read line by line without a JSON parser: each
// scene it entered (with the stage chosen and the objects on the first dumped frame there; a stage
// chosen on the title shows there before the stage begins), every progress the title showed,
// and the most objects and flame particles any dumped frame held.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

struct SceneVisit {
    int scene = 0, stage = 0, frame = 0;
    int objects = 0;
};

struct DumpSummary {
    std::vector<SceneVisit> visits;
    std::set<int> openDoors;
    int frames = 0;     // dumped frames
    int lastFrame = 0;  // the number of the last one
    int mostObjects = 0;
    int mostParticles = 0;

    // The first visit to the scene (stage -1: any stage), or null.
    const SceneVisit* Find(int scene, int stage = -1) const {
        for (const SceneVisit& visit : visits)
            if (visit.scene == scene && (stage < 0 || visit.stage == stage)) return &visit;
        return nullptr;
    }

    // The dumped frames numbered first to last.
    static DumpSummary Read(const std::string& path, int first = 0, int last = INT_MAX) {
        DumpSummary summary;
        std::ifstream in(path, std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            const int frame = Field(line, "frame");
            if (frame >= first && frame <= last) summary.Add(line);
        }
        return summary;
    }

private:
    // The integer after "name": on the line from `from`, or fallback.
    static int Field(const std::string& line, const char* name, int fallback, size_t& from) {
        const std::string key = std::string("\"") + name + "\":";
        const size_t at = line.find(key, from);
        if (at == std::string::npos) return fallback;
        from = at + key.size();
        return std::atoi(line.c_str() + from);
    }
    static int Field(const std::string& line, const char* name, int fallback = 0) {
        size_t from = 0;
        return Field(line, name, fallback, from);
    }

    void Add(const std::string& line) {
        ++frames;
        lastFrame = Field(line, "frame");
        const int scene = Field(line, "scene"), stage = Field(line, "stageSelect");
        int objects = 0;
        for (size_t at = 0; (at = line.find("{\"i\":", at)) != std::string::npos; ++at) ++objects;
        if (visits.empty() || visits.back().scene != scene) visits.push_back({scene, stage, lastFrame, objects});
        const int doors = Field(line, "openDoors", -1000);
        if (doors != -1000) openDoors.insert(doors);
        mostObjects = std::max(mostObjects, objects);
        for (size_t from = 0;;) {
            const int particles = Field(line, "particles", -1, from);
            if (particles < 0) break;
            mostParticles = std::max(mostParticles, particles);
        }
    }
};
