#include "scenes/OptionsScreen.h"

#include <algorithm>

#include "app/Application.h"
#include "app/ApplySettings.h"
#include "app/KeyNames.h"
#include "platform/sys/WindowMode.h"
#include "scenes/MenuText.h"

namespace {

enum Row { kMusic, kEffects, kMouse, kInvert, kWindow, kPicture, kFirstKey, kResetKeys = kFirstKey + PlayerKeys::kCount, kBack, kRows };

constexpr const char* kLabels[kRows] = {"Music volume", "Effects volume", "Mouse sensitivity", "Inverted look",
                                        "Display", "Picture quality", "Walk forward", "Walk back",
                                        "Walk left", "Walk right", "Jump", "Fire", "Reset keys to default",
                                        "Back"};
constexpr int kVolumeStep = 10;
constexpr int kMouseStep = 25;
constexpr float kLeft = 150.0f, kValueX = 470.0f, kTop = 110.0f;

bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

int Stepped(int value, int step, int lo, int hi) { return std::clamp(value + step, lo, hi); }

// A key as the player reads it: the letters and digits themselves, words for the rest.
std::string KeyLabel(int vk) {
    static const std::pair<const char*, const char*> kWords[] = {
        {"LBUTTON", "left mouse button"}, {"RBUTTON", "right mouse button"}, {"SPACE", "Space"},
        {"RETURN", "Return"},             {"SHIFT", "Shift"},                {"UP", "up arrow"},
        {"DOWN", "down arrow"},           {"LEFT", "left arrow"},            {"RIGHT", "right arrow"}};
    const std::string name = KeyName(vk);
    for (const auto& [key, words] : kWords)
        if (name == key) return words;
    return name;
}

}  // namespace

void OptionsScreen::Open() {
    open = true;
    selected = 0;
    capturing = false;
}

void OptionsScreen::Update(const MenuMoves& moves) {
    if (capturing) return Capture();
    if (moves.back) {
        open = false;
        return;
    }
    if (moves.up) selected = (selected + kRows - 1) % kRows;
    if (moves.down) selected = (selected + 1) % kRows;
    if (moves.left) Change(-1);
    if (moves.right) Change(1);
    const bool keyRow = selected >= kFirstKey && selected < kResetKeys;
    if (keyRow && KeyDown(VK_BACK)) {
        GameSettings s = SettingsStore::GetInstance().Current();
        s.keys[selected - kFirstKey] = PlayerKeys{}[selected - kFirstKey];
        SettingsStore::GetInstance().Change(s);
    }
    if (!moves.confirm) return;
    if (selected == kBack) open = false;
    else if (keyRow) {
        capturing = true;
        for (int vk = 1; vk < 256; ++vk) keysBefore[vk] = KeyDown(vk);
    } else Change(1);
}

void OptionsScreen::Change(int step) {
    GameSettings s = SettingsStore::GetInstance().Current();
    switch (selected) {
        case kMusic: s.musicVolume = Stepped(s.musicVolume, step * kVolumeStep, 0, GameSettings::kMaxVolume); break;
        case kEffects: s.effectsVolume = Stepped(s.effectsVolume, step * kVolumeStep, 0, GameSettings::kMaxVolume); break;
        case kMouse:
            s.mouseSensitivity = Stepped(s.mouseSensitivity, step * kMouseStep, GameSettings::kMinMouse, GameSettings::kMaxMouse);
            break;
        case kInvert: s.invertLook = !s.invertLook; break;
        case kWindow: {
            const HWND window = Application::GetInstance().hWnd;
            const bool full = !platform::IsWindowFullScreen(window);
            platform::SetWindowFullScreen(window, full);
            s.windowMode = full ? WindowMode::FullScreen : WindowMode::Window;
            break;
        }
        case kPicture: s.picture = platform::PictureQuality((static_cast<int>(s.picture) + 3 + step) % 3); break;
        case kResetKeys: s.keys = PlayerKeys{}; break;
        default: return;
    }
    SettingsStore::GetInstance().Change(s);
}

// The first key that goes down (and can be bound) becomes the highlighted control's; Esc keeps the old.
void OptionsScreen::Capture() {
    for (int vk = 1; vk < 256; ++vk) {
        const bool down = KeyDown(vk);
        const bool pressed = down && !keysBefore[vk];
        keysBefore[vk] = down;
        if (!pressed) continue;
        if (vk == VK_ESCAPE) {
            capturing = false;
            return;
        }
        if (KeyName(vk).empty() || IsReservedKey(vk)) continue;
        GameSettings s = SettingsStore::GetInstance().Current();
        s.keys[selected - kFirstKey] = vk;
        SettingsStore::GetInstance().Change(s);
        capturing = false;
        return;
    }
}

std::string OptionsScreen::Value(int row) const {
    const GameSettings& s = SettingsStore::GetInstance().Current();
    static const char* const kPictures[] = {"auto", "full", "light"};
    switch (row) {
        case kMusic: return std::to_string(s.musicVolume) + " %";
        case kEffects: return std::to_string(s.effectsVolume) + " %";
        case kMouse: return std::to_string(s.mouseSensitivity) + " %";
        case kInvert: return s.invertLook ? "on" : "off";
        case kWindow: return platform::IsWindowFullScreen(Application::GetInstance().hWnd) ? "full screen" : "window";
        case kPicture: return kPictures[static_cast<int>(s.picture)];
        default: break;
    }
    if (row < kFirstKey || row >= kResetKeys) return {};
    if (capturing && row == selected) return "press a key...";
    return KeyLabel(s.keys[row - kFirstKey]);
}

void OptionsScreen::Draw() const {
    using namespace menu_text;
    DimFrame(150);
    DrawPanel(kLeft - 40.0f, kTop - 80.0f, 800.0f - 2.0f * (kLeft - 40.0f), static_cast<float>(kRows) * kLineHeight + 140.0f);
    DrawCentred("OPTIONS", 400.0f, kTop - 66.0f, kText, 1.5f);
    for (int row = 0; row < kRows; ++row) {
        const float y = kTop + static_cast<float>(row) * kLineHeight + (row >= kFirstKey ? 8.0f : 0.0f) +
                        (row >= kResetKeys ? 8.0f : 0.0f);
        const unsigned colour = row == selected ? kHighlight : kText;
        if (row == selected) DrawLine(">", kLeft - 24.0f, y, kHighlight);
        DrawLine(kLabels[row], kLeft, y, colour);
        DrawLine(Value(row), kValueX, y, colour);
    }
    const bool keyRow = selected >= kFirstKey && selected < kResetKeys;
    const char* hint = capturing  ? "Press the new key, or Esc to keep the old one"
                       : keyRow   ? "Enter: change    Backspace: default    Esc: back"
                                  : "Left / Right: change    Esc: back";
    DrawCentred(hint, 400.0f, kTop + static_cast<float>(kRows) * kLineHeight + 28.0f, kFaint);
}
