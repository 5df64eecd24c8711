#include "tools/sound/Themes.h"

#include <array>
#include <string>

namespace {

enum Channel { kFlute, kMarimba, kPizz, kVibes, kMusicBox, kPad };

constexpr int kBar = 16;  // 4/4 in sixteenths

// General MIDI percussion keys.
constexpr int kKick = 36, kSideStick = 37, kClosedHat = 42, kShaker = 70, kTriangle = 81;

// Four eight-bar phrases: A, B, A again, and a quiet C that leads back to A.
const std::array<ChordBar, 8> kPhraseA = {{
    {"D2", "F3 A3 C4 E4"},   // Dm9
    {"G2", "F3 A3 B3 E4"},   // G13
    {"D2", "F3 A3 C4 E4"},   // Dm9
    {"G2", "F3 A3 B3 E4"},   // G13
    {"Bb1", "A3 D4 E4 F4"},  // Bbmaj7#11
    {"C2", "G3 A3 D4 E4"},   // C6/9
    {"A1", "G3 C4 E4"},      // Am7
    {"A1", "G3 C#4 E4"},     // A7
}};
const std::array<ChordBar, 8> kPhraseB = {{
    {"F2", "E3 A3 C4"},      // Fmaj7
    {"G2", "E3 B3 D4"},      // G6
    {"E2", "D3 G3 B3"},      // Em7
    {"A1", "G3 C4 E4 B4"},   // Am9
    {"F2", "E3 A3 C4"},      // Fmaj7
    {"G2", "E3 B3 D4"},      // G6
    {"Bb1", "A3 D4 F4"},     // Bbmaj7
    {"A1", "G3 C#4 E4"},     // A7
}};
const std::array<ChordBar, 8> kPhraseC = {{
    {"G1", "Bb3 D4 F4 A4"},  // Gm9
    {"C2", "Bb3 D4 E4"},     // C9
    {"F2", "E3 A3 C4"},      // Fmaj7
    {"Bb1", "A3 D4 F4"},     // Bbmaj7
    {"G1", "Bb3 D4 F4 A4"},  // Gm9
    {"A1", "G3 D4 E4"},      // A7sus4
    {"Bb1", "A3 D4 E4 F4"},  // Bbmaj7#11
    {"A1", "G3 C#4 E4"},     // A7
}};

const char* const kMelodyA =
    "A4:4 C5:2 D5:6 E5:4  F5:4 E5:2 D5:2 B4:8  A4:4 C5:2 D5:6 F5:4  G5:6 F5:2 E5:4 D5:4 "
    "E5:4 F5:4 A5:8  G5:4 E5:4 D5:4 C5:4  E5:6 D5:2 C5:4 A4:4  C#5:4 E5:4 G5:4 E5:4";
const char* const kMelodyA2 =
    "A4:4 C5:2 D5:6 E5:4  F5:4 E5:2 D5:2 B4:8  A4:4 C5:2 D5:6 F5:4  G5:6 F5:2 E5:4 D5:4 "
    "E5:4 F5:4 A5:8  G5:4 E5:4 D5:4 C5:4  E5:4 G5:4 A5:4 C6:4  C#6:6 A5:2 E5:8";
const char* const kAnswerB =
    "C6:2 A5:2 E5:2 F5:2 A5:4 -:4  B5:2 G5:2 D5:2 E5:2 G5:4 -:4  B5:4 A5:2 G5:2 E5:4 D5:4  E5:6 B4:2 C5:8 "
    "A5:2 C6:2 E6:4 D6:2 C6:2 A5:4  B5:2 D6:2 E6:4 D6:4 B5:4  A5:4 F5:4 D5:4 F5:4  E5:4 C#5:4 E5:4 G5:4";
const char* const kMelodyC =
    "D5:8 F5:8  E5:12 D5:4  C5:8 E5:8  D5:16  Bb4:8 D5:8  E5:12 D5:4  E5:8 F5:8  E5:8 C#5:4 -:4";

// Bass: root on the beat, octave on the "and" of two, fifth on three, a passing note into the next bar.
void Bass(Score& score, int at, int root, int velocity) {
    score.Add(kPizz, root, at, 3, velocity);
    score.Add(kPizz, root + 12, at + 6, 2, velocity - 18);
    score.Add(kPizz, root + 7, at + 8, 3, velocity - 8);
    score.Add(kPizz, root + 10, at + 14, 2, velocity - 22);
}

// Marimba: a rippling eighth-note figure over the chord, low to high and back.
void Ripple(Score& score, int at, const std::vector<int>& voicing, int velocity) {
    static const int kFigure[8] = {0, 2, 1, 3, 2, 1, 3, 1};
    const int count = static_cast<int>(voicing.size());
    for (int step = 0; step < 8; ++step) {
        const int index = kFigure[step] % count;
        const int key = voicing[static_cast<size_t>(index)] + 12;
        score.Add(kMarimba, key, at + 2 * step, 2, velocity - (step % 2 ? 14 : 0));
    }
}

void Drums(Score& score, int at, bool full) {
    for (int s = 0; s < 16; ++s) score.Add(kDrumChannel, kShaker, at + s, 1, s % 4 == 0 ? 62 : s % 2 ? 34 : 46);
    if (!full) {
        score.Add(kDrumChannel, kTriangle, at, 4, 44);
        return;
    }
    for (int s = 0; s < 16; s += 2) score.Add(kDrumChannel, kClosedHat, at + s, 1, s % 4 ? 38 : 52);
    score.Add(kDrumChannel, kKick, at, 2, 72);
    score.Add(kDrumChannel, kKick, at + 8, 2, 60);
    score.Add(kDrumChannel, kSideStick, at + 4, 2, 54);
    score.Add(kDrumChannel, kSideStick, at + 12, 2, 54);
}

void Phrase(Score& score, int firstBar, const std::array<ChordBar, 8>& phrase, bool full) {
    for (int i = 0; i < 8; ++i) {
        const int at = (firstBar + i) * kBar;
        const ChordBar& bar = phrase[static_cast<size_t>(i)];
        const std::vector<int> voicing = Keys(bar.voicing);
        Bass(score, at, Key(bar.bass) + 12, full ? 84 : 64);
        Ripple(score, at, voicing, full ? 70 : 52);
        if (full) {
            // Off-beat vibraphone touches on two and four.
            score.Chord(kVibes, at + 4, 3, voicing, 44);
            score.Chord(kVibes, at + 12, 3, voicing, 40);
        } else {
            score.Chord(kPad, at, kBar, voicing, 58);
        }
        Drums(score, at, full);
    }
}

}  // namespace

Score StageTheme() {
    Score score;
    score.samplesPerTick = 5250;  // 126 beats a minute at 44100 Hz
    score.ticksPerBar = kBar;
    score.bars = 32;
    score.programs = {{kFlute, 73}, {kMarimba, 12}, {kPizz, 45}, {kVibes, 11}, {kMusicBox, 10}, {kPad, 49},
                      {kDrumChannel, 0}};
    score.volumes = {{kFlute, 100}, {kMarimba, 88}, {kPizz, 104}, {kVibes, 76}, {kMusicBox, 92}, {kPad, 72},
                     {kDrumChannel, 80}};

    Phrase(score, 0, kPhraseA, true);
    Phrase(score, 8, kPhraseB, true);
    Phrase(score, 16, kPhraseA, true);
    Phrase(score, 24, kPhraseC, false);
    score.Line(kFlute, 0, kMelodyA, 90);
    score.Line(kMusicBox, 8 * kBar, kAnswerB, 86);
    score.Line(kFlute, 8 * kBar, kAnswerB, 36);
    score.Line(kFlute, 16 * kBar, kMelodyA2, 90);
    score.Line(kMusicBox, 16 * kBar, kMelodyA2, 44, 12);
    score.Line(kFlute, 24 * kBar, kMelodyC, 76);
    return score;
}
