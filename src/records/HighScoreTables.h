// HighScoreTables: the game's twelve ten-place high-score tables and the
// records file that stores them whole (normally "data/game.dat" in the
// user's data folder).
//
// An entry is 156 bytes, the same in memory and on file, little-endian:
//   0   4    score   signed; 0 or less counts as empty
//   4   20   name    zero-terminated, or the whole field when it has no zero
//   24  128  avatar  the avatar image path, zero-terminated
//   152 4    stage   stageId modulo 10000 at the time of the record
// Bytes after a terminator mean nothing: they are zero in memory and written
// as zeros. A table is 10 entries, place 0 first, highest score first; the
// file is the 12 tables in table order (18720 bytes, no header):
//   0-3 arcade by difficulty 0-3, 4-7 time by difficulty 0-3,
//   8 quest air (world 4), 9 fire (2), 10 water (1), 11 earth (3).
// Reading neither sorts nor checks the tables. Loading and saving report no
// error to the player; a save replaces the file crash-safely (FileReplace).
// The object owns its tables by value. One thread at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "src/core/UserPaths.h"

struct HighScoreEntry
{
    static constexpr std::size_t Size = 156;
    static constexpr std::size_t NameSize = 20;
    static constexpr std::size_t AvatarSize = 128;

    std::int32_t score = 0;
    std::array<char, NameSize> name{};
    std::array<char, AvatarSize> avatar{};
    std::int32_t stage = 0;

    // A name of up to 20 bytes (20 fill the field without a terminator, as a
    // profile may hold it) and an avatar path of up to 127 bytes; a longer
    // text is stored empty, never cut. Text after a zero byte is dropped.
    static HighScoreEntry Make(std::int32_t score, std::string_view name, std::string_view avatarPath,
                               std::int32_t stage);

    std::string GetName() const;
    std::string GetAvatar() const;
    // False, storing the field empty, when the text does not fit.
    bool SetName(std::string_view text);
    bool SetAvatar(std::string_view text);

    void Write(unsigned char* out) const;
    static HighScoreEntry Read(const unsigned char* in);
};

static_assert(sizeof(HighScoreEntry) == HighScoreEntry::Size);

using HighScoreTable = std::array<HighScoreEntry, 10>;

class HighScoreTables
{
public:
    static constexpr std::size_t TableCount = 12;
    static constexpr std::size_t TableBytes = 10 * HighScoreEntry::Size;
    static constexpr std::size_t FileBytes = TableCount * TableBytes;

    // Zeroed.
    std::array<HighScoreTable, TableCount> tables{};

    // The table of a mode (100 arcade, 101 quest, 102 time) with its
    // difficulty (arcade, time) or world (quest); -1 when there is none.
    static int TableIndex(std::int32_t mode, std::int32_t difficulty, std::int32_t world);

    // Table 0 when the selector has no table.
    HighScoreTable& CurrentTable(std::int32_t mode, std::int32_t difficulty, std::int32_t world);
    const HighScoreTable& CurrentTable(std::int32_t mode, std::int32_t difficulty, std::int32_t world) const;

    // Enters the entry into the current mode's table: the place 0 to 9, or -1
    // when it takes none or the selector has no table.
    int InsertRecord(std::int32_t mode, std::int32_t difficulty, std::int32_t world, const HighScoreEntry& entry);
    // The insertion rule on one table. A tie with place 9 enters; below the
    // top an entry goes directly under the first one at least as high, so
    // above older equal scores. A table out of order may have no place: -1.
    static int InsertRecord(HighScoreTable& table, const HighScoreEntry& entry);

    // Reads the file over the tables: a short file leaves the bytes it does
    // not reach as they were, a longer one is read to FileBytes. False (the
    // tables untouched) when the file cannot be opened or is not a regular
    // file of at most 16 MiB.
    bool LoadRecords(const std::filesystem::path& path = Game::RecordsPath());
    // Replaces the file with the tables, making its folder when missing. On
    // failure the old file stays byte for byte; the reason is in LastError().
    bool SaveRecords(const std::filesystem::path& path = Game::RecordsPath());
    const std::string& LastError() const { return lastError; }

    // The tables as the file holds them (FileBytes bytes).
    void Write(unsigned char* out) const;
    // Replaces the first `size` bytes (at most FileBytes) of the tables.
    void Overlay(const unsigned char* in, std::size_t size);

private:
    std::string lastError;
};
