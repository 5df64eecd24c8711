#pragma once
// The runner's --profile: the time each phase of a frame takes (update, shadow pass, scene pass, edge
// filter, 2D, present), gathered frame by frame and summed up at the end as the mean and median per
// frame in microseconds. Where the device draws, it is drained at the start and end of every phase
// while profiling, so that a phase is charged with the GPU work it gave and no other.
#include <array>
#include <chrono>
#include <ostream>
#include <vector>

#include "graphics/DrawCulling.h"
#include "graphics/FramePhase.h"

class FrameProfile : public FramePhaseListener {
public:
    FrameProfile();
    ~FrameProfile() override;

    void PhaseBegin(FramePhase phase) override;
    void PhaseEnd(FramePhase phase) override;
    // Closes the frame: what each phase took in it (0 for a phase it did not run) joins the record.
    void EndFrame();

    // One line per phase: "profile: NAME mean_us=M median_us=D frames=N"; then the picture of the
    // last frame, "profile: picture=full|light", and per pass the median draws of a frame,
    // "profile: draws PASS asked=N submitted=M".
    void Print(std::ostream& out) const;

    size_t Frames() const { return perFrame[0].size(); }
    // Microseconds of a phase in each closed frame.
    const std::vector<double>& Samples(FramePhase phase) const { return perFrame[static_cast<int>(phase)]; }

private:
    static void DrainDevice();

    std::array<std::chrono::steady_clock::time_point, kFramePhaseCount> started{};
    std::array<double, kFramePhaseCount> thisFrame{};
    std::array<std::vector<double>, kFramePhaseCount> perFrame;
    // Draws asked for and submitted in each closed frame, per pass.
    std::array<std::vector<double>, kDrawPassCount> asked, submitted;
};
