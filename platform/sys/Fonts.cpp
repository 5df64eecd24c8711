#include "platform/sys/Fonts.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/sys/Paths.h"

namespace {
std::mutex fontMutex;
std::string lastFont;

// TrueType and OpenType files start with one of these tags.
bool LooksLikeFont(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    unsigned char tag[4] = {};
    const bool read = std::fread(tag, 1, 4, file) == 4;
    std::fclose(file);
    static const unsigned char kTrueType[4] = {0, 1, 0, 0};
    return read && (std::memcmp(tag, kTrueType, 4) == 0 || std::memcmp(tag, "OTTO", 4) == 0 ||
                    std::memcmp(tag, "true", 4) == 0);
}
}  // namespace

int AddFontResourceExA(const char* path, DWORD, void*) {
    if (!path) return 0;
    // Found on disk like every other file the game names, whatever the case.
    const std::string onDisk = platform::ResolvePath(path);
    if (!LooksLikeFont(onDisk)) return 0;
    std::lock_guard lock(fontMutex);
    lastFont = onDisk;
    return 1;
}

namespace platform {
std::string PrivateFontPath() {
    std::lock_guard lock(fontMutex);
    return lastFont;
}
}  // namespace platform
