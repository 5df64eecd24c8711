// The game on a desktop, seen from the X server: full screen without a mode switch, a window that
// scales its frame, Alt+Enter, F12 screenshots and mouse-look by relative motion. The window and the
// device are the game's own (platform calls, GraphicsDevice::Init with the full-screen answer); the
// person at the keyboard and mouse is xdotool. Needs an X display (the test script starts Xvfb).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "app/GamePad.h"
#include "app/Mouse.h"
#include "graphics/GraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/input/Input.h"
#include "platform/sys/MessageBoxHook.h"
#include "tests/support/Pattern.h"
#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"
#include "tests/support/XScreen.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr char kTitle[] = "VELDORIN desktop test";
constexpr int kWidth = 800, kHeight = 600;

// The four quarters of the test frame, in reading order.
constexpr D3DCOLOR kQuarters[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};

bool Near(const uint8_t* p, D3DCOLOR c) {
    const int expected[3] = {int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(p[i] - expected[i]) > 8) return false;
    }
    return true;
}

// Whether the pixels of a window show the 800 x 600 frame scaled to fit with its aspect kept and
// black bars around it; why says what is wrong otherwise.
bool ShowsScaledFrame(const xscreen::Pixels& pixels, std::string& why) {
    const int w = pixels.area.width, h = pixels.area.height;
    if (pixels.rgba.empty()) return why = "nothing grabbed", false;
    const double scale = std::min(w / double(kWidth), h / double(kHeight));
    const int frameW = int(kWidth * scale), frameH = int(kHeight * scale);
    const int left = (w - frameW) / 2, top = (h - frameH) / 2;
    auto check = [&](int x, int y, D3DCOLOR colour, const char* what) {
        if (Near(pixels.At(x, y), colour)) return true;
        why = std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) + " in a " + std::to_string(w) +
              "x" + std::to_string(h) + " window";
        return false;
    };
    for (int q = 0; q < 4; ++q) {
        const int fx = (q % 2) ? 600 : 200, fy = (q / 2) ? 450 : 150;
        if (!check(left + int(fx * scale), top + int(fy * scale), kQuarters[q], "frame quarter")) return false;
    }
    // The frame reaches the edges of its place: its corners just inside, the bars just outside.
    if (!check(left + 3, top + 3, kQuarters[0], "top-left corner")) return false;
    if (!check(left + frameW - 4, top + frameH - 4, kQuarters[3], "bottom-right corner")) return false;
    if (left >= 4 && !check(left - 3, h / 2, 0xFF000000, "side bar")) return false;
    if (top >= 4 && !check(w / 2, top - 3, 0xFF000000, "top bar")) return false;
    return true;
}

class DisplayDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        display = xscreen::Open();
        ASSERT_NE(display, nullptr) << "needs an X server (the test script starts Xvfb)";
        dataHome = fs::temp_directory_path() / ("veldorin_desktop_" + std::to_string(::getpid()));
        fs::remove_all(dataHome);
        fs::create_directories(dataHome);
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        platform::GetSettings().headless = false;
        platform::SetMessageBoxHandler([](const char*, const char*, UINT type) {
            return (type & 0xF) == MB_YESNO ? IDYES : IDOK;  // yes, full screen
        });
        WNDCLASSEXA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "DesktopTest";
        RegisterClassExA(&windowClass);
        const xscreen::Area screen = xscreen::ScreenArea(display);
        windowed = xscreen::Area{(screen.width - kWidth) / 2, (screen.height - kHeight) / 2, kWidth, kHeight};
        hwnd = CreateWindowExA(0, "DesktopTest", kTitle, 0, windowed.x, windowed.y, kWidth, kHeight, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
    }

    void TearDown() override {
        GraphicsDevice::GetInstance().Release();
        if (hwnd) DestroyWindow(hwnd);
        UnregisterClassA("DesktopTest", nullptr);
        platform::SetMessageBoxHandler({});
        ::unsetenv("XDG_DATA_HOME");
        std::error_code ec;
        fs::remove_all(dataHome, ec);
        if (display) XCloseDisplay(display);
    }

    Window ShowAndFind() {
        ShowWindow(hwnd, SW_SHOW);
        window = xscreen::WaitForWindow(display, kTitle, 10s);
        return window;
    }

    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }

    // Pumps the window's messages and presents until the condition holds (false after 10 s).
    bool PresentUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < end) {
            Pump();
            GraphicsDevice::GetInstance().GetDevice()->Present(nullptr, nullptr, nullptr, nullptr);
            if (done()) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    // The window at this place and size shows the scaled frame.
    bool Shows(const xscreen::Area& area, std::string& why) {
        const xscreen::Area now = xscreen::AreaOf(display, window);
        if (!(now == area)) {
            why = "window at " + std::to_string(now.x) + "," + std::to_string(now.y) + " " + std::to_string(now.width) +
                  "x" + std::to_string(now.height);
            return false;
        }
        return ShowsScaledFrame(xscreen::Grab(display, area), why);
    }

    void DrawQuarters() {
        IDirect3DDevice9* device = GraphicsDevice::GetInstance().GetDevice();
        for (int q = 0; q < 4; ++q) {
            const D3DVIEWPORT9 quarter{DWORD(q % 2) * 400, DWORD(q / 2) * 300, 400, 300, 0.0f, 1.0f};
            device->SetViewport(&quarter);
            device->Clear(0, nullptr, D3DCLEAR_TARGET, kQuarters[q], 1.0f, 0);
        }
    }

    // A key as the keyboard sends it, to the window that has the focus.
    void Press(const std::string& keys) {
        RunProcess("xdotool windowfocus --sync " + std::to_string(window) + " key " + keys);
    }

    std::vector<fs::path> Screenshots() const {
        std::vector<fs::path> found;
        std::error_code ec;
        for (fs::directory_iterator it(dataHome / "veldorin" / "screenshots", ec), end; !ec && it != end; ++it) {
            found.push_back(it->path());
        }
        return found;
    }

    Display* display = nullptr;
    fs::path dataHome;
    HWND hwnd = nullptr;
    Window window = 0;
    xscreen::Area windowed;
};

TEST_F(DisplayDesktop, FullScreenKeepsTheModeScalesTheFrameAndTogglesWithAltEnterAndF12SavesIt) {
    const ProcessResult modeBefore = RunProcess("xrandr --current");
    ASSERT_EQ(modeBefore.status, 0) << "xrandr is needed: " << modeBefore.err;
    ASSERT_TRUE(GraphicsDevice::GetInstance().Init(hwnd, kWidth, kHeight));
    GraphicsDevice::GetInstance().SetupRenderStates();
    EXPECT_EQ(GraphicsDevice::GetInstance().GetBackBufferWidth(), 800u);
    EXPECT_EQ(GraphicsDevice::GetInstance().GetBackBufferHeight(), 600u);
    DrawQuarters();
    ASSERT_NE(ShowAndFind(), 0u);
    const xscreen::Area screen = xscreen::ScreenArea(display);
    std::string why;

    // Yes to the question: the whole screen, the frame scaled with its aspect, the mode untouched.
    EXPECT_TRUE(PresentUntil([&] { return Shows(screen, why); })) << "full screen: " << why;
    EXPECT_EQ(RunProcess("xrandr --current").out, modeBefore.out) << "the screen's mode changed";

    // Alt+Enter: back to the framed 800 x 600 window where it was, drawn 1:1.
    Press("alt+Return");
    EXPECT_TRUE(PresentUntil([&] { return Shows(windowed, why); })) << "after Alt+Enter: " << why;

    // The window manager may resize the window (nothing pins its size), and the frame follows.
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(display, window, &hints, &supplied);
    const bool fixed = (hints.flags & PMinSize) && (hints.flags & PMaxSize) && hints.min_width == hints.max_width &&
                       hints.min_height == hints.max_height;
    EXPECT_FALSE(fixed) << "the window tells the window manager it cannot be resized";
    XResizeWindow(display, window, 1000, 500);
    XFlush(display);
    EXPECT_TRUE(PresentUntil([&] { return Shows({windowed.x, windowed.y, 1000, 500}, why); })) << "resized: " << why;

    // F12: the frame as drawn, 800 x 600, into the player's folder, named by date and time.
    EXPECT_TRUE(Screenshots().empty());
    Press("F12");
    EXPECT_TRUE(PresentUntil([&] { return !Screenshots().empty(); })) << "no screenshot saved";
    const auto shots = Screenshots();
    if (!shots.empty()) {
        EXPECT_EQ(shots.size(), 1u);
        EXPECT_TRUE(Pattern(R"(veldorin_\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.png)").Whole(shots[0].filename().string()))
            << shots[0];
        Screenshot shot;
        ASSERT_TRUE(shot.Load(shots[0].string()));
        EXPECT_EQ(shot.width, 800);
        EXPECT_EQ(shot.height, 600);
        xscreen::Pixels asPixels{{0, 0, shot.width, shot.height}, shot.rgba};
        EXPECT_TRUE(ShowsScaledFrame(asPixels, why)) << "screenshot: " << why;
    }

    // And Alt+Enter again: full screen once more.
    Press("alt+Return");
    EXPECT_TRUE(PresentUntil([&] { return Shows(screen, why); })) << "full screen again: " << why;
    EXPECT_EQ(RunProcess("xrandr --current").out, modeBefore.out);
}

TEST_F(DisplayDesktop, MouseLookTurnsByTheDesignedAnglePerPixelAndLetsGoWithoutTheFocus) {
    ASSERT_NE(ShowAndFind(), 0u);
    Mouse mouse;
    mouse.SetWindow(hwnd);
    mouse.Init();  // hides the cursor
    const GamePad pads;  // no pad: the thumbs add nothing
    auto pollUntil = [&](const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 5s;
        do {
            Pump();
            mouse.Update(pads);
            if (done()) return true;
            std::this_thread::sleep_for(10ms);
        } while (std::chrono::steady_clock::now() < end);
        return false;
    };
    auto focusGame = [&] {
        RunProcess("xdotool windowfocus --sync " + std::to_string(window));
        return pollUntil([&] { return IsWindowFocused(hwnd); });
    };
    // Moves the pointer as a mouse would and lets the game read it until it turned that far.
    auto move = [&](int dx, int dy, float yaw, float pitch) {
        RunProcess("xdotool mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
        pollUntil([&] { return mouse.GetHorizontalAngle() == yaw && mouse.GetVerticalAngle() == pitch; });
        EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), yaw) << "after moving " << dx << "," << dy;
        EXPECT_FLOAT_EQ(mouse.GetVerticalAngle(), pitch) << "after moving " << dx << "," << dy;
    };

    ASSERT_TRUE(focusGame());
    EXPECT_TRUE(platform::MouseCaptured()) << "focused with the cursor hidden: the pointer is captured";
    move(40, 0, 10.0f, 0.0f);     // 4 pixels a degree
    move(0, 60, 10.0f, 15.0f);
    move(800, 0, 210.0f, 15.0f);  // further than the screen lets a pointer go: motion, not positions
    mouse.Recenter();
    move(-8, -4, -2.0f, -1.0f);

    // Another window takes the focus: the pointer is free and its motion turns nothing.
    const Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 100, 0, 0, 0);
    XMapRaised(display, other);
    XSync(display, False);
    RunProcess("xdotool windowfocus --sync " + std::to_string(other));
    EXPECT_TRUE(pollUntil([&] { return !IsWindowFocused(hwnd); }));
    EXPECT_FALSE(platform::MouseCaptured());
    RunProcess("xdotool mousemove_relative -- 40 0");
    for (int frame = 0; frame < 20; ++frame) pollUntil([] { return true; });  // whatever arrives
    EXPECT_FLOAT_EQ(mouse.GetHorizontalAngle(), -2.0f);

    // Back in the game: captured again, turning as before.
    ASSERT_TRUE(focusGame());
    EXPECT_TRUE(platform::MouseCaptured());
    move(40, 0, 8.0f, -1.0f);

    XDestroyWindow(display, other);
    XSync(display, False);
    ShowCursor(true);  // the cursor counter is process-wide
}

}  // namespace
