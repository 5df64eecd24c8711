#pragma once
// Procedural images for the generated models, written as PNG next to the models that name them.
#include <string>

namespace xmodels {

// Pale blue ice with frost streaks and cracks; `seed` varies the pattern.
bool WriteIceTexture(const std::string& path, int size, unsigned seed);
// Grey-blue stone floor tiles with darker grout.
bool WriteStoneTexture(const std::string& path, int size);

}  // namespace xmodels
