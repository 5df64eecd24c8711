#pragma once
// The title screen and the closing picture, lettered in DejaVu Sans Bold.
#include <string>

// "data/Texture/TitleLogo.png", 800 x 600 on transparent: the name VELDORIN in tall frosted letters
// (ice-blue gradient, bevelled white highlights, dark navy outline, icicles hanging from the letters,
// sparkles and snowflakes) across y 90 to 260, and "Click to start" centred near y 470.
// "data/Texture/TitleLogo2.png", 800 x 600: the layer under the logo, a soft translucent dark-blue band
// behind the name and the prompt plus a gentle vignette, clear in the middle.
// "data/Texture/Mask.png", 800 x 600 opaque: a soft radial mask, white in the centre, black at the edges.
bool WriteTitleImages(const std::string& root);

// "Data/Texture/Continue.png", 420 x 50 on transparent: "Thank you for playing!" in icy letters with a
// snowflake before it, made to sit at (360, 540) on a black screen.
bool WriteClosingImage(const std::string& root);
