#include "explore/CaseFile.h"

#include <fstream>
#include <map>
#include <sstream>

#include "loading/TextData.h"

std::string CaseFile::Text() const {
    const std::string save = progress ? "save.dat holding " + std::to_string(*progress) : "no save.dat (a new game)";
    const std::string frameArgs = " --scene " + std::to_string(scene) + " --stage " + std::to_string(stage) +
                                  " --frames " + std::to_string(frames);
    std::ostringstream out;
    out << "# veldorin-explore case: " << (rule.empty() ? "no rule broken" : "rule " + rule + " broken")
        << " at frame " << frames << "\n";
    if (!detail.empty()) out << "# " << detail << "\n";
    out << "# place " << place << ": scene " << scene << ", stage " << stage << ", " << save << ", seed " << seed << "\n"
        << "# replay: veldorin-explore --replay THIS_FILE\n"
        << "# by hand: copy the built content tree (build/game) with " << save << ", then\n"
        << "#   veldorin-sim --root COPY" << frameArgs << " --input THIS_FILE\n"
        << "#! place=" << place << " scene=" << scene << " stage=" << stage
        << " progress=" << (progress ? std::to_string(*progress) : "none") << " frames=" << frames << " seed=" << seed
        << " rule=" << (rule.empty() ? "none" : rule) << "\n"
        << script;
    return out.str();
}

bool CaseFile::Write(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << Text();
    return static_cast<bool>(file);
}

bool CaseFile::Read(const std::string& path, CaseFile& out, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::stringstream whole;
    whole << file.rdbuf();
    out = CaseFile{};
    out.script = whole.str();
    std::istringstream lines(out.script);
    std::map<std::string, std::string> values;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("#!", 0) != 0) continue;
        std::istringstream words(line.substr(2));
        for (std::string word; words >> word;)
            if (auto eq = word.find('='); eq != std::string::npos) values[word.substr(0, eq)] = word.substr(eq + 1);
    }
    int scene = 0, stage = 0, frames = 0, progress = 0, seed = 0;
    if (!ParseIntStrict(values["scene"], scene) || !ParseIntStrict(values["stage"], stage) ||
        !ParseIntStrict(values["frames"], frames) || frames < 1) {
        error = path + ": no \"#! scene=S stage=N frames=F\" line";
        return false;
    }
    out.place = values["place"];
    out.scene = scene;
    out.stage = stage;
    out.frames = frames;
    if (ParseIntStrict(values["progress"], progress)) out.progress = progress;
    if (ParseIntStrict(values["seed"], seed)) out.seed = static_cast<uint32_t>(seed);
    out.rule = values["rule"] == "none" ? "" : values["rule"];
    return true;
}
