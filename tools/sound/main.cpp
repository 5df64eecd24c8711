// The sound generator: renders the music with FluidSynth and synthesises the effects, writing 16-bit
// PCM wave files into the content tree given as the first argument. The second argument is the
// General MIDI soundfont. The output depends on nothing but this code and the soundfont.
#include <cstdio>
#include <string>

#include "tools/sound/Effects.h"
#include "tools/sound/FluidRender.h"
#include "tools/sound/Themes.h"

namespace {

bool WriteMusic(FluidRender& render, const Score& score, const std::string& path) {
    Wave wave = render.RenderLoop(score);
    if (wave.samples.empty()) return false;
    // Below the effects: they are played 7 dB quieter than the music and must still stand out.
    NormalizePeak(wave, -5.0f);
    return WriteWave16(path, wave);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: veldorin-sounds CONTENT_DIR SOUNDFONT\n");
        return 2;
    }
    const std::string root = argv[1];
    for (const Effect& effect : Effects()) {
        Wave wave = effect.make();
        NormalizePeak(wave, effect.peakDb);
        if (!WriteWave16(root + "/" + effect.file, wave)) {
            std::fprintf(stderr, "veldorin-sounds: could not write %s\n", effect.file);
            return 1;
        }
    }
    FluidRender render(argv[2]);
    if (!render.Ready()) {
        std::fprintf(stderr, "veldorin-sounds: could not load the soundfont %s\n", argv[2]);
        return 1;
    }
    if (!WriteMusic(render, TitleTheme(), root + "/data/sound/bgm/Title.wav") ||
        !WriteMusic(render, StageTheme(), root + "/data/sound/bgm/Stage.wav")) {
        std::fprintf(stderr, "veldorin-sounds: could not write the music\n");
        return 1;
    }
    return 0;
}
