// ProfileFile: the player profile file, a plain sequence of 296-byte
// PlayerRecords with no header (normally "data/usr.dat" below the working
// directory).
//
// Load reads every complete record of a regular file of at most
// MaxFileBytes (anything else in its place -- a FIFO, a device, a folder --
// reads as no players, at once); a trailing fragment is ignored. Append
// adds one record at the end; a fragment left by an earlier crash is cut off
// first so the new record stays aligned. Rewrite replaces the whole file
// through Framework::ReplaceFile (a temporary file beside it, synced and renamed
// over the old one), so a crash or a full disk leaves either the old file or
// the new one. Append opens without blocking and refuses what is not a
// regular file.
// Failures are reported by the result, with the system's reason in
// LastError(). The folder of the file is made when missing. One thread at a
// time.
#pragma once

#include "src/profiles/PlayerRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class ProfileFile
{
public:
    explicit ProfileFile(std::filesystem::path filePath = DefaultPath());

    static std::filesystem::path DefaultPath() { return std::filesystem::path("data") / "usr.dat"; }
    // Over 220 000 players: larger is not a file the game wrote.
    static constexpr uint64_t MaxFileBytes = uint64_t(64) << 20;

    // Empty when the file cannot be opened.
    std::vector<PlayerRecord> Load() const;
    bool Append(const PlayerRecord& record) const;
    bool Rewrite(const std::vector<PlayerRecord>& records) const;

    const std::filesystem::path& GetPath() const { return path; }
    // Why the last failed Append or Rewrite failed ("Is a directory", ...).
    const std::string& LastError() const { return lastError; }

private:
    bool Fail() const;

    std::filesystem::path path;
    mutable std::string lastError;
};
