#pragma once
// The X server as a person at the desktop sees it: windows found by title, their place on the screen,
// the screen's pixels, and the input tools a desktop user's devices stand in for (xdotool).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace xscreen {

using namespace std::chrono_literals;

// The window's title, read the way window managers read it (UTF-8 first).
inline std::string TitleOf(Display* display, Window window) {
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False), netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

// A viewable top-level window (or a child of one) with this title.
inline Window FindWindow(Display* display, Window root, const std::string& title, int depth = 0) {
    Window parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            TitleOf(display, children[i]) == title) {
            found = children[i];
        } else if (depth < 2) {
            found = FindWindow(display, children[i], title, depth + 1);
        }
    }
    if (children) XFree(children);
    return found;
}

inline Window WaitForWindow(Display* display, const std::string& title, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (Window window = FindWindow(display, DefaultRootWindow(display), title)) return window;
        std::this_thread::sleep_for(50ms);
    }
    return 0;
}

// Opens the display and ignores errors about windows that vanish while the tree is walked.
inline Display* Open() {
    Display* display = XOpenDisplay(nullptr);
    if (display) XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    return display;
}

// What a click on the window's close button sends.
inline void SendClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

inline bool WaitForExit(pid_t pid, int& status, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

// Where a window is on the screen: its inside, without any frame.
struct Area {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Area&) const = default;
};

inline Area AreaOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    Area area;
    if (!XGetWindowAttributes(display, window, &attributes)) return area;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &area.x, &area.y, &child);
    area.width = attributes.width;
    area.height = attributes.height;
    return area;
}

inline Area ScreenArea(Display* display) {
    return Area{0, 0, DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display))};
}

// A part of the screen as 8-bit RGBA rows, top row first.
struct Pixels {
    Area area;
    std::vector<uint8_t> rgba;
    const uint8_t* At(int x, int y) const { return rgba.data() + 4 * (static_cast<size_t>(y) * area.width + x); }
};

inline Pixels Grab(Display* display, const Area& area) {
    Pixels pixels{area, {}};
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y, static_cast<unsigned>(area.width),
                              static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.rgba.resize(static_cast<size_t>(area.width) * area.height * 4);
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            uint8_t* out = pixels.rgba.data() + 4 * (static_cast<size_t>(y) * area.width + x);
            out[0] = static_cast<uint8_t>((p & image->red_mask) >> 16);
            out[1] = static_cast<uint8_t>((p & image->green_mask) >> 8);
            out[2] = static_cast<uint8_t>(p & image->blue_mask);
            out[3] = 255;
        }
    }
    XDestroyImage(image);
    return pixels;
}

}  // namespace xscreen
