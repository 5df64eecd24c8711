#pragma once
// The settings in force: what the options show and change. Each change is put into the game at once
// (the sound gains, the mouse's look, the player's keys, the picture quality) and stored at once in
// the settings file, when there is one.
#include <string>

#include "app/GameSettings.h"

class SettingsStore {
public:
    static SettingsStore& GetInstance();

    // Reads the file at path (the defaults when it cannot be read), puts the settings into the game and
    // keeps path for the changes; an empty path reads nothing and stores nothing.
    void Load(const std::string& path);
    // Puts settings into the game and stores them.
    void Change(const GameSettings& settings);
    // Back to the defaults, put into the game, stored nowhere.
    void Reset();
    const GameSettings& Current() const { return current; }
    const std::string& Path() const { return path; }
    // While a journal is played, the changes it makes are put into the game but never stored.
    void SetStoring(bool on) { storing = on; }

private:
    GameSettings current;
    std::string path;
    bool storing = true;
};

// Puts settings into the game without storing them.
void ApplySettings(const GameSettings& settings);
