#pragma once
// Keyboard, cursor and game-pad calls with the meaning they have on Windows (GetAsyncKeyState,
// cursor position, XInput). They read an input source: SDL's devices in the game, a script in the
// headless runner, so the game cannot tell the two apart.
#include <array>
#include <cstdint>

#include "platform/sys/Win32.h"

typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef int16_t SHORT;

// --- virtual-key codes (letters and digits are their upper-case ASCII codes) ---
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_BACK = 0x08;  // Backspace
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F8 = 0x77;
constexpr int kVirtualKeyCount = 256;

// Most significant bit: the key is down now. Low bit: pressed since the previous query of this key.
SHORT GetAsyncKeyState(int vk);

bool GetCursorPos(POINT* point);
bool SetCursorPos(int x, int y);
bool ClientToScreen(HWND hwnd, POINT* point);
// Display counter as on Windows: the cursor shows while the counter is zero or more.
int ShowCursor(bool show);
// True while the window has the keyboard focus (the game leaves the cursor alone otherwise).
bool IsWindowFocused(HWND hwnd);

// --- game pad ---
constexpr WORD XINPUT_GAMEPAD_DPAD_UP = 0x0001;
constexpr WORD XINPUT_GAMEPAD_DPAD_DOWN = 0x0002;
constexpr WORD XINPUT_GAMEPAD_DPAD_LEFT = 0x0004;
constexpr WORD XINPUT_GAMEPAD_DPAD_RIGHT = 0x0008;
constexpr WORD XINPUT_GAMEPAD_START = 0x0010;
constexpr WORD XINPUT_GAMEPAD_BACK = 0x0020;
constexpr WORD XINPUT_GAMEPAD_LEFT_THUMB = 0x0040;
constexpr WORD XINPUT_GAMEPAD_RIGHT_THUMB = 0x0080;
constexpr WORD XINPUT_GAMEPAD_LEFT_SHOULDER = 0x0100;
constexpr WORD XINPUT_GAMEPAD_RIGHT_SHOULDER = 0x0200;
constexpr WORD XINPUT_GAMEPAD_A = 0x1000;
constexpr WORD XINPUT_GAMEPAD_B = 0x2000;
constexpr WORD XINPUT_GAMEPAD_X = 0x4000;
constexpr WORD XINPUT_GAMEPAD_Y = 0x8000;
constexpr DWORD XUSER_MAX_COUNT = 4;
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

struct XINPUT_GAMEPAD {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX;
    SHORT sThumbLY;  // up is positive
    SHORT sThumbRX;
    SHORT sThumbRY;
};
struct XINPUT_STATE {
    DWORD dwPacketNumber;
    XINPUT_GAMEPAD Gamepad;
};
struct XINPUT_VIBRATION {
    WORD wLeftMotorSpeed;
    WORD wRightMotorSpeed;
};

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state);
DWORD XInputSetState(DWORD userIndex, XINPUT_VIBRATION* vibration);

namespace platform {

// Where the calls above read from.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual bool KeyDown(int vk) = 0;
    // How many times the key has gone down so far (for the "pressed since last query" bit).
    virtual uint32_t KeyPressCount(int vk) = 0;
    virtual POINT CursorPos() = 0;
    virtual void SetCursorPos(POINT screen) = 0;
    virtual bool Focused(HWND hwnd) = 0;
    // False when no pad is connected at that user index.
    virtual bool PadState(DWORD user, XINPUT_GAMEPAD* pad) = 0;
    virtual void SetVibration(DWORD user, WORD left, WORD right) = 0;
};

// Installs a source (null restores SDL's devices). The source must outlive its use. A source that
// itself reads SDL's devices (the game's journal) keeps the mouse capture with keepCapture.
void SetInputSource(InputSource* source, bool keepCapture = false);
// SDL's own devices, whatever source is installed.
InputSource& SdlInputSource();
// How many presses of each key GetAsyncKeyState has reported so far (its "pressed since" bit).
std::array<uint32_t, kVirtualKeyCount>& KeyQueryCounts();
InputSource& GetInputSource();
// Called by the message pump for SDL events that concern the devices (key presses, pads, focus).
void FeedSdlInputEvent(const void* sdlEvent);
// Captures the pointer for mouse-look (SDL's relative mode) while the game hides the cursor and has
// the focus, releases it otherwise; called when a window goes away. See MouseCapture.
void UpdateMouseCapture();
// True while the pointer is captured: the cursor calls then read relative motion.
bool MouseCaptured();

}  // namespace platform
