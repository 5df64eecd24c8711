// Tests never reach a real sound card: unless the caller chose an OpenAL Soft driver, the test
// process (and every runner it starts) opens OpenAL Soft's silent "null" device.
#include <cstdlib>

namespace {

const bool kSilentAudio = [] { return setenv("ALSOFT_DRIVERS", "null", 0) == 0; }();

}  // namespace
