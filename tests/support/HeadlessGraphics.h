#pragma once
// A headless window and graphics device for tests that draw without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "graphics/GraphicsDevice.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/sys/MessageBoxHook.h"
#include "platform/sys/Win32.h"

struct ShownBox {
    std::string text, caption;
    UINT type;
};

class HeadlessGraphicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::GetSettings().headless = true;
        platform::SetMessageBoxHandler([this](const char* text, const char* caption, UINT type) {
            boxes.push_back(ShownBox{text, caption, type});
            return answer;
        });
        WNDCLASSEXA windowClass{};
        windowClass.lpfnWndProc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
        windowClass.lpszClassName = "TestWindow";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "TestWindow", "test", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        GraphicsDevice::GetInstance().Release();
        DestroyWindow(window);
        UnregisterClassA("TestWindow", nullptr);
        platform::SetMessageBoxHandler({});
        platform::headless::SetCreateFilter({});
    }

    // Creates the device and its fixed states; the device records calls from here on.
    HeadlessDevice& StartDevice() {
        GraphicsDevice& graphics = GraphicsDevice::GetInstance();
        EXPECT_TRUE(graphics.Init(window, 800, 600));
        graphics.SetupRenderStates();
        HeadlessDevice* device = HeadlessDevice::From(graphics.GetDevice());
        device->StartRecording();
        return *device;
    }

    static std::vector<std::string> CallNames(const HeadlessDevice& device) {
        std::vector<std::string> names;
        for (const auto& call : device.Calls()) names.push_back(call.ToString());
        return names;
    }
    HWND window = nullptr;
    int answer = IDOK;
    std::vector<ShownBox> boxes;
};

// The same, run from the built content tree, where the effects, models and images are.
class ContentTreeTest : public HeadlessGraphicsTest {
protected:
    void SetUp() override {
        HeadlessGraphicsTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(VELDORIN_GAME_DIR);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        HeadlessGraphicsTest::TearDown();
    }

private:
    std::filesystem::path previous;
};
