#pragma once
// The names of the keys and mouse buttons a control can be bound to, as the settings file, the options
// screen and the runner's scripts write them: "A" to "Z", "0" to "9", "SPACE", "RETURN", "SHIFT", "UP",
// "DOWN", "LEFT", "RIGHT", "LBUTTON", "RBUTTON".
#include <string>

// The key's name; empty for a key that cannot be bound.
std::string KeyName(int vk);
// The key of a name; 0 for none.
int KeyByName(const std::string& name);
// Keys the game keeps for itself (Esc, pause, restart, rewind, the replay and screenshot keys): no
// control can take them.
bool IsReservedKey(int vk);
