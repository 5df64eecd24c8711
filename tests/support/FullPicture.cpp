// The pictures the tests look at are the full ones, also under a software rasteriser: unless the
// caller chose, the test process (and every runner it starts) draws the full picture.
#include <cstdlib>

namespace {

const bool kFullPicture = [] { return setenv("VELDORIN_QUALITY", "full", 0) == 0; }();

}  // namespace
