#pragma once
// A picture the runner wrote, read back as 8-bit RGBA rows, top row first.
#include <cstdint>
#include <string>
#include <vector>

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    // False when the file is missing or not a picture.
    bool Load(const std::string& path);
    const uint8_t* At(int x, int y) const { return rgba.data() + 4 * (static_cast<size_t>(y) * width + x); }
};
