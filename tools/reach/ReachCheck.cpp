#include "tools/reach/ReachCheck.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <tuple>

#include "tools/reach/PlaceModel.h"
#include "tools/reach/ReachFlood.h"

namespace reach {
namespace {

int ZoneOf(const PlaceRules& rules, float x, float z) {
    for (size_t k = 0; k < rules.zones.size(); ++k)
        for (const Area& a : rules.zones[k])
            if (a.Holds(x, z)) return static_cast<int>(k);
    return -1;
}

bool IceIn(const PlaceRules& rules, size_t open) {
    if (static_cast<int>(open) < rules.iceFrom) return false;
    return open >= rules.gates.size() || !rules.gates[open].crossedOnIce;
}

}  // namespace

PlaceReport CheckPlace(const std::string& root, const PlaceRules& rules) {
    PlaceReport report;
    report.place = rules.name;
    std::set<std::tuple<size_t, int, int>> flagged;
    for (size_t open = 0; open <= rules.gates.size(); ++open) {
        const PlaceModel model = LoadPlace(root, rules, open);
        if (!model.hasStart || model.solids == 0) return report;
        const FloodResult flood = Flood(*model.grid, model.start, IceIn(rules, open));
        report.spots += static_cast<int>(flood.reached.size());
        const std::string gate = open < rules.gates.size() ? rules.gates[open].name : "";
        auto flag = [&](const Spot& s, const std::string& what) {
            if (!flagged.insert({open, s.i, s.j}).second) return;
            const D3DXVECTOR2 c = model.grid->Centre(s.i, s.j);
            report.findings.push_back({gate, what, {c.x, s.y, c.y}});
        };
        for (const Spot& s : flood.escapes) flag(s, "off the map");
        for (const Spot& s : flood.reached) {
            const D3DXVECTOR2 c = model.grid->Centre(s.i, s.j);
            const int zone = ZoneOf(rules, c.x, c.y);
            if (zone < 0) flag(s, "outside the rooms");
            else if (zone > static_cast<int>(open)) flag(s, "behind " + gate);
        }
    }
    report.loaded = true;
    return report;
}

std::string Describe(const PlaceReport& report, size_t maxLines) {
    // One line per kind of finding under each closed gate: how many, and the first one the flood
    // came to (nearest the start in moves).
    std::vector<std::pair<const Finding*, int>> groups;
    for (const Finding& f : report.findings) {
        auto same = [&](const auto& g) { return g.first->gate == f.gate && g.first->what == f.what; };
        auto it = std::find_if(groups.begin(), groups.end(), same);
        if (it == groups.end()) groups.push_back({&f, 1});
        else ++it->second;
    }
    std::string out;
    char line[320];
    for (size_t k = 0; k < groups.size() && k < maxLines; ++k) {
        const Finding& f = *groups[k].first;
        std::snprintf(line, sizeof line, "%s: %s, %d spots, first at (%.2f, %.2f, %.2f)%s%s\n", report.place.c_str(),
                      f.what.c_str(), groups[k].second, f.at.x, f.at.y, f.at.z, f.gate.empty() ? "" : " while closed: ",
                      f.gate.c_str());
        out += line;
    }
    std::snprintf(line, sizeof line, "%s: %s (%d spots reached, %zu unintended)\n", report.place.c_str(),
                  !report.loaded ? "NOT LOADED" : report.findings.empty() ? "sound" : "UNSOUND", report.spots,
                  report.findings.size());
    return out + line;
}

}  // namespace reach
