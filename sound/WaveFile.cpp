#include "sound/WaveFile.h"

#include <algorithm>
#include <cstring>

#include "platform/sys/Paths.h"

namespace {

constexpr uint32_t kHeaderSize = 8;  // chunk id and size
constexpr uint32_t kRecordSize = sizeof(WAVEFORMATEX);  // without the extra bytes

uint32_t Little32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

WaveFile::~WaveFile() { Close(); }

void WaveFile::Close() {
    if (file) std::fclose(file);
    file = nullptr;
    open = false;
    format = WAVEFORMATEX{};
    extraFormat.clear();
    dataOffset = dataSize = dataLeft = 0;
}

const WAVEFORMATEX* WaveFile::GetFormat() const {
    return open ? &format : nullptr;
}

const uint8_t* WaveFile::GetExtraFormat() const { return open ? extraFormat.data() : nullptr; }

bool WaveFile::ReadAt(uint32_t offset, void* destination, uint32_t size) {
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return std::fread(destination, 1, size, file) == size;
}

bool WaveFile::FindChunk(const char* id, uint32_t start, uint32_t end, Chunk& found) {
    uint64_t at = start;
    while (at + kHeaderSize <= end) {
        uint8_t header[kHeaderSize];
        if (!ReadAt(static_cast<uint32_t>(at), header, kHeaderSize)) return false;
        const uint32_t size = Little32(header + 4);
        const uint64_t bodyEnd = at + kHeaderSize + size;
        if (bodyEnd > end) return false;
        if (std::memcmp(header, id, 4) == 0) {
            found.offset = static_cast<uint32_t>(at + kHeaderSize);
            found.size = size;
            return true;
        }
        at = bodyEnd + (size & 1);  // chunks start on even offsets
    }
    return false;
}

bool WaveFile::ReadFormat(const Chunk& chunk) {
    if (chunk.size < sizeof(PCMWAVEFORMAT)) return false;
    PCMWAVEFORMAT pcm;
    if (!ReadAt(chunk.offset, &pcm, sizeof pcm)) return false;
    uint16_t extraSize = 0;
    if (pcm.wFormatTag != WAVE_FORMAT_PCM) {
        // The extra size and the extra bytes must both lie inside the chunk.
        if (chunk.size < kRecordSize || !ReadAt(chunk.offset + sizeof pcm, &extraSize, sizeof extraSize)) return false;
        if (kRecordSize + static_cast<uint32_t>(extraSize) > chunk.size) return false;
    }
    static_cast<PCMWAVEFORMAT&>(format) = pcm;
    format.cbSize = extraSize;
    extraFormat.assign(extraSize, 0);
    if (extraSize && !ReadAt(chunk.offset + kRecordSize, extraFormat.data(), extraSize)) return false;
    // A format that cannot be timed or played is no format.
    return pcm.nChannels != 0 && pcm.nSamplesPerSec != 0 && pcm.nBlockAlign != 0;
}

bool WaveFile::Open(const std::string& fileName) {
    Close();
    file = platform::OpenFile(fileName, "rb");
    if (!file) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    uint8_t riff[12];
    ok = length >= 12 && length <= 0x7FFFFFFF && ReadAt(0, riff, sizeof riff) && std::memcmp(riff, "RIFF", 4) == 0 &&
         std::memcmp(riff + 8, "WAVE", 4) == 0;
    // The RIFF chunk must fit in the file: a shorter file was cut off.
    const uint64_t riffEnd = ok ? uint64_t{kHeaderSize} + Little32(riff + 4) : 0;
    ok = ok && riffEnd >= 12 && riffEnd <= static_cast<uint64_t>(length);
    Chunk fmt, data;
    ok = ok && FindChunk("fmt ", 12, static_cast<uint32_t>(riffEnd), fmt) && ReadFormat(fmt);
    ok = ok && FindChunk("data", 12, static_cast<uint32_t>(riffEnd), data);
    if (!ok) {
        Close();
        return false;
    }
    open = true;
    dataOffset = data.offset;
    dataSize = dataLeft = data.size;
    return true;
}

uint32_t WaveFile::Read(void* destination, uint32_t size) {
    if (!file) return 0;
    const uint32_t count = std::min(size, dataLeft);
    if (count == 0 || !ReadAt(dataOffset + (dataSize - dataLeft), destination, count)) return 0;
    dataLeft -= count;
    return count;
}
