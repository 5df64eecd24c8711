#include "explore/Run.h"

#include "app/Application.h"
#include "app/SceneId.h"
#include "explore/GameSession.h"
#include "explore/ScratchTree.h"
#include "sim/FrameDump.h"

const std::vector<Place>& Places() {
    static const std::vector<Place> places = {{"hub", SCENE_TITLE, 0}, {"stage1", SCENE_GAME, 0}, {"stage2", SCENE_GAME, 1}};
    return places;
}

const Place* FindPlace(const std::string& name) {
    for (const Place& place : Places())
        if (name == place.name) return &place;
    return nullptr;
}

RunResult PlayRun(ScratchTree& tree, const Place& place, std::optional<int> progress, int frames,
                  const FrameSource& source, InputRecord& record) {
    RunResult result;
    tree.SetProgress(progress);
    ExploreInput input;
    const FrameInput first = source(1);
    record.Add(first);
    GameSession session(tree.Root(), place.scene, place.stage, input, first);
    RuleChecker checker([&tree] { return tree.Progress(); }, progress);
    for (int frame = 1; frame <= frames; ++frame) {
        if (Application::GetInstance().nextScene != SCENE_NONE) checker.NewStage();
        if (!session.RunFrame()) {
            result.quit = true;
            break;
        }
        result.frames = frame;
        if (!checker.Check(frame, result.violation)) {
            // The run may have left the place it began in (Esc to the hub, a goal): say where it broke.
            const Application& app = Application::GetInstance();
            result.violation.detail += " (in scene " + std::to_string(CurrentSceneId(app)) + ", stage " +
                                       std::to_string(app.stageSelect) + ")";
            result.broke = true;
            break;
        }
        if (frame == frames) break;
        const FrameInput next = source(frame + 1);
        record.Add(next);
        session.Advance(next);
    }
    result.peakObjects = checker.PeakObjects();
    result.peakFlames = checker.PeakFlames();
    result.stage = checker.Describe();
    return result;
}
