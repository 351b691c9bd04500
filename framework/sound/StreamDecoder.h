// StreamDecoder: reads a song from disk a piece at a time as stereo 16-bit
// frames (mono is doubled, channels beyond two are dropped).
//
// Used by one thread at a time (the music feeder); never by the audio
// thread. Frames count in the source's rate.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Framework
{

class StreamDecoder
{
public:
    virtual ~StreamDecoder() = default;
    // Up to frameCount frames into out (2 x frameCount samples); 0 at the
    // end, negative on an unrecoverable error.
    virtual int32_t Read(int16_t* out, int32_t frameCount) = 0;
    virtual bool Seek(int64_t frame) = 0;
    virtual int64_t TotalFrames() const = 0;
    virtual int32_t Rate() const = 0;
    virtual int32_t Channels() const = 0;
};

// ".ogg" (Ogg Vorbis) or ".wav" by the extension, compared in lower case;
// null when the file cannot be opened as either.
std::unique_ptr<StreamDecoder> OpenStreamDecoder(const std::string& path);
// An Ogg Vorbis song held in memory (the decoder keeps the bytes).
std::unique_ptr<StreamDecoder> OpenOggStreamDecoder(std::vector<uint8_t> bytes);

} // namespace Framework
