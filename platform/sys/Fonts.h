#pragma once
// Private font files, registered as on Windows and looked up when the game creates its font.
#include <string>

#include "platform/sys/Win32.h"

constexpr DWORD FR_PRIVATE = 0x10;

// Registers the font file (its name resolved as every other file's, whatever the case) for this
// process; returns the number of fonts added (0 when the file cannot be read or is not a font file).
int AddFontResourceExA(const char* path, DWORD flags, void* reserved);

namespace platform {
// The most recently registered private font file as found on disk, or empty when none is.
std::string PrivateFontPath();
}
