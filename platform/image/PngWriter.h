#pragma once
// Writes screenshots.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
// Writes 8-bit RGBA pixels, top row first, as a PNG file; false when the file cannot be written.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height);
}
