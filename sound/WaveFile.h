#pragma once
// Reads a RIFF "WAVE" file: the format from its "fmt " chunk and the samples of its "data" chunk.
// Chunks are walked in file order, so a "data" chunk after other chunks (a list, a fact chunk) is
// found. Truncated files and chunk sizes that reach past their file are rejected; nothing outside the
// file is ever read.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio/WaveFormat.h"

class WaveFile {
public:
    WaveFile() = default;
    ~WaveFile();
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    // False for a file that cannot be opened or is not a complete, well-formed wave file.
    bool Open(const std::string& fileName);
    // Copies up to `size` bytes of samples that have not been read yet; returns how many it copied
    // (0 at the end of the data or when the file cannot be read).
    uint32_t Read(void* destination, uint32_t size);
    void Close();

    // The format record, null while no file is open.
    const WAVEFORMATEX* GetFormat() const;
    // The cbSize extra format bytes that follow the record.
    const uint8_t* GetExtraFormat() const;
    // Bytes in the "data" chunk.
    uint32_t GetSize() const { return dataSize; }

private:
    struct Chunk {
        uint32_t offset = 0;  // of the chunk's body
        uint32_t size = 0;
    };
    bool ReadAt(uint32_t offset, void* destination, uint32_t size);
    // The first chunk with `id` among those from `start` to `end`; false when it is missing or a
    // chunk on the way claims more bytes than are left.
    bool FindChunk(const char* id, uint32_t start, uint32_t end, Chunk& found);
    bool ReadFormat(const Chunk& chunk);

    FILE* file = nullptr;
    bool open = false;
    // The record is packed as in the file; aligned here, each of its fields sits on its own alignment.
    alignas(4) WAVEFORMATEX format{};
    std::vector<uint8_t> extraFormat;
    uint32_t dataOffset = 0;
    uint32_t dataSize = 0;
    uint32_t dataLeft = 0;
};
