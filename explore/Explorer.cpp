#include "explore/Explorer.h"

#include <chrono>
#include <filesystem>

#include "explore/Planner.h"
#include "explore/Random.h"
#include "explore/Run.h"
#include "explore/ScratchTree.h"

Explorer::Explorer(const ExploreOptions& opts, std::ostream& out)
    : options(opts), log(out), tree(new ScratchTree(opts.game.empty() ? VELDORIN_GAME_DIR : opts.game)) {}

Explorer::~Explorer() { delete tree; }

std::optional<int> Explorer::ProgressOf(uint32_t seed) {
    Random random(seed ^ 0x5eedu);
    const int pick = random.Int(0, 3);
    return pick == 0 ? std::nullopt : std::optional<int>(pick);
}

CaseFile Explorer::RunOnce(const Place& place, uint32_t seed) {
    CaseFile result;
    result.place = place.name;
    result.scene = place.scene;
    result.stage = place.stage;
    result.seed = seed;
    result.progress = ProgressOf(seed);
    Planner planner(seed);
    InputRecord record;
    const RunResult run =
        PlayRun(*tree, place, result.progress, options.frames, [&planner](int) { return planner.Next(); }, record);
    result.frames = run.frames;
    if (options.verbose)
        log << "run " << place.name << " seed=" << seed << " frames=" << run.frames << (run.quit ? " (quit)" : "")
            << " peak objects=" << run.peakObjects << " flames=" << run.peakFlames << "\n"
            << (run.quit ? record.Script(run.frames) : "");
    if (run.broke) {
        result.rule = run.violation.rule;
        result.detail = run.violation.detail;
        result.script = record.Script(run.frames);
    }
    return result;
}

void Explorer::Keep(const CaseFile& found, ExploreSummary& summary) {
    const int seen = ++summary.byRule[found.place + " " + found.rule];
    summary.found.push_back(found);
    std::string written;
    if (!options.out.empty() && seen <= options.casesPerRule) {
        std::error_code ec;
        std::filesystem::create_directories(options.out, ec);
        written = (std::filesystem::path(options.out) /
                   (found.place + "-" + found.rule + "-seed" + std::to_string(found.seed) + ".txt"))
                      .string();
        if (!found.Write(written)) written = "(could not write " + written + ")";
    }
    log << "FOUND place=" << found.place << " seed=" << found.seed
        << " progress=" << (found.progress ? std::to_string(*found.progress) : "none") << " rule=" << found.rule
        << " frame=" << found.frames << ": " << found.detail << (written.empty() ? "" : " -> " + written) << "\n";
}

ExploreSummary Explorer::Explore() {
    ExploreSummary summary;
    std::vector<Place> places;
    for (const Place& place : Places())
        if (options.place == "all" || options.place == place.name) places.push_back(place);
    const auto began = std::chrono::steady_clock::now();
    const uint32_t first = options.seed ? *options.seed
                                        : static_cast<uint32_t>(began.time_since_epoch().count() % 1000000007);
    log << "explore: first seed " << first << ", " << options.frames << " frames a run, places " << options.place
        << "\n";
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(); };
    for (int i = 0; options.runs ? i < options.runs : elapsed() < options.seconds; ++i) {
        const Place& place = places[static_cast<size_t>(i) % places.size()];
        const CaseFile run = RunOnce(place, first + static_cast<uint32_t>(i));
        ++summary.runs;
        summary.frames += run.frames;
        if (!run.rule.empty()) Keep(run, summary);
    }
    summary.seconds = elapsed();
    log << "explore: " << summary.runs << " runs, " << summary.frames << " frames in " << summary.seconds << " s ("
        << static_cast<long long>(summary.frames / std::max(summary.seconds, 1e-3)) << " frames/s), "
        << summary.found.size() << " broken\n";
    for (const auto& [what, count] : summary.byRule) log << "explore: " << what << ": " << count << " runs\n";
    return summary;
}

bool Explorer::Replay(const std::string& path, CaseFile& result, std::string& error) {
    if (!CaseFile::Read(path, result, error)) return false;
    InputScript script;
    if (!script.Parse(result.script, error)) {
        error = path + ":" + error;
        return false;
    }
    const Place place{result.place.c_str(), result.scene, result.stage};
    InputRecord record;
    const RunResult run =
        PlayRun(*tree, place, result.progress, result.frames, [&script](int frame) { return script.At(frame); }, record);
    result.frames = run.frames;
    result.rule = run.broke ? run.violation.rule : "";
    result.detail = run.broke ? run.violation.detail : "";
    for (const std::string& line : run.stage) log << "replay: " << line << "\n";
    return true;
}
