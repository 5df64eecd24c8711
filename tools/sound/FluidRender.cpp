#include "tools/sound/FluidRender.h"

#include <fluidsynth.h>

#include <algorithm>

namespace {

struct Event {
    size_t frame;
    bool on;
    const Note* note;
};

}  // namespace

FluidRender::FluidRender(const std::string& soundfont) {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setint(settings, "synth.polyphony", 256);
    // A cold, wide hall; no chorus, which would blur the bell-like voices.
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setnum(settings, "synth.reverb.room-size", 0.72);
    fluid_settings_setnum(settings, "synth.reverb.damp", 0.25);
    fluid_settings_setnum(settings, "synth.reverb.width", 0.9);
    fluid_settings_setnum(settings, "synth.reverb.level", 0.55);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    synth = new_fluid_synth(settings);
    if (synth) fontId = fluid_synth_sfload(synth, soundfont.c_str(), 1);
}

FluidRender::~FluidRender() {
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
}

Wave FluidRender::RenderLoop(const Score& score) {
    Wave wave;
    wave.channels = 2;
    if (!Ready()) return wave;
    fluid_synth_system_reset(synth);
    for (const auto& [channel, program] : score.programs) fluid_synth_program_select(synth, channel, fontId, channel == kDrumChannel ? 128 : 0, program);
    for (const auto& [channel, volume] : score.volumes) fluid_synth_cc(synth, channel, 7, volume);

    const size_t loop = score.LoopFrames();
    const size_t tick = static_cast<size_t>(score.samplesPerTick);
    std::vector<Event> events;
    for (int pass = 0; pass < 2; ++pass) {
        const size_t offset = loop * static_cast<size_t>(pass);
        for (const Note& note : score.notes) {
            const size_t on = offset + static_cast<size_t>(note.start) * tick;
            events.push_back({on, true, &note});
            // Released a little before the next note's onset, so repeated keys re-strike cleanly.
            events.push_back({on + static_cast<size_t>(note.length) * tick - tick / 8, false, &note});
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.frame != b.frame ? a.frame < b.frame : (!a.on && b.on);
    });

    const size_t total = loop * 2;
    std::vector<float> left(total), right(total);
    size_t done = 0;
    auto renderTo = [&](size_t frame) {
        frame = std::min(frame, total);
        while (done < frame) {
            const int count = static_cast<int>(std::min<size_t>(frame - done, 4096));
            fluid_synth_write_float(synth, count, left.data() + done, 0, 1, right.data() + done, 0, 1);
            done += static_cast<size_t>(count);
        }
    };
    for (const Event& e : events) {
        renderTo(e.frame);
        if (e.on) fluid_synth_noteon(synth, e.note->channel, e.note->key, e.note->velocity);
        else fluid_synth_noteoff(synth, e.note->channel, e.note->key);
    }
    renderTo(total);

    wave.samples.resize(loop * 2);
    for (size_t i = 0; i < loop; ++i) {
        wave.samples[2 * i] = left[loop + i];
        wave.samples[2 * i + 1] = right[loop + i];
    }
    return wave;
}
