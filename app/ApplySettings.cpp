#include "app/ApplySettings.h"

#include "app/Mouse.h"
#include "app/SettingsFile.h"
#include "sound/SoundManager.h"

void ApplySettings(const GameSettings& settings) {
    SoundManager::GetInstance().SetGains(settings.musicVolume, settings.effectsVolume);
    Mouse::GetInstance().SetLook(settings.mouseSensitivity, settings.invertLook);
    PlayerKeys::Current() = settings.keys;
    platform::GetSettings().picture = settings.picture;
}

SettingsStore& SettingsStore::GetInstance() {
    static SettingsStore store;
    return store;
}

void SettingsStore::Load(const std::string& file) {
    path = file;
    current = file.empty() ? GameSettings{} : ReadSettings(file);
    ApplySettings(current);
}

void SettingsStore::Reset() {
    storing = true;
    Load("");
}

void SettingsStore::Change(const GameSettings& settings) {
    current = settings;
    ApplySettings(current);
    if (storing && !path.empty()) WriteSettings(path, current);
}
