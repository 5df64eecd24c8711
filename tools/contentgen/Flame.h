#pragma once
// "data/Texture/Flame.png", 128 x 128: a puff of fire, white-yellow at the heart through orange to a
// ragged red rim, nothing at all towards the edges. Drawn additively, so the colour is premultiplied
// by alpha: colour x alpha is the light added, and the edges are transparent black.
#include <string>

bool WriteFlame(const std::string& root);
