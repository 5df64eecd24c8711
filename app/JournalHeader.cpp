#include "app/JournalHeader.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kMark = "#!journal";

template <typename T>
bool Number(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    if constexpr (std::is_floating_point_v<T>) {
        if (ec == std::errc() && !std::isfinite(out)) return false;
    }
    return !text.empty() && ec == std::errc() && ptr == end;
}

// A comma-separated list of exactly N numbers.
template <typename T, size_t N>
bool List(const std::string& text, std::array<T, N>& out) {
    std::istringstream in(text);
    std::string item;
    size_t n = 0;
    while (std::getline(in, item, ',')) {
        if (n >= N || !Number(item, out[n++])) return false;
    }
    return n == N && (text.empty() || text.back() != ',');
}

template <typename T>
std::string Text(T value) {
    char buffer[32];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : "0";
}

template <typename T, size_t N>
std::string ListText(const std::array<T, N>& values) {
    std::string out;
    for (size_t i = 0; i < N; ++i) {
        if (i) out.push_back(',');
        out.append(Text(values[i]));
    }
    return out;
}

bool Within(long long v, long long lo, long long hi) { return v >= lo && v <= hi; }

// "none", or entries "slot:loop:start" between commas.
bool Sounds(const std::string& text, std::vector<std::array<uint32_t, 3>>& out) {
    out.clear();
    if (text == "none") return true;
    std::istringstream in(text + ",");
    for (std::string item; std::getline(in, item, ',');) {
        std::array<uint32_t, 3> entry{};
        std::istringstream parts(item);
        std::string part;
        for (size_t n = 0; n < 3; ++n)
            if (!std::getline(parts, part, ':') || !Number(part, entry[n])) return false;
        if (std::getline(parts, part, ':') || entry[0] >= 50 || entry[1] > 1 || out.size() >= 50) return false;
        out.push_back(entry);
    }
    return !out.empty();
}

std::string SoundsText(const std::vector<std::array<uint32_t, 3>>& sounds) {
    std::string out;
    for (const auto& entry : sounds) {
        if (!out.empty()) out.push_back(',');
        out.append(Text(entry[0])).append(":").append(Text(entry[1])).append(":").append(Text(entry[2]));
    }
    return out.empty() ? "none" : out;
}

// A field that may be missing (then out keeps its default).
template <typename T, size_t N>
bool Optional(std::map<std::string, std::string>& fields, const char* name, std::array<T, N>& out) {
    auto field = fields.find(name);
    return field == fields.end() || List(field->second, out);
}

bool KeysValid(const std::array<int, 6>& keys) {
    for (int vk : keys)
        if (!Within(vk, 1, 255)) return false;
    return true;
}

}  // namespace

bool IsJournalHeaderLine(const std::string& line) { return line.rfind(kMark, 0) == 0; }

bool ParseJournalHeader(const std::string& line, JournalHeader& h, std::string& error) {
    std::istringstream words(line);
    std::string mark, version;
    words >> mark >> version;
    if (mark != kMark || version != std::to_string(JournalHeader::kVersion)) {
        error = "not a journal of this game's version (the first line must start \"#!journal 1\")";
        return false;
    }
    std::map<std::string, std::string> fields;
    for (std::string word; words >> word;) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos || !fields.emplace(word.substr(0, eq), word.substr(eq + 1)).second) {
            error = "the journal's first line has a broken or repeated field '" + word + "'";
            return false;
        }
    }
    long long scene = 0, stage = 0, progress = 0, clock = 0;
    const bool ok = Number(fields["scene"], scene) && Within(scene, 1, 3) && Number(fields["stage"], stage) &&
                    Within(stage, -1, 1000) && Number(fields["progress"], progress) &&
                    Within(progress, 1, 1000000) && Number(fields["clock"], clock) && Within(clock, 0, 0xFFFFFFFFll) &&
                    (fields["start"] == "in" || fields["start"] == "before") && List(fields["fade"], h.fade) &&
                    List(fields["fadev"], h.fadeValues) && List(fields["shared"], h.shared) &&
                    List(fields["counts"], h.sharedCounts) && List(fields["grounds"], h.grounds) &&
                    List(fields["pad"], h.padBefore) && Sounds(fields["sounds"], h.sounds);
    const bool settingsOk = Optional(fields, "look", h.look) && Within(h.look[0], 25, 400) &&
                            Within(h.look[1], 0, 1) && Optional(fields, "keys", h.keys) && KeysValid(h.keys);
    if (!ok || !settingsOk) {
        error = "the journal's first line lacks a field or holds a value out of range";
        return false;
    }
    h.scene = static_cast<int>(scene);
    h.stage = static_cast<int>(stage);
    h.progress = static_cast<int>(progress);
    h.clock = static_cast<uint32_t>(clock);
    h.startsInFrame = fields["start"] == "in";
    return true;
}

std::string WriteJournalHeader(const JournalHeader& h) {
    std::string out(kMark);
    const std::pair<const char*, std::string> fields[] = {
        {" ", Text(JournalHeader::kVersion)}, {" scene=", Text(h.scene)},
        {" stage=", Text(h.stage)},           {" progress=", Text(h.progress)},
        {" clock=", Text(h.clock)},           {" start=", h.startsInFrame ? "in" : "before"},
        {" fade=", ListText(h.fade)},         {" fadev=", ListText(h.fadeValues)},
        {" shared=", ListText(h.shared)},     {" counts=", ListText(h.sharedCounts)},
        {" grounds=", ListText(h.grounds)},   {" pad=", ListText(h.padBefore)},
        {" sounds=", SoundsText(h.sounds)}};
    for (const auto& [name, value] : fields) out.append(name).append(value);
    const JournalHeader defaults;
    if (h.look != defaults.look) out.append(" look=").append(ListText(h.look));
    if (h.keys != defaults.keys) out.append(" keys=").append(ListText(h.keys));
    return out;
}
