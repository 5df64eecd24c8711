#include "graphics/FramePhase.h"

namespace {

FramePhaseListener* current = nullptr;

}  // namespace

const char* FramePhaseName(FramePhase phase) {
    static const char* const kNames[kFramePhaseCount] = {"update",      "shadow_pass", "scene_pass",
                                                         "edge_filter", "2d",          "present"};
    return kNames[static_cast<int>(phase)];
}

void SetFramePhaseListener(FramePhaseListener* listener) { current = listener; }

FramePhaseScope::FramePhaseScope(FramePhase p) : phase(p) {
    if (current) current->PhaseBegin(phase);
}

FramePhaseScope::~FramePhaseScope() {
    if (current) current->PhaseEnd(phase);
}
