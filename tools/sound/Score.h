#pragma once
// Music as note data: timed notes on General MIDI channels, written bar by bar in a small text form.
#include <string>
#include <vector>

constexpr int kDrumChannel = 9;

struct Note {
    int channel = 0;
    int key = 60;
    int velocity = 80;
    int start = 0;   // in ticks (sixteenth notes) from the start of the piece
    int length = 1;  // in ticks
};

// One bar of harmony: the bass note and the chord above it, low to high ("E2", "G3 B3 D4 F#4").
struct ChordBar {
    const char* bass;
    const char* voicing;
};

struct Score {
    int samplesPerTick = 0;  // a whole number, so every bar lands on an exact sample
    int ticksPerBar = 16;
    int bars = 0;
    std::vector<std::pair<int, int>> programs;  // channel, General MIDI program
    std::vector<std::pair<int, int>> volumes;   // channel, channel volume (controller 7)
    std::vector<Note> notes;

    int Ticks() const { return ticksPerBar * bars; }
    size_t LoopFrames() const { return static_cast<size_t>(Ticks()) * static_cast<size_t>(samplesPerTick); }

    // "E5:6 -:2 F#5:4": note name and octave (or "-" for a rest) with a length in ticks, one after
    // another from tick `start`. Returns the tick after the last one.
    int Line(int channel, int start, const std::string& text, int velocity, int transpose = 0);
    // Every key of `keys` at once for `length` ticks.
    void Chord(int channel, int start, int length, const std::vector<int>& keys, int velocity);
    void Add(int channel, int key, int start, int length, int velocity);
};

// MIDI key of a name such as "C4" (60), "F#5", "Bb2"; -1 when it is not one.
int Key(const std::string& name);
// Keys of space-separated names: "E2 G3 B3".
std::vector<int> Keys(const std::string& names);
