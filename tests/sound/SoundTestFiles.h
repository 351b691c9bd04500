// Sound files made by the tests themselves: wave, ".au" and Ogg Vorbis files
// with known samples, and a working-directory switch (the sound manager's
// cache lives below the working directory).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace SoundTest
{

// A plain PCM wave file.
std::string WaveBytes(const std::vector<int16_t>& samples, int channels, int rate, int bits = 16);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// An ".au" file with the given encoding and payload.
std::string AuBytes(uint32_t encoding, int channels, int rate, const std::vector<uint8_t>& payload);

// Encodes the samples as Ogg Vorbis (quality 0.4).
void WriteOgg(const std::filesystem::path& path, const std::vector<int16_t>& samples, int channels, int rate);
// The Ogg pages of a file, split at their capture pattern.
std::vector<std::string> OggPages(const std::string& bytes);

// A tone that is easy to tell apart sample by sample.
std::vector<int16_t> Ramp(size_t frames, int channels, int16_t start = 0);

// Switches the working directory for the object's lifetime.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::filesystem::path& dir) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(previous); }

private:
    std::filesystem::path previous;
};

} // namespace SoundTest
