#include "tools/sound/Themes.h"

#include <array>
#include <string>

namespace {

enum Channel { kCelesta, kHarp, kStrings, kBass, kFlute, kGlock };

constexpr int kBar = 12;  // 3/4 in sixteenths

// Eight-bar phrases: A, B, A again.
const std::array<ChordBar, 8> kPhraseA = {{
    {"E2", "G3 B3 D4 F#4"},   // Em9
    {"C3", "G3 B3 E4 F#4"},   // Cmaj7 with the raised eleventh
    {"A2", "G3 B3 C4 E4"},    // Am9
    {"B2", "A3 B3 D#4 F#4"},  // B7
    {"E2", "G3 B3 D4 F#4"},   // Em9
    {"C3", "G3 B3 E4 F#4"},   // Cmaj7#11
    {"D3", "A3 C4 E4 G4"},    // Am7 over D
    {"G2", "F#3 B3 D4 G4"},   // Gmaj7
}};
const std::array<ChordBar, 8> kPhraseB = {{
    {"C3", "E3 G3 B3 D4"},    // Cmaj9
    {"D3", "A3 D4 E4 F#4"},   // Dadd9
    {"B2", "A3 B3 D4 F#4"},   // Bm7
    {"E2", "G3 B3 D4 F#4"},   // Em9
    {"A2", "G3 B3 C4 E4"},    // Am9
    {"D3", "C4 E4 F#4 A4"},   // D9
    {"G2", "F#3 B3 D4 G4"},   // Gmaj7
    {"B2", "A3 C4 D#4 F#4"},  // B7 with the flat ninth
}};

const char* const kMelodyA =
    "B4:6 E5:2 F#5:4  G5:6 F#5:2 E5:4  C5:6 B4:2 A4:4  A4:4 B4:4 D#5:4 "
    "E5:6 G5:2 B5:4  A5:6 G5:2 F#5:4  E5:4 D5:4 C5:4  B4:8 -:2 D5:2";
const char* const kMelodyB =
    "E5:6 D5:2 E5:4  F#5:6 A5:2 E5:4  D5:4 F#5:4 A5:4  G5:8 F#5:2 E5:2 "
    "E5:4 G5:4 B5:4  A5:6 F#5:2 E5:4  D5:8 B4:4  D#5:4 F#5:4 A5:4";
const char* const kMelodyA2 =
    "B4:6 E5:2 F#5:4  G5:6 F#5:2 E5:4  C5:6 B4:2 A4:4  A4:4 B4:4 D#5:4 "
    "E5:4 B5:4 G5:4  A5:4 F#5:4 C6:4  E5:6 D5:2 C5:4  B4:4 D#5:4 F#5:4";

void Accompany(Score& score, int firstBar, const std::array<ChordBar, 8>& phrase, int harpVelocity) {
    static const int kArpeggio[6] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < 8; ++i) {
        const int at = (firstBar + i) * kBar;
        const int bass = Key(phrase[static_cast<size_t>(i)].bass);
        const std::vector<int> voicing = Keys(phrase[static_cast<size_t>(i)].voicing);
        score.Add(kBass, bass, at, 4, 78);
        score.Add(kBass, bass + 7, at + 8, 4, 58);
        for (int step = 0; step < 6; ++step) {
            const int key = voicing[static_cast<size_t>(kArpeggio[step])] + 12;
            score.Add(kHarp, key, at + 2 * step, 2, harpVelocity - (step % 2 ? 12 : 0));
        }
        score.Chord(kStrings, at, kBar, voicing, 46);
    }
}

}  // namespace

Score TitleTheme() {
    Score score;
    score.samplesPerTick = 7875;  // 84 beats a minute at 44100 Hz
    score.ticksPerBar = kBar;
    score.bars = 24;
    score.programs = {{kCelesta, 8}, {kHarp, 46}, {kStrings, 49}, {kBass, 45}, {kFlute, 73}, {kGlock, 9}};
    score.volumes = {{kCelesta, 112}, {kHarp, 84}, {kStrings, 70}, {kBass, 96}, {kFlute, 80}, {kGlock, 58}};

    Accompany(score, 0, kPhraseA, 70);
    Accompany(score, 8, kPhraseB, 64);
    Accompany(score, 16, kPhraseA, 70);

    score.Line(kCelesta, 0, kMelodyA, 92);
    // The middle part sings on the flute, the celesta shadowing it an octave up.
    score.Line(kFlute, 8 * kBar, kMelodyB, 84);
    score.Line(kCelesta, 8 * kBar, kMelodyB, 54, 12);
    score.Line(kCelesta, 16 * kBar, kMelodyA2, 92);
    score.Line(kGlock, 16 * kBar, kMelodyA2, 60, 12);
    return score;
}
