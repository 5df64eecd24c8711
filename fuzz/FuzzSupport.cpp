#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "graphics/GraphicsDevice.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "platform/Platform.h"
#include "platform/sys/MessageBoxHook.h"
#include "platform/sys/Win32.h"
#include "sound/SoundManager.h"

namespace fuzz {

const char* GameDir() { return VELDORIN_GAME_DIR; }

const std::string& ScratchDir() {
    // Never destroyed: the exit handler that removes the folder still needs its name.
    static const std::string* dir = [] {
        namespace fs = std::filesystem;
        const fs::path path = fs::temp_directory_path() / ("veldorin_fuzz_" + std::to_string(::getpid()));
        fs::create_directories(path);
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(ScratchDir(), ec);
        });
        return new std::string(path.string());
    }();
    return *dir;
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void StartHeadless() {
    static const bool started = [] {
        platform::GetSettings().headless = true;
        // Message boxes answer themselves: No to questions, OK to notices.
        platform::SetMessageBoxHandler([](const char*, const char*, UINT type) {
            return (type & 0xF) == MB_YESNO ? IDNO : IDOK;
        });
        WNDCLASSEXA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "FuzzWindow";
        RegisterClassExA(&windowClass);
        HWND window = CreateWindowExA(0, "FuzzWindow", "fuzz", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        if (!window || !GraphicsDevice::GetInstance().Init(window, 800, 600)) std::abort();
        GraphicsDevice::GetInstance().SetupRenderStates();
        std::atexit([] {
            ReleaseCaches();
            GraphicsDevice::GetInstance().Release();
        });
        return true;
    }();
    (void)started;
}

InFolder::InFolder(const std::string& folder) : previous(std::filesystem::current_path().string()) {
    std::filesystem::current_path(folder);
}

InFolder::~InFolder() { std::filesystem::current_path(previous); }

void ReleaseCaches() {
    MeshManager::GetInstance().ReleaseAll();
    TextureManager::GetInstance().ReleaseAll();
    SoundManager::GetInstance().Release();
}

}  // namespace fuzz
