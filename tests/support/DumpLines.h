#pragma once
// Reading a runner dump's lines without a JSON parser or regular expressions (which, over every frame
// of a long run, cost the tests more than the run itself).
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

// The dump's lines with each line's leading "frame":N, dropped, so that the dumps of two runs compare
// frame by frame whatever their frame numbering.
inline std::vector<std::string> DumpLinesWithoutFrames(const std::string& text) {
    static const std::string head = "{\"frame\":";
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, head.size(), head) == 0) {
            size_t end = head.size();
            while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
            if (end > head.size() && end < line.size() && line[end] == ',') line.replace(0, end + 1, "{");
        }
        out.push_back(line);
    }
    return out;
}

// Each dumped object of a frame's line, {"i":... up to its closing brace.
inline std::vector<std::string> DumpObjects(const std::string& line) {
    std::vector<std::string> out;
    for (size_t at = line.find("{\"i\":"); at != std::string::npos; at = line.find("{\"i\":", at + 1)) {
        const size_t end = line.find('}', at);
        if (end == std::string::npos) break;
        out.push_back(line.substr(at, end - at + 1));
    }
    return out;
}

// The number after the first "name": in the text, or fallback where there is none.
inline double DumpNumber(const std::string& text, const std::string& name, double fallback = -999) {
    const size_t at = text.find("\"" + name + "\":");
    if (at == std::string::npos) return fallback;
    const char* start = text.c_str() + at + name.size() + 3;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    return end == start ? fallback : value;
}

// The same as a whole number (a fraction cut off).
inline int DumpInt(const std::string& text, const std::string& name, int fallback = -999) {
    return static_cast<int>(DumpNumber(text, name, fallback));
}

// One coordinate (0 x, 1 y, 2 z) of the first "pos":[x,y,z] in the text, or fallback.
inline double DumpPos(const std::string& text, int axis, double fallback = -999) {
    size_t at = text.find("\"pos\":[");
    if (at == std::string::npos) return fallback;
    at += 7;
    for (int i = 0; i < axis; ++i) {
        at = text.find_first_of(",]", at);
        if (at == std::string::npos || text[at] == ']') return fallback;
        ++at;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str() + at, &end);
    return end == text.c_str() + at ? fallback : value;
}
