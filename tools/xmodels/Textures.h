#pragma once
// Procedural images for the generated models, written as PNG next to the models that name them.
#include <string>

namespace xmodels {

// Pale blue ice with frost streaks and cracks; `seed` varies the pattern.
bool WriteIceTexture(const std::string& path, int size, unsigned seed);
// Grey-blue stone floor tiles with darker grout.
bool WriteStoneTexture(const std::string& path, int size);
// Wood grain running along the image's width: light warm streaks, darker rings and a few knots. Near
// white, so that the material's colour sets the wood's shade.
bool WriteWoodTexture(const std::string& path, int size, unsigned seed);
// Chiselled rock: light mottled grey with dark pits and hairline cracks, tinted by the material.
bool WriteRockTexture(const std::string& path, int size);
// A bright spiral of light for the exit's portal: a white core winding out through cyan arms into
// deep blue at the rim.
bool WriteSwirlTexture(const std::string& path, int size);

// The sky dome's image: u runs once round the horizon and repeats without a seam, v runs from the
// zenith (0) down to the horizon (kSkyHorizonV) and on to the bottom of the skirt (1). Light blue
// overhead fading to a pale cyan-white at the horizon, with a band of soft clouds low in the sky.
constexpr float kSkyHorizonV = 0.85f;
bool WriteSkyTexture(const std::string& path, int width, int height);

}  // namespace xmodels
