#include "loading/TextData.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/sys/Paths.h"

namespace {

// The leading integer of a field: true with the value when there are digits; overflow marks a value
// beyond the 32-bit range (the value is then held at the nearer end).
bool LeadingInt(const std::string& field, long long& value, bool& overflow) {
    size_t i = 0;
    while (i < field.size() && std::isspace(static_cast<unsigned char>(field[i]))) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    const size_t firstDigit = i;
    long long magnitude = 0;
    overflow = false;
    for (; i < field.size() && std::isdigit(static_cast<unsigned char>(field[i])); ++i) {
        magnitude = magnitude * 10 + (field[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            overflow = true;
            magnitude = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (i == firstDigit) return false;
    value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        overflow = true;
        value = INT_MAX;
    }
    return true;
}

}  // namespace

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = platform::OpenFile(path, "rb");
    if (!file) return lines;
    std::string line;
    bool pending = false;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                lines.push_back(std::move(line));
                line.clear();
                pending = false;
            } else {
                line.push_back(buffer[i]);
                pending = true;
            }
        }
    }
    std::fclose(file);
    if (pending) lines.push_back(std::move(line));
    return lines;
}

void Split(const std::string& text, const std::string& delimiter, std::vector<std::string>& out) {
    out.clear();
    if (delimiter.empty()) {
        if (!text.empty()) out.push_back(text);
        return;
    }
    size_t start = 0;
    for (size_t found; (found = text.find(delimiter, start)) != std::string::npos;
         start = found + delimiter.size()) {
        if (found != start) out.push_back(text.substr(start, found - start));
    }
    if (start < text.size()) out.push_back(text.substr(start));
}

bool ParseIntStrict(const std::string& field, int& value) {
    long long parsed = 0;
    bool overflow = false;
    if (!LeadingInt(field, parsed, overflow) || overflow) return false;
    value = static_cast<int>(parsed);
    return true;
}

int ParseIntLenient(const std::string& field) {
    long long parsed = 0;
    bool overflow = false;
    if (!LeadingInt(field, parsed, overflow)) return 0;
    return static_cast<int>(parsed);
}

float ParseFloat(const std::string& field) {
    // strtof needs a terminated string; std::string provides one. "inf" and "nan" are numbers to
    // strtof but would poison every position computed from them, so they read as no number.
    const float value = std::strtof(field.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0f;
}
