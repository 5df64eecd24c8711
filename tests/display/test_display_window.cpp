// The real window and the OpenGL device under an X server (Xvfb in the test run).
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/Process.h"
#include "tests/support/Screenshot.h"

namespace {

using namespace std::chrono_literals;

// The window's title, read the way window managers read it (UTF-8 first).
std::string TitleOf(Display* display, Window window) {
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
Window FindWindow(Display* display, Window root, const std::string& title, int depth = 0) {
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

Window WaitForWindow(Display* display, const std::string& title, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (Window window = FindWindow(display, DefaultRootWindow(display), title)) return window;
        std::this_thread::sleep_for(50ms);
    }
    return 0;
}

// What a click on the window's close button sends.
void SendClose(Display* display, Window window) {
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

bool WaitForExit(pid_t pid, int& status, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(50ms);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

TEST(DisplaySim, RenderedEmptyTitleFrameIsAnOpaqueBlack800x600Picture) {
    const std::string shot = "/tmp/veldorin_black_" + std::to_string(::getpid()) + ".png";
    const ProcessResult run = RunProcess(std::string(VELDORIN_SIM) + " --render --frames 8 --screenshot 5:" + shot);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.LastLine(), "sim: frames=8 scene=1 quit=0");
    Screenshot picture;
    ASSERT_TRUE(picture.Load(shot)) << "no screenshot written";
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 600);
    size_t notBlack = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.At(x, y);
            if (p[0] || p[1] || p[2] || p[3] != 255) ++notBlack;
        }
    }
    EXPECT_EQ(notBlack, 0u);
    std::remove(shot.c_str());
}

TEST(DisplayGame, AsksThenOpensAn800x600WindowAndClosingItEndsTheGameCleanly) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "needs an X server (the test script starts Xvfb)";
    // Windows come and go while the tree is walked; a vanished window is not an error here.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (chdir(VELDORIN_GAME_DIR) != 0) _exit(90);
        execl(VELDORIN_GAME, VELDORIN_GAME, static_cast<char*>(nullptr));
        _exit(91);
    }

    const Window question = WaitForWindow(display, "ウインドウモード選択", 30s);
    EXPECT_NE(question, 0u) << "the full-screen question comes first";
    if (question) SendClose(display, question);  // closing the question means windowed

    const Window game = WaitForWindow(display, "VELDORIN", 60s);
    EXPECT_NE(game, 0u) << "the game window appears";
    if (game) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, game, &attributes);
        EXPECT_EQ(attributes.width, 800);
        EXPECT_EQ(attributes.height, 600);
        std::this_thread::sleep_for(500ms);  // a few frames of the loop
        SendClose(display, game);
    }

    int status = 0;
    const bool exited = WaitForExit(pid, status, 30s);
    EXPECT_TRUE(exited) << "the game did not end after the close";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    XCloseDisplay(display);
}

}  // namespace
