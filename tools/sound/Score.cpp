#include "tools/sound/Score.h"

#include <sstream>

int Key(const std::string& name) {
    static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') return -1;
    int key = kSteps[name[0] - 'A'];
    size_t at = 1;
    while (at < name.size() && (name[at] == '#' || name[at] == 'b')) key += name[at++] == '#' ? 1 : -1;
    if (at >= name.size()) return -1;
    const int octave = std::stoi(name.substr(at));
    return key + 12 * (octave + 1);
}

std::vector<int> Keys(const std::string& names) {
    std::vector<int> keys;
    std::istringstream in(names);
    std::string name;
    while (in >> name) keys.push_back(Key(name));
    return keys;
}

void Score::Add(int channel, int key, int start, int length, int velocity) {
    notes.push_back(Note{channel, key, velocity, start, length});
}

int Score::Line(int channel, int start, const std::string& text, int velocity, int transpose) {
    std::istringstream in(text);
    std::string token;
    int at = start;
    while (in >> token) {
        const size_t colon = token.find(':');
        const int length = std::stoi(token.substr(colon + 1));
        const std::string name = token.substr(0, colon);
        if (name != "-") Add(channel, Key(name) + transpose, at, length, velocity);
        at += length;
    }
    return at;
}

void Score::Chord(int channel, int start, int length, const std::vector<int>& keys, int velocity) {
    for (int key : keys) Add(channel, key, start, length, velocity);
}
