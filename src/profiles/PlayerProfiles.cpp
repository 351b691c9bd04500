#include "src/profiles/PlayerProfiles.h"

#include <algorithm>
#include <cctype>
#include <utility>

PlayerProfiles::PlayerProfiles(ProfileFile profileFile) : file(std::move(profileFile)) {}

void PlayerProfiles::LoadPlayers()
{
    players = file.Load();
}

bool PlayerProfiles::AddPlayer(const PlayerRecord& record)
{
    const bool taken =
        std::any_of(players.begin(), players.end(), [&](const PlayerRecord& p) { return p.SameName(record); });
    if (taken)
    {
        return false;
    }
    players.push_back(record);
    // When the file cannot take it, the record is written with the rest at
    // the next save.
    if (!file.Append(record))
    {
        SayFailure();
    }
    return true;
}

void PlayerProfiles::SetCurrentPlayer(const PlayerRecord& record)
{
    currentPlayer = record;
    std::erase_if(players, [this](const PlayerRecord& p) { return p.SameName(currentPlayer); });
}

bool PlayerProfiles::SaveCurrentPlayer()
{
    if (currentPlayer.IsInvalid())
    {
        return false;
    }
    // A second save must not list the current player twice.
    std::erase_if(players, [this](const PlayerRecord& p) { return p.SameName(currentPlayer); });
    players.insert(players.begin(), currentPlayer);
    if (!file.Rewrite(players))
    {
        SayFailure();
        return false;
    }
    return true;
}

void PlayerProfiles::SayFailure()
{
    if (failureSaid || !sayFailure)
    {
        return;
    }
    failureSaid = true;
    std::error_code ec;
    const std::filesystem::path shown = std::filesystem::absolute(file.GetPath(), ec);
    sayFailure("Frothwick could not save your players to " + (ec ? file.GetPath() : shown).string() + ": " +
               file.LastError());
}

std::vector<std::string> PlayerProfiles::GetAvatarFiles(const std::filesystem::path& userDirectory,
                                                        const std::filesystem::path& programDirectory)
{
    std::vector<std::string> result;
    std::vector<std::string> program = GetAvatarFiles(programDirectory);
    std::vector<std::string> user = GetAvatarFiles(userDirectory);
    // Both lists are in the list's order already; merged, they keep it.
    std::vector<std::string> all = user;
    all.insert(all.end(), program.begin(), program.end());
    const auto rank = [](const std::string& stored)
    {
        std::string tail = stored.substr(stored.size() - 4);
        for (char& c : tail)
        {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return tail == ".jpg" ? 0 : tail == ".gif" ? 1 : 2;
    };
    std::stable_sort(all.begin(), all.end(),
                     [&](const std::string& a, const std::string& b)
                     { return rank(a) != rank(b) ? rank(a) < rank(b) : a < b; });
    for (const std::string& stored : all)
    {
        if (result.empty() || result.back() != stored)
        {
            result.push_back(stored);
        }
    }
    return result;
}

std::vector<std::string> PlayerProfiles::GetAvatarFiles(const std::filesystem::path& workingDirectory)
{
    const std::string prefix = "images\\avatar\\";
    std::vector<std::string> result;
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(workingDirectory / "images" / "avatar", error))
    {
        std::error_code typeError;
        if (entry.is_regular_file(typeError))
        {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    for (const char* extension : {".jpg", ".gif", ".png"})
    {
        for (const std::string& name : names)
        {
            if (name.size() < 4 || prefix.size() + name.size() >= PlayerRecord::AvatarPathSize)
            {
                continue;
            }
            const std::string tail = name.substr(name.size() - 4);
            const bool match =
                std::equal(tail.begin(), tail.end(), extension,
                           [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
            if (match)
            {
                result.push_back(prefix + name);
            }
        }
    }
    return result;
}

std::filesystem::path PlayerProfiles::NativePath(const std::string& storedPath)
{
    std::string native = storedPath;
    std::replace(native.begin(), native.end(), '\\', '/');
    return std::filesystem::path(native);
}
