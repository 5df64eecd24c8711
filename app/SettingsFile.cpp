#include "app/SettingsFile.h"

#include <ini.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/KeyNames.h"
#include "platform/sys/AtomicFile.h"
#include "platform/sys/Paths.h"

namespace {

constexpr const char* kSection = "options";
constexpr const char* kKeyNames[PlayerKeys::kCount] = {"forward", "backward", "left", "right", "jump", "fire"};
constexpr const char* kWindowModes[] = {"ask", "window", "fullscreen"};
constexpr const char* kPictures[] = {"auto", "full", "light"};
constexpr const char* kFlags[] = {"no", "yes"};

// A whole number within min .. max.
bool Percent(const char* text, int min, int max, int& out) {
    const char* end = text + std::strlen(text);
    int value = 0;
    auto [ptr, ec] = std::from_chars(text, end, value);
    if (ec != std::errc() || ptr != end || ptr == text || value < min || value > max) return false;
    out = value;
    return true;
}

// The index of text in names, or -1.
template <size_t N>
int Choice(const char* text, const char* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (std::strcmp(text, names[i]) == 0) return static_cast<int>(i);
    return -1;
}

void Binding(const char* text, int& out) {
    const int vk = KeyByName(text);
    if (vk && !IsReservedKey(vk)) out = vk;
}

// An enumeration (or a flag) by the index of its name.
template <size_t N, typename T>
void Pick(const char* text, const char* const (&names)[N], T& out) {
    const int i = Choice(text, names);
    if (i >= 0) out = static_cast<T>(i);
}

int OnValue(void* user, const char* section, const char* name, const char* value) {
    if (std::strcmp(section, kSection) != 0) return 1;
    GameSettings& s = *static_cast<GameSettings*>(user);
    const std::string key = name;
    if (key == "music") Percent(value, 0, GameSettings::kMaxVolume, s.musicVolume);
    else if (key == "effects") Percent(value, 0, GameSettings::kMaxVolume, s.effectsVolume);
    else if (key == "mouse") Percent(value, GameSettings::kMinMouse, GameSettings::kMaxMouse, s.mouseSensitivity);
    else if (key == "invert_look") Pick(value, kFlags, s.invertLook);
    else if (key == "window") Pick(value, kWindowModes, s.windowMode);
    else if (key == "picture") Pick(value, kPictures, s.picture);
    for (int i = 0; i < PlayerKeys::kCount; ++i)
        if (key == kKeyNames[i]) Binding(value, s.keys[i]);
    return 1;  // an unknown or broken line is passed over; the rest is still read
}

}  // namespace

std::string DefaultSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/') folder = config;
    else if (const char* home = std::getenv("HOME"); home && home[0]) folder = std::string(home) + "/.config";
    else return {};
    return folder + "/veldorin/settings.ini";
}

GameSettings ParseSettings(const std::string& text) {
    GameSettings settings;
    ini_parse_string(text.c_str(), OnValue, &settings);
    return settings;
}

GameSettings ReadSettings(const std::string& path) {
    std::string text;
    if (path.empty() || !platform::ReadFile(path, text)) return {};
    // The reader stops at the first NUL; what comes before it is still read.
    return ParseSettings(text);
}

std::string WriteSettingsText(const GameSettings& s) {
    std::string out = "# VELDORIN settings; the README describes every key.\n[options]\n";
    auto line = [&out](const char* key, const std::string& value) { out.append(key).append(" = ").append(value) += '\n'; };
    line("music", std::to_string(s.musicVolume));
    line("effects", std::to_string(s.effectsVolume));
    line("mouse", std::to_string(s.mouseSensitivity));
    line("invert_look", s.invertLook ? "yes" : "no");
    line("window", kWindowModes[static_cast<int>(s.windowMode)]);
    line("picture", kPictures[static_cast<int>(s.picture)]);
    for (int i = 0; i < PlayerKeys::kCount; ++i) line(kKeyNames[i], KeyName(s.keys[i]));
    return out;
}

bool WriteSettings(const std::string& path, const GameSettings& settings) {
    if (path.empty()) return false;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    return platform::WriteFileAtomically(path, WriteSettingsText(settings));
}
