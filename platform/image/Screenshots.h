#pragma once
// Pictures the player takes with F12: the frame as the game drew it (the back buffer, 800 x 600 in
// any window size), saved as PNG under the player's data folder in screenshots/, named by the date
// and time it was taken.
#include <ctime>
#include <string>

class IDirect3DDevice9;

namespace platform {

// Asks for a picture of the next presented frame.
void RequestScreenshot();
// Called by Present with the finished frame: saves it when one was asked for. False when one was
// asked for and could not be written.
bool SaveRequestedScreenshot(IDirect3DDevice9& device);

// "veldorin_YYYY-MM-DD_HH-MM-SS.png" for that local time; a second picture in the same second gets
// "_2", "_3" ... before the extension (taken is how many of that second exist already).
std::string ScreenshotName(const std::tm& when, int taken);
// A new, unused file name in the screenshot folder (created if needed); empty when there is none.
std::string NewScreenshotPath();

}  // namespace platform
