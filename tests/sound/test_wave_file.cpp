// The wave reader on hand-made files: the two format layouts, chunks before "data", and files that are
// cut short or whose chunk sizes claim more than there is.
#include <gtest/gtest.h>

#include "sound/WaveFile.h"
#include "tests/support/WaveBytes.h"

namespace {

const std::vector<uint8_t> kSamples = WaveBytes::Samples16({1, -2, 3, -4, 5, -6});

bool Opens(const std::string& name, const std::vector<uint8_t>& bytes) {
    TempWave file(name, bytes);
    WaveFile wave;
    return wave.Open(file.path);
}

}  // namespace

TEST(WaveFile, PcmWithSixteenByteFormat) {
    TempWave file("pcm", WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 2, 22050, 16)).Chunk("data", kSamples).Bytes());
    WaveFile wave;
    ASSERT_TRUE(wave.Open(file.path));
    const WAVEFORMATEX& format = *wave.GetFormat();
    EXPECT_EQ(format.wFormatTag, 1);
    EXPECT_EQ(format.nChannels, 2);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.nBlockAlign, 4);
    EXPECT_EQ(format.wBitsPerSample, 16);
    EXPECT_EQ(format.cbSize, 0);
    ASSERT_EQ(wave.GetSize(), kSamples.size());
    std::vector<uint8_t> read(kSamples.size());
    EXPECT_EQ(wave.Read(read.data(), static_cast<uint32_t>(read.size())), kSamples.size());
    EXPECT_EQ(read, kSamples);
}

TEST(WaveFile, NonPcmKeepsItsExtraFormatBytes) {
    const std::vector<uint8_t> extra = {0x10, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00,
                                        0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    TempWave file("extensible",
                  WaveBytes().Chunk("fmt ", WaveBytes::Format(0xFFFE, 2, 44100, 16, extra)).Chunk("data", kSamples).Bytes());
    WaveFile wave;
    ASSERT_TRUE(wave.Open(file.path));
    EXPECT_EQ(wave.GetFormat()->wFormatTag, 0xFFFE);
    ASSERT_EQ(wave.GetFormat()->cbSize, extra.size());
    EXPECT_EQ(std::vector<uint8_t>(wave.GetExtraFormat(), wave.GetExtraFormat() + extra.size()), extra);
    EXPECT_EQ(wave.GetSize(), kSamples.size());
}

TEST(WaveFile, NonPcmWithoutExtraBytesHasAnEighteenByteFormat) {
    EXPECT_TRUE(Opens("float", WaveBytes().Chunk("fmt ", WaveBytes::Format(3, 1, 44100, 32, {}, true)).Chunk("data", kSamples).Bytes()));
    // A non-PCM format must at least hold its extra size.
    EXPECT_FALSE(Opens("float16", WaveBytes().Chunk("fmt ", WaveBytes::Format(3, 1, 44100, 32)).Chunk("data", kSamples).Bytes()));
}

TEST(WaveFile, ExtraSizeReachingPastTheFormatChunkIsRejected) {
    std::vector<uint8_t> format = WaveBytes::Format(2, 1, 44100, 4, {1, 2, 3, 4});
    format[16] = 40;  // claims 40 extra bytes, the chunk holds 4
    EXPECT_FALSE(Opens("extra_lies", WaveBytes().Chunk("fmt ", format).Chunk("data", kSamples).Bytes()));
}

TEST(WaveFile, DataAfterListAndFactChunksIsFound) {
    std::vector<uint8_t> list;
    WaveBytes::Text(list, "INFOISFT");
    WaveBytes::U32(list, 5);
    WaveBytes::Text(list, "test");
    list.push_back(0);  // odd sizes are padded to even offsets
    TempWave file("list", WaveBytes()
                              .Chunk("LIST", list)
                              .Chunk("fmt ", WaveBytes::Format(1, 1, 8000, 8))
                              .Chunk("fact", {1, 2, 3})
                              .Chunk("data", {10, 20, 30})
                              .Bytes());
    WaveFile wave;
    ASSERT_TRUE(wave.Open(file.path));
    EXPECT_EQ(wave.GetFormat()->wBitsPerSample, 8);
    ASSERT_EQ(wave.GetSize(), 3u);
    uint8_t read[3] = {};
    EXPECT_EQ(wave.Read(read, 3), 3u);
    EXPECT_EQ(read[0], 10);
    EXPECT_EQ(read[2], 30);
}

TEST(WaveFile, ReadsInPiecesAndStopsAtTheEndOfTheData) {
    TempWave file("pieces", WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 1, 44100, 16)).Chunk("data", kSamples).Chunk("junk", {9, 9}).Bytes());
    WaveFile wave;
    ASSERT_TRUE(wave.Open(file.path));
    std::vector<uint8_t> read(32, 0xEE);
    EXPECT_EQ(wave.Read(read.data(), 5), 5u);
    EXPECT_EQ(wave.Read(read.data() + 5, 32), kSamples.size() - 5);
    EXPECT_EQ(wave.Read(read.data(), 32), 0u);
    read.resize(kSamples.size());
    EXPECT_EQ(read, kSamples);
}

TEST(WaveFile, TruncatedFilesAreRejected) {
    const std::vector<uint8_t> whole = WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 1, 44100, 16)).Chunk("data", kSamples).Bytes();
    ASSERT_TRUE(Opens("whole", whole));
    for (size_t keep : {size_t{0}, size_t{4}, size_t{11}, size_t{12}, size_t{20}, size_t{36}, size_t{43}, whole.size() - 1}) {
        EXPECT_FALSE(Opens("cut", std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(keep)))) << keep;
    }
}

TEST(WaveFile, ChunkSizesThatLieAreRejected) {
    const std::vector<uint8_t> format = WaveBytes::Format(1, 1, 44100, 16);
    // A data size larger than the file, with a RIFF size that fits the file ...
    EXPECT_FALSE(Opens("data_lies", WaveBytes().Chunk("fmt ", format).Chunk("data", kSamples, 100000).Bytes()));
    // ... and with a RIFF size that claims the same.
    EXPECT_FALSE(Opens("both_lie", WaveBytes().Chunk("fmt ", format).Chunk("data", kSamples, 100000).Bytes(100000)));
    // A chunk before "data" that claims to run past the file.
    EXPECT_FALSE(Opens("list_lies", WaveBytes().Chunk("fmt ", format).Chunk("LIST", {1, 2}, 0x7FFFFFF0).Chunk("data", kSamples).Bytes()));
    // A "fmt " shorter than 16 bytes, and one that claims more than the file holds.
    EXPECT_FALSE(Opens("fmt_short", WaveBytes().Chunk("fmt ", std::vector<uint8_t>(format.begin(), format.begin() + 14)).Chunk("data", kSamples).Bytes()));
    EXPECT_FALSE(Opens("fmt_lies", WaveBytes().Chunk("fmt ", format, 0xFFFFFFF0).Chunk("data", kSamples).Bytes()));
}

TEST(WaveFile, OtherFilesAreRejected) {
    const std::vector<uint8_t> format = WaveBytes::Format(1, 1, 44100, 16);
    EXPECT_FALSE(Opens("nodata", WaveBytes().Chunk("fmt ", format).Bytes()));
    EXPECT_FALSE(Opens("nofmt", WaveBytes().Chunk("data", kSamples).Bytes()));
    std::vector<uint8_t> avi = WaveBytes().Chunk("fmt ", format).Chunk("data", kSamples).Bytes();
    avi[8] = 'A';
    EXPECT_FALSE(Opens("avi", avi));
    EXPECT_FALSE(Opens("zero_channels", WaveBytes().Chunk("fmt ", WaveBytes::Format(1, 0, 44100, 16)).Chunk("data", kSamples).Bytes()));
    WaveFile wave;
    EXPECT_FALSE(wave.Open("/tmp/veldorin_no_such_wave.wav"));
    EXPECT_EQ(wave.GetFormat(), nullptr);
    uint8_t byte;
    EXPECT_EQ(wave.Read(&byte, 1), 0u);
}
