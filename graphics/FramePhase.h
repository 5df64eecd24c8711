#pragma once
// The parts of a frame that can be timed one by one (the runner's --profile): the game marks where each
// begins and ends, and a listener, when one is installed, measures. Without one a mark is a null test.
enum class FramePhase { Update, ShadowPass, ScenePass, EdgeFilter, Draw2D, Present };
inline constexpr int kFramePhaseCount = 6;

// "update", "shadow_pass", "scene_pass", "edge_filter", "2d", "present".
const char* FramePhaseName(FramePhase phase);

class FramePhaseListener {
public:
    virtual ~FramePhaseListener() = default;
    virtual void PhaseBegin(FramePhase phase) = 0;
    virtual void PhaseEnd(FramePhase phase) = 0;
};

// Null removes the listener; whoever installs one removes it before it goes.
void SetFramePhaseListener(FramePhaseListener* listener);

// Marks one phase for the lifetime of the scope.
class FramePhaseScope {
public:
    explicit FramePhaseScope(FramePhase phase);
    ~FramePhaseScope();
    FramePhaseScope(const FramePhaseScope&) = delete;
    FramePhaseScope& operator=(const FramePhaseScope&) = delete;

private:
    FramePhase phase;
};
