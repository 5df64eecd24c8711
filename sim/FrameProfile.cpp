#include "sim/FrameProfile.h"

#include <algorithm>
#include <numeric>

#include "graphics/GraphicsDevice.h"
#include "shaders/ShaderManager.h"

namespace {

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
    double upper = values[middle];
    if (values.size() % 2 != 0) return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2.0;
}

}  // namespace

FrameProfile::FrameProfile() {
    SetFramePhaseListener(this);
    DrawCulling::Reset();
}

FrameProfile::~FrameProfile() { SetFramePhaseListener(nullptr); }

void FrameProfile::DrainDevice() {
    if (IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice()) device->Finish();
}

void FrameProfile::PhaseBegin(FramePhase phase) {
    DrainDevice();
    started[static_cast<int>(phase)] = std::chrono::steady_clock::now();
}

void FrameProfile::PhaseEnd(FramePhase phase) {
    DrainDevice();
    const auto elapsed = std::chrono::steady_clock::now() - started[static_cast<int>(phase)];
    thisFrame[static_cast<int>(phase)] += std::chrono::duration<double, std::micro>(elapsed).count();
}

void FrameProfile::EndFrame() {
    for (int i = 0; i < kFramePhaseCount; ++i) perFrame[i].push_back(thisFrame[i]);
    thisFrame.fill(0.0);
    for (int pass = 0; pass < kDrawPassCount; ++pass) {
        asked[pass].push_back(static_cast<double>(DrawCulling::Counts()[pass].asked));
        submitted[pass].push_back(static_cast<double>(DrawCulling::Counts()[pass].submitted));
    }
    DrawCulling::Reset();
}

void FrameProfile::Print(std::ostream& out) const {
    for (int i = 0; i < kFramePhaseCount; ++i) {
        const std::vector<double>& samples = perFrame[i];
        const double mean =
            samples.empty() ? 0.0 : std::accumulate(samples.begin(), samples.end(), 0.0) / samples.size();
        out << "profile: " << FramePhaseName(static_cast<FramePhase>(i)) << " mean_us=" << static_cast<long>(mean + 0.5)
            << " median_us=" << static_cast<long>(Median(samples) + 0.5) << " frames=" << samples.size() << "\n";
    }
    out << "profile: picture=" << PictureName(ShaderManager::GetInstance().Picture()) << "\n";
    for (int pass = 0; pass < kDrawPassCount; ++pass) {
        out << "profile: draws " << DrawPassName(static_cast<DrawPass>(pass))
            << " asked=" << static_cast<long>(Median(asked[pass]) + 0.5)
            << " submitted=" << static_cast<long>(Median(submitted[pass]) + 0.5) << "\n";
    }
    out.flush();
}
