// PlayerRecord: one player profile, the unit of the profile file and of the
// game's player list, 296 bytes on disk with little-endian integers:
//   0   20  name        zero-terminated text (at most 19 bytes of text)
//   20  256 avatarPath  zero-terminated path relative to the working
//                       directory, "images\avatar\" + file name
//   276 4   spare       carried unchanged, never interpreted
//   280 4   progressAir     highest quest stage reached in world 4
//   284 4   progressFire    world 2
//   288 4   progressWater   world 1
//   292 4   progressEarth   world 3
// A text field without a terminating zero ends at the field's end when read.
// Bytes after a terminator mean nothing and are written as zeros.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct PlayerRecord
{
    static constexpr std::size_t Size = 296;
    static constexpr std::size_t NameSize = 20;
    static constexpr std::size_t AvatarPathSize = 256;

    std::array<char, NameSize> name{};
    std::array<char, AvatarPathSize> avatarPath{};
    std::int32_t spare = 0;
    std::int32_t progressAir = 0;
    std::int32_t progressFire = 0;
    std::int32_t progressWater = 0;
    std::int32_t progressEarth = 0;

    // The record of "no player selected".
    static PlayerRecord Invalid();

    std::string GetName() const;
    std::string GetAvatarPath() const;
    // False, leaving the field as it was, when the text and its terminator do
    // not fit the field.
    bool SetName(const std::string& text);
    bool SetAvatarPath(const std::string& text);

    // Whether the first eight bytes of the name are "invalid" and its zero.
    bool IsInvalid() const;
    // The names compared as zero-terminated byte strings.
    bool SameName(const PlayerRecord& other) const;

    // The progress field of world 1 (water), 2 (fire), 3 (earth) or 4 (air);
    // 0 for any other world, whose progress cannot be set.
    std::int32_t Progress(std::int32_t world) const;
    void SetProgress(std::int32_t world, std::int32_t stage);
    // A stage number below 16 raises the world's progress to it.
    void StageReached(std::int32_t world, std::int32_t stage);

    void Write(unsigned char* out) const;
    static PlayerRecord Read(const unsigned char* in);
};
