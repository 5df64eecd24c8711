#pragma once
// Loads a resource list on a worker thread while a second thread draws the loading screen on the same
// device; the caller waits for both.
#include <atomic>
#include <cstdint>
#include <string>

class ResourceLoader {
public:
    static ResourceLoader& GetInstance();

    // Returns when every line of the list has been processed and the screen has shown its last frame,
    // at 100 %. The device's GL context belongs to the screen thread for the duration.
    void Load(std::string path);

private:
    ResourceLoader() = default;
    void DrawScreen(const std::atomic<uint32_t>& total, const std::atomic<uint32_t>& progress);

    std::atomic<bool> done{false};
};
