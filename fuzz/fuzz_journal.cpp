// Journals: read whole; a refusal always says why. An accepted one is written again from the frames it
// holds, with its header, and that text reads back to the same header, clocks and input frame by frame.
#include <algorithm>
#include <string>

#include "app/Journal.h"
#include "app/Recorder.h"
#include "sim/InputScript.h"

namespace {

bool Same(const JournalHeader& a, const JournalHeader& b) { return WriteJournalHeader(a) == WriteJournalHeader(b); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScript script;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!ReadJournal(text, script, error)) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    IsPlayableJournal(*script.Header(), error);
    Journal journal;
    journal.Begin(*script.Header());
    const int frames = std::min(script.LastFrame(), 300);
    for (int f = 1; f <= frames; ++f) journal.Append(script.At(f), script.ClockAt(f), script.UsesPad());
    InputScript again;
    if (!ReadJournal(journal.Write(), again, error) || !Same(*again.Header(), journal.Header())) __builtin_trap();
    for (int f = 1; f <= frames; ++f) {
        if (!(again.At(f) == script.At(f)) || again.ClockAt(f) != script.ClockAt(f)) __builtin_trap();
    }
    return 0;
}
