// PlayerProfiles: the player list and the current player, kept in step with
// the profile file.
//
// `players` holds the profiles other than the current one; `currentPlayer`
// is the record named "invalid" until a player is chosen. AddPlayer keeps
// names unique among `players` and appends the new record to the file;
// SaveCurrentPlayer puts the current record first and rewrites the file
// (nothing when no player is chosen, so a file that could not be read is
// never overwritten). File failures leave memory as it is and are said once
// per run through sayFailure ("Frothwick could not save your players to
// PATH: REASON"). Main thread only.
#pragma once

#include "src/profiles/PlayerRecord.h"
#include "src/profiles/ProfileFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class PlayerProfiles
{
public:
    explicit PlayerProfiles(ProfileFile profileFile = ProfileFile());

    // Replaces `players` with the file's records.
    void LoadPlayers();
    // False when a record of that name is in `players`.
    bool AddPlayer(const PlayerRecord& record);
    // Makes the record current and drops every record of that name from
    // `players`.
    void SetCurrentPlayer(const PlayerRecord& record);
    // True when the file was rewritten.
    bool SaveCurrentPlayer();
    bool HasCurrentPlayer() const { return !currentPlayer.IsInvalid(); }

    std::int32_t WorldProgress(std::int32_t world) const { return currentPlayer.Progress(world); }
    void StageReached(std::int32_t world, std::int32_t stage) { currentPlayer.StageReached(world, stage); }

    // The avatar pictures in "images/avatar/" below the working directory:
    // ".jpg" files, then ".gif", then ".png", extensions matched without
    // regard to case, each group by file name; as stored paths
    // ("images\avatar\" + file name). Names too long for a record's path are
    // left out.
    static std::vector<std::string> GetAvatarFiles(const std::filesystem::path& workingDirectory);
    // The union of the user's avatar folder and the program's: the same
    // order, a name in both listed once (the user's picture is the one that
    // loads, see Game::AvatarFile).
    static std::vector<std::string> GetAvatarFiles(const std::filesystem::path& userDirectory,
                                                   const std::filesystem::path& programDirectory);
    // A stored path (backslash separators) as a path for this system.
    static std::filesystem::path NativePath(const std::string& storedPath);

    std::vector<PlayerRecord> players;
    PlayerRecord currentPlayer = PlayerRecord::Invalid();

    const ProfileFile& GetFile() const { return file; }

    // Shows a failure to the player; called at most once per run.
    std::function<void(const std::string& message)> sayFailure;

private:
    void SayFailure();

    ProfileFile file;
    bool failureSaid = false;
};
