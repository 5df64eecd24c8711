#pragma once
// The names of the keys and mouse buttons a control can be bound to, as the settings file, the options
// screen and the runner's scripts write them: "A" to "Z", "0" to "9", "SPACE", "RETURN", "SHIFT", "UP",
// "DOWN", "LEFT", "RIGHT", "LBUTTON", "RBUTTON".
#include <string>

// The key's name; empty for a key that cannot be bound.
std::string KeyName(int vk);
// The key of a name; 0 for none.
int KeyByName(const std::string& name);
// Keys the game keeps for itself (Esc, P to pause, R to restart, O for the options, Backspace to
// rewind): no control can take them. F8 and F12 have no name, so none can take them either.
bool IsReservedKey(int vk);
