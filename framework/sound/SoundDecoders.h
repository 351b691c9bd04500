// Decoders of the sound-effect source formats other than wave files.
//
// DecodeOggFile decodes a whole Ogg Vorbis file to 16-bit samples into a
// buffer sized from the total the file announces; delivering fewer samples
// than announced fails the load, so a cut-off file is never cached.
// ".au" files: magic ".snd", big-endian data offset, data size, encoding,
// rate and channels; encoding 1 (8-bit mu-law) is expanded to 16 bits,
// encoding 2 (8-bit linear, signed) is taken as is; others fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "framework/sound/SoundData.h"

namespace Framework
{

std::optional<SoundData> DecodeOggFile(const std::string& path);
// The same over a whole file's bytes in memory.
std::optional<SoundData> DecodeOgg(const uint8_t* bytes, size_t size);

std::optional<SoundData> DecodeAu(const uint8_t* bytes, size_t size);
std::optional<SoundData> LoadAuFile(const std::string& path);

// One mu-law byte as a 16-bit sample. The two loudest codes (0x00, 0x80)
// continue their segment like every other code.
int16_t MuLawToLinear(uint8_t f);

} // namespace Framework
