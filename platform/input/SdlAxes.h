#pragma once
// SDL controller axis values in the XInput ranges and sign convention.
#include "platform/input/Input.h"

namespace platform {

// SDL axis value (y grows downwards) to an XInput thumb value (y grows upwards).
SHORT ThumbFromSdl(int value, bool isYAxis);
// SDL trigger value (0 to 32767) to the XInput 0 to 255.
BYTE TriggerFromSdl(int value);

}  // namespace platform
