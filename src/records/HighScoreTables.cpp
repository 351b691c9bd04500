#include "src/records/HighScoreTables.h"

#include "framework/platform/FileReplace.h"
#include "src/core/GameTypes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace
{

void PutInt(unsigned char* out, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
    {
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

std::int32_t GetInt(const unsigned char* in)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
    {
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

// The text of a field: up to its first zero, or the whole field.
template <std::size_t N> std::string_view FieldText(const std::array<char, N>& field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string_view(field.data(), static_cast<std::size_t>(end - field.begin()));
}

template <std::size_t N> bool SetField(std::array<char, N>& field, std::string_view text, std::size_t maxLength)
{
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    field.fill('\0');
    if (text.size() > maxLength)
    {
        return false;
    }
    std::copy(text.begin(), text.end(), field.begin());
    return true;
}

template <std::size_t N> void ReadField(std::array<char, N>& field, const unsigned char* in)
{
    std::size_t length = 0;
    while (length < N && in[length] != 0)
    {
        field[length] = static_cast<char>(in[length]);
        ++length;
    }
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(), '\0');
}

} // namespace

HighScoreEntry HighScoreEntry::Make(std::int32_t score, std::string_view name, std::string_view avatarPath,
                                    std::int32_t stage)
{
    HighScoreEntry entry;
    entry.score = score;
    entry.SetName(name);
    entry.SetAvatar(avatarPath);
    entry.stage = stage;
    return entry;
}

std::string HighScoreEntry::GetName() const
{
    return std::string(FieldText(name));
}

std::string HighScoreEntry::GetAvatar() const
{
    return std::string(FieldText(avatar));
}

bool HighScoreEntry::SetName(std::string_view text)
{
    return SetField(name, text, NameSize);
}

bool HighScoreEntry::SetAvatar(std::string_view text)
{
    // Always terminated: a cut path could name another picture.
    return SetField(avatar, text, AvatarSize - 1);
}

void HighScoreEntry::Write(unsigned char* out) const
{
    PutInt(out, score);
    const std::string_view nameText = FieldText(name);
    std::memset(out + 4, 0, NameSize + AvatarSize);
    std::memcpy(out + 4, nameText.data(), nameText.size());
    const std::string_view avatarText = FieldText(avatar);
    std::memcpy(out + 4 + NameSize, avatarText.data(), avatarText.size());
    PutInt(out + 4 + NameSize + AvatarSize, stage);
}

HighScoreEntry HighScoreEntry::Read(const unsigned char* in)
{
    HighScoreEntry entry;
    entry.score = GetInt(in);
    ReadField(entry.name, in + 4);
    ReadField(entry.avatar, in + 4 + NameSize);
    entry.stage = GetInt(in + 4 + NameSize + AvatarSize);
    return entry;
}

int HighScoreTables::TableIndex(std::int32_t mode, std::int32_t difficulty, std::int32_t world)
{
    const bool byDifficulty = difficulty >= Game::Easy && difficulty <= Game::Expert;
    switch (mode)
    {
        case Game::ModeArcade:
            return byDifficulty ? difficulty : -1;
        case Game::ModeTime:
            return byDifficulty ? 4 + difficulty : -1;
        case Game::ModeQuest:
            switch (world)
            {
                case Game::WorldAir:
                    return 8;
                case Game::WorldFire:
                    return 9;
                case Game::WorldWater:
                    return 10;
                case Game::WorldEarth:
                    return 11;
                default:
                    return -1;
            }
        default:
            return -1;
    }
}

HighScoreTable& HighScoreTables::CurrentTable(std::int32_t mode, std::int32_t difficulty, std::int32_t world)
{
    const int index = TableIndex(mode, difficulty, world);
    return tables[static_cast<std::size_t>(std::max(index, 0))];
}

const HighScoreTable& HighScoreTables::CurrentTable(std::int32_t mode, std::int32_t difficulty,
                                                    std::int32_t world) const
{
    return const_cast<HighScoreTables*>(this)->CurrentTable(mode, difficulty, world);
}

int HighScoreTables::InsertRecord(std::int32_t mode, std::int32_t difficulty, std::int32_t world,
                                  const HighScoreEntry& entry)
{
    const int index = TableIndex(mode, difficulty, world);
    if (index < 0)
    {
        return -1;
    }
    return InsertRecord(tables[static_cast<std::size_t>(index)], entry);
}

int HighScoreTables::InsertRecord(HighScoreTable& table, const HighScoreEntry& entry)
{
    const std::int32_t s = entry.score;
    if (s < table[9].score)
    {
        return -1;
    }
    // Entries move whole, from the bottom up; the old place 9 is lost.
    const auto moveDown = [&table](int from)
    {
        for (int place = 9; place > from; --place)
        {
            table[static_cast<std::size_t>(place)] = table[static_cast<std::size_t>(place - 1)];
        }
    };
    if (s > table[0].score)
    {
        moveDown(0);
        table[0] = entry;
        return 0;
    }
    for (int i = 0; i <= 8; ++i)
    {
        if (table[static_cast<std::size_t>(i)].score >= s && s >= table[static_cast<std::size_t>(i + 1)].score)
        {
            moveDown(i + 1);
            table[static_cast<std::size_t>(i + 1)] = entry;
            return i + 1;
        }
    }
    return -1;
}

void HighScoreTables::Write(unsigned char* out) const
{
    for (std::size_t t = 0; t < TableCount; ++t)
    {
        for (std::size_t place = 0; place < 10; ++place)
        {
            tables[t][place].Write(out + t * TableBytes + place * HighScoreEntry::Size);
        }
    }
}

void HighScoreTables::Overlay(const unsigned char* in, std::size_t size)
{
    size = std::min(size, FileBytes);
    std::vector<unsigned char> bytes(FileBytes);
    Write(bytes.data());
    std::memcpy(bytes.data(), in, size);
    for (std::size_t t = 0; t < TableCount; ++t)
    {
        for (std::size_t place = 0; place < 10; ++place)
        {
            tables[t][place] = HighScoreEntry::Read(bytes.data() + t * TableBytes + place * HighScoreEntry::Size);
        }
    }
}

bool HighScoreTables::LoadRecords(const std::filesystem::path& path)
{
    // Only a regular file of a sane size: a FIFO or a device in its place
    // would block the game or never end.
    constexpr uint64_t MaxFileBytes = uint64_t(16) << 20;
    std::vector<uint8_t> bytes;
    if (!Framework::ReadRegularFile(path, MaxFileBytes, bytes))
    {
        return false;
    }
    Overlay(bytes.data(), std::min(bytes.size(), FileBytes));
    return true;
}

bool HighScoreTables::SaveRecords(const std::filesystem::path& path)
{
    std::vector<unsigned char> bytes(FileBytes);
    Write(bytes.data());
    if (path.has_parent_path())
    {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
    }
    return Framework::ReplaceFile(path, bytes, lastError);
}
