#pragma once
// The settings file: an INI file with one [options] section ("music = 80", "jump = SPACE", …; the
// README lists every key). A key that is missing, unreadable or out of range keeps its default; a
// file that is missing or damaged as a whole gives the defaults.
#include <string>

#include "app/GameSettings.h"

// $XDG_CONFIG_HOME/veldorin/settings.ini (~/.config/veldorin/ without it); empty when neither is known.
std::string DefaultSettingsPath();

// Reads settings from the text of a file.
GameSettings ParseSettings(const std::string& text);
// Reads the file at path; the defaults when it cannot be read.
GameSettings ReadSettings(const std::string& path);
// The text of a file holding settings.
std::string WriteSettingsText(const GameSettings& settings);
// Writes the file atomically, creating its folder; false when it could not be written.
bool WriteSettings(const std::string& path, const GameSettings& settings);
