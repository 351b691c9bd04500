// Ogg Vorbis in and out of memory (libvorbisenc, vorbisfile).
//
// Encoding is deterministic: the same samples, quality and stream serial
// number give the same bytes. Samples outside [-1, 1] are clamped.
#pragma once

#include "tools/audio/StereoBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace AudioGen
{

// The quality every game file is encoded at.
inline constexpr float kVorbisQuality = 0.35f;

// The Ogg stream serial number for a file: a hash of its name without the
// folder, so the bytes depend only on the samples and the name.
std::uint32_t StreamSerial(const std::string& path);

// Stereo, kSampleRate, variable bit rate at `quality` (-0.1 to 1).
std::vector<unsigned char> EncodeVorbis(const StereoBuffer& buffer, float quality, std::uint32_t serial);

struct DecodedAudio
{
    int channels = 0;
    long rate = 0;
    long long announcedFrames = 0; // what the stream says it holds
    StereoBuffer samples;          // mono files fill both channels
};

// Decodes a whole file; false when it cannot be opened or decoded.
bool DecodeVorbisFile(const std::string& path, DecodedAudio& out);

// Writes bytes to a file, creating missing parent folders; throws on failure.
void WriteBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes);

// 16-bit stereo PCM WAV of the buffer (rounded, clamped).
std::vector<unsigned char> EncodeWav(const StereoBuffer& buffer);

} // namespace AudioGen
