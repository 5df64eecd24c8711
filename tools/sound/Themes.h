#pragma once
// The game's two pieces of music, composed as note data.
#include "tools/sound/Score.h"

// The title hub: a slow waltz in E minor on celesta and harp over soft strings, with a flute in its
// middle part and glockenspiel sparkle in its return. 24 bars at 84 beats a minute (about 51 s).
Score TitleTheme();
// A stage: a light, curious D dorian tune at 126 beats a minute on flute, marimba and pizzicato strings
// with brushes of percussion, a music-box answer and a quiet breakdown. 32 bars (about 61 s).
Score StageTheme();
