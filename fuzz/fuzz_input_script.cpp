// The runner's input scripts: parsed, and when accepted, the input of frames around every line's
// edges taken (the limits on mouse sums must hold there).
#include <string>

#include "sim/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScript script;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!script.Parse(text, error)) {
        if (error.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    for (int frame : {0, 1, 2, 3, 100, 1000, 1000000, 1000000000}) {
        const FrameInput input = script.At(frame);
        if (input.mouseDx > 100000 || input.mouseDx < -100000 || input.mouseDy > 100000 || input.mouseDy < -100000)
            __builtin_trap();
    }
    return 0;
}
