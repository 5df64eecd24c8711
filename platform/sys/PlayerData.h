#pragma once
// The player's own folder for what the game writes: SDL's preference path for the game
// ($XDG_DATA_HOME/veldorin/, usually ~/.local/share/veldorin/). The game keeps its progress in its
// working directory, the content tree; an installed content tree is usually not writable, and then
// progress lives in the player's folder instead.
#include <string>

namespace platform {

// The folder with a trailing '/', created if needed; empty when there is none.
std::string PlayerDataFolder();

// Where a file that the game writes by a path relative to its working directory is read and
// written: the path itself while the working directory is writable, otherwise the same path under
// the player's folder (its folders created).
std::string PlayerFilePath(const std::string& gamePath);

}  // namespace platform
