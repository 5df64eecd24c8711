#pragma once
// The additive effect images: the frost spray of an ice slide and the cold-mist cloud. Both are light
// on black, so that the renderer can add them to the scene and black reads as nothing.
#include <string>

// "data/Texture/slip/slipeffect0.png" to "slipeffect7.png", 128 x 128: a puff of ice crystals that
// bursts, spreads and fades over the eight frames. Colour is premultiplied by alpha, so that adding
// colour x alpha gives the intended light and the edges are transparent black.
bool WriteSlipEffect(const std::string& root);
// "data/Texture/cloud.bmp", 128 x 128, 24-bit: a soft white-blue puff fading to black well inside the edges.
bool WriteCloud(const std::string& root);
