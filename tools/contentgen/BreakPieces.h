#pragma once
// The pieces a broken box throws out. Each flying piece is a 1 x 1 quad drawn with alpha blending, so
// every image is one piece on transparency, inked round like the rest of the game.
#include <string>

// "Data/Texture/BreakAnim.png", 128 x 128: a jagged splinter of plank with two slivers beside it, warm
// brown with darker grain.
bool WriteWoodSplinters(const std::string& root);
// "Data/Texture/BreakAnim1.png", 128 x 128: an angular chunk of grey-blue stone lit from the upper
// left, with a chip of ice and a pebble flying with it.
bool WriteStoneChunks(const std::string& root);
