#pragma once
// What the fuzz targets share: a scratch folder for the bytes under test (the readers take file
// names), and the headless device run from the built content tree, so that placement and resource
// lines naming the game's own models, images and sounds load them.
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The built content tree the fuzzers run in.
const char* GameDir();

// A folder of this process's own, made on first use and removed at exit.
const std::string& ScratchDir();

// Writes the bytes as the whole file at path (made relative to nothing: pass a full path).
void WriteBytes(const std::string& path, const uint8_t* data, size_t size);

// Brings up the headless graphics device once.
void StartHeadless();

// Makes a folder the working directory for one input, and restores the previous one after it:
// libFuzzer names its corpus folders and artifacts relative to where it was started.
class InFolder {
public:
    explicit InFolder(const std::string& folder);
    ~InFolder();
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::string previous;
};

// Frees whatever the caches loaded, so that one input's meshes, images and sounds do not stay
// behind for the next (and would look like a leak at exit).
void ReleaseCaches();

}  // namespace fuzz
