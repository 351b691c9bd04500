#include "src/profiles/PlayerRecord.h"

#include <algorithm>
#include <cstring>

namespace
{

template <std::size_t N> std::string FieldText(const std::array<char, N>& field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string(field.begin(), end);
}

template <std::size_t N> bool SetFieldText(std::array<char, N>& field, const std::string& text)
{
    if (text.size() >= N || text.find('\0') != std::string::npos)
    {
        return false;
    }
    field.fill('\0');
    std::copy(text.begin(), text.end(), field.begin());
    return true;
}

// Text up to its terminator, zeros after it; a field without terminator is
// written as it was read.
template <std::size_t N> void WriteField(const std::array<char, N>& field, unsigned char* out)
{
    std::memset(out, 0, N);
    const auto end = std::find(field.begin(), field.end(), '\0');
    std::copy(field.begin(), end, out);
}

void WriteInt(std::int32_t value, unsigned char* out)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
    {
        out[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
}

std::int32_t ReadInt(const unsigned char* in)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
    {
        bits |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

} // namespace

PlayerRecord PlayerRecord::Invalid()
{
    PlayerRecord record;
    record.SetName("invalid");
    return record;
}

std::string PlayerRecord::GetName() const
{
    return FieldText(name);
}

std::string PlayerRecord::GetAvatarPath() const
{
    return FieldText(avatarPath);
}

bool PlayerRecord::SetName(const std::string& text)
{
    return SetFieldText(name, text);
}

bool PlayerRecord::SetAvatarPath(const std::string& text)
{
    return SetFieldText(avatarPath, text);
}

bool PlayerRecord::IsInvalid() const
{
    return std::memcmp(name.data(), "invalid", 8) == 0;
}

bool PlayerRecord::SameName(const PlayerRecord& other) const
{
    return GetName() == other.GetName();
}

std::int32_t PlayerRecord::Progress(std::int32_t world) const
{
    switch (world)
    {
        case 1:
            return progressWater;
        case 2:
            return progressFire;
        case 3:
            return progressEarth;
        case 4:
            return progressAir;
        default:
            return 0;
    }
}

void PlayerRecord::SetProgress(std::int32_t world, std::int32_t stage)
{
    switch (world)
    {
        case 1:
            progressWater = stage;
            break;
        case 2:
            progressFire = stage;
            break;
        case 3:
            progressEarth = stage;
            break;
        case 4:
            progressAir = stage;
            break;
        default:
            break;
    }
}

void PlayerRecord::StageReached(std::int32_t world, std::int32_t stage)
{
    if (stage < 16 && stage > Progress(world))
    {
        SetProgress(world, stage);
    }
}

void PlayerRecord::Write(unsigned char* out) const
{
    WriteField(name, out);
    WriteField(avatarPath, out + 20);
    WriteInt(spare, out + 276);
    WriteInt(progressAir, out + 280);
    WriteInt(progressFire, out + 284);
    WriteInt(progressWater, out + 288);
    WriteInt(progressEarth, out + 292);
}

PlayerRecord PlayerRecord::Read(const unsigned char* in)
{
    PlayerRecord record;
    std::memcpy(record.name.data(), in, NameSize);
    std::memcpy(record.avatarPath.data(), in + 20, AvatarPathSize);
    record.spare = ReadInt(in + 276);
    record.progressAir = ReadInt(in + 280);
    record.progressFire = ReadInt(in + 284);
    record.progressWater = ReadInt(in + 288);
    record.progressEarth = ReadInt(in + 292);
    return record;
}
