#pragma once
// Drawing the menus in the game's own lettering over the frame: a dimmed frame, a dark panel, and lines
// of text in the game's font (with a soft shadow so that they read over snow and ice), left-aligned or
// centred, at any scale.
#include <string>

#include "platform/sys/Win32.h"

namespace menu_text {

constexpr unsigned kText = 0xFFF2F6FF;       // snow white
constexpr unsigned kHighlight = 0xFF8FDCFF;  // ice blue
constexpr unsigned kFaint = 0xFF9AA8BC;      // hints
constexpr float kLineHeight = 30.0f;

// Darkens the whole frame by alpha (0 .. 255).
void DimFrame(int alpha);
// A dark, half-transparent panel.
void DrawPanel(float x, float y, float width, float height);
// One line with its top-left at (x, y).
void DrawLine(const std::string& text, float x, float y, unsigned colour, float scale = 1.0f);
// One line centred on x.
void DrawCentred(const std::string& text, float x, float y, unsigned colour, float scale = 1.0f);
// The width of a line at scale 1, in pixels.
float Width(const std::string& text);

}  // namespace menu_text
