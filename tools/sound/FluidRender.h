#pragma once
// Renders scores with FluidSynth and a General MIDI soundfont into seamless loops.
#include <string>

#include "tools/sound/Score.h"
#include "tools/sound/Wave.h"

class FluidRender {
public:
    explicit FluidRender(const std::string& soundfont);
    ~FluidRender();
    FluidRender(const FluidRender&) = delete;
    FluidRender& operator=(const FluidRender&) = delete;

    bool Ready() const { return synth != nullptr && fontId >= 0; }
    // Stereo, exactly score.LoopFrames() long. The piece is played twice in a row and the second pass
    // is kept: its head already holds the tails (release, reverb) of the notes at the end of the
    // first, so the end runs into the start without a click or a gap when the file loops.
    Wave RenderLoop(const Score& score);

private:
    struct _fluid_hashtable_t* settings = nullptr;
    struct _fluid_synth_t* synth = nullptr;
    int fontId = -1;
};
