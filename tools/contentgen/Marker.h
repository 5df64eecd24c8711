#pragma once
// "data/Texture/hatena.png", 256 x 256 on transparent: the question mark shown over things the player
// can look into, a white "?" outlined in dark navy on an ice-blue round badge with a short tail pointing
// down at the thing. Drawn small (about 40 pixels), so the strokes and outlines are heavy.
#include <string>

bool WriteQuestionMarker(const std::string& root);
