// The tests look at the full picture, also under a software rasteriser, unless the caller chose.
#include <cstdlib>

static const bool kFullPicture = [] { return setenv("VELDORIN_QUALITY", "full", 0) == 0; }();
