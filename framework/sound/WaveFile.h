// WaveFile: the reader and writer of ".wav" sound files and of the sound
// cache files ("cached/" + name + ".wav").
//
// Layout, little-endian: "RIFF", length, "WAVE", then chunks of a four-byte
// id, a 32-bit length and the content. "fmt " gives format tag (1 = PCM),
// channels, rate, bytes per second, block size and bits; before it the reader
// assumes 1 channel, 16 bits, 22050 Hz. A cache file also has a "dep " chunk:
// 16-bit path length, the source path's characters (no terminating zero) and
// the source's 8-byte last-write stamp; the reader refuses the file when the
// source's stamp differs now (a vanished source has stamp 0). The "data"
// chunk ends the reading. Other chunks are skipped.
//
// The writer emits "RIFF", data length + 36, "WAVE", "fmt " (16 bytes),
// "dep " (path length + 10) and "data", in that order and without padding;
// stored cache files rely on this layout.
//
// Input is untrusted: every length is checked against the bytes present,
// and a format the player cannot play fails the load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/sound/SoundData.h"

namespace Framework
{

// The last-write stamp of a file in nanoseconds since 1970, 0 when the file
// cannot be found.
int64_t FileWriteStamp(const std::string& path);

using StampFunction = std::function<int64_t(const std::string&)>;

// Where the samples of a wave file lie and their format.
struct WaveLayout
{
    int32_t channels = 1;
    int32_t rate = 22050;
    int32_t bits = 16;
    size_t dataOffset = 0;
    uint64_t dataLength = 0;
    size_t FrameBytes() const { return static_cast<size_t>(channels * bits / 8); }
};

// Walks the chunks up to "data". With wholeData the data must lie within
// size; without, bytes may hold only the file's head (streaming).
std::optional<WaveLayout> ParseWaveLayout(const uint8_t* bytes, size_t size, const StampFunction& stampOf,
                                          bool wholeData);
// Widens samples of the given size (8-bit unsigned or 16-bit little-endian).
void DecodePcm(const uint8_t* bytes, int32_t bits, int16_t* out, size_t samples);

// Parses a wave or cache file held in memory. stampOf answers the "dep "
// check (FileWriteStamp for real files).
std::optional<SoundData> ReadWave(const uint8_t* bytes, size_t size, const StampFunction& stampOf = FileWriteStamp);
std::optional<SoundData> LoadWaveFile(const std::string& path);

// The cache file's bytes for the sound, recording sourcePath and its stamp.
std::string BuildCacheFile(const SoundData& sound, const std::string& sourcePath, int64_t sourceStamp);
// Writes the cache file through ReplaceFile (cachePath + ".tmp", synced and
// renamed); false (and nothing left behind) when it cannot.
bool WriteCacheFile(const std::string& cachePath, const SoundData& sound, const std::string& sourcePath);

} // namespace Framework
