#pragma once
// The rules the explorer holds the game to, checked after every frame:
//  - no box (wood or stone), rolling statue or door overlaps the map's solids or another of them by
//    more than a small tolerance (a door may run into the wall it is set in, never down into the floor);
//  - the player is never inside a solid (map, box, statue, closed door), never outside the map's outer
//    walls, on or above the wall tops, or fallen below the lowest floor, and never past a gate not yet
//    solved (see Gate.h and its kinds);
//  - no position, angle or speed is NaN or infinite (every object, the player's program-wide values,
//    the camera, the mouse angles);
//  - the object list and every fire statue's flames stay bounded;
//  - the saved progress never goes down.
// The stage's solids and gates are read anew whenever a new stage stands in the object list.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "explore/Gate.h"
#include "explore/MapSolids.h"
#include "explore/ObjectBounds.h"

class CharacterBase;

struct Violation {
    std::string rule;
    int frame = 0;
    std::string detail;
};

class RuleChecker {
public:
    static constexpr float kTolerance = 0.05f;     // overlaps shallower than this are contact
    static constexpr float kPlayerInset = 0.1f;    // the player's middle may touch a solid's skin
    static constexpr float kWallTopMargin = 0.05f;
    static constexpr float kFallMargin = 1.0f;
    static constexpr size_t kExtraObjects = 600;   // beyond the placed ones (shots, ice patches, ...)
    static constexpr size_t kMaxFlames = 600;      // per fire statue
    static constexpr int kProgressEvery = 30;      // frames between two readings of the save

    using ProgressReader = std::function<std::optional<int>()>;
    RuleChecker(ProgressReader progress, std::optional<int> startProgress);
    ~RuleChecker();

    // A scene change is pending: the next frame builds a new stage, perhaps in the memory of the old one,
    // so its objects cannot be told apart by address.
    void NewStage() { stale = true; }
    // Checks the frame just run; false with the first broken rule.
    bool Check(int frame, Violation& out);

    size_t PeakObjects() const { return peakObjects; }
    size_t PeakFlames() const { return peakFlames; }
    // What the checker derived for the current stage (solids, gates), one line each.
    std::vector<std::string> Describe() const;

private:
    void Rebuild();
    bool Finite(std::string& detail) const;
    bool Objects(std::string& rule, std::string& detail);
    bool PlayerPlace(std::string& rule, std::string& detail);
    bool Counts(std::string& rule, std::string& detail);
    bool ProgressKept(int frame, std::string& detail);

    ProgressReader readProgress;
    std::optional<int> bestProgress;
    MapSolids solids;
    ObjectBounds bounds;
    std::vector<std::unique_ptr<Gate>> gates;
    const CharacterBase* stageMap = nullptr;   // the stage is known by its first map and its player
    const CharacterBase* stagePlayer = nullptr;
    bool stale = true;
    size_t placedObjects = 0;
    size_t peakObjects = 0, peakFlames = 0;
    std::vector<CharacterBase*> solidObjects;  // boxes, rolling statues and doors, gathered per frame
};
