// The settings file: whatever it holds, every value read is one the options could set, and writing
// what was read and reading it again gives the same settings.
#include <string>

#include "app/KeyNames.h"
#include "app/SettingsFile.h"

namespace {

bool Within(int value, int lo, int hi) { return value >= lo && value <= hi; }

bool Valid(const GameSettings& s) {
    if (!Within(s.musicVolume, 0, GameSettings::kMaxVolume) || !Within(s.effectsVolume, 0, GameSettings::kMaxVolume) ||
        !Within(s.mouseSensitivity, GameSettings::kMinMouse, GameSettings::kMaxMouse))
        return false;
    for (int i = 0; i < PlayerKeys::kCount; ++i)
        if (KeyName(s.keys[i]).empty() || IsReservedKey(s.keys[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const GameSettings read = ParseSettings(std::string(reinterpret_cast<const char*>(data), size));
    if (!Valid(read)) __builtin_trap();
    if (!(ParseSettings(WriteSettingsText(read)) == read)) __builtin_trap();
    return 0;
}
