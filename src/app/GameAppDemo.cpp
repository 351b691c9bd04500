// The game's part of a demo: its checkpoints, its data files, and the start
// state (players, high scores, the user's avatar pictures) kept when
// recording and set up in the playback's scratch folder.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "framework/app/DemoFile.h"
#include "framework/platform/FileReplace.h"
#include "src/app/GameApp.h"
#include "src/core/UserPaths.h"
#include "src/play/GameAreaWidget.h"
#include "src/screens/game/Board.h"
#include "src/sprites/BubbleSprite.h"

namespace
{

constexpr uint64_t MaxStateFileBytes = 16u << 20;
// The user's own avatar pictures travel with the demo up to this much.
constexpr uint64_t MaxAvatarBytes = 8u << 20;
constexpr const char* AvatarPrefix = "images/avatar/";

int32_t KindOf(const std::shared_ptr<BubbleSprite>& sprite)
{
    return sprite ? sprite->GetKind() : 0;
}

// A picture's name as the demo gives it: a plain file name, nothing that
// leaves the folder.
bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

void AddFile(std::vector<Framework::DemoState>& state, const std::string& name, const std::filesystem::path& file)
{
    Framework::DemoState entry;
    entry.name = name;
    entry.present = Framework::ReadRegularFile(file, MaxStateFileBytes, entry.bytes);
    state.push_back(std::move(entry));
}

} // namespace

bool GameApp::DemoCheckpointState(Framework::DemoCheckpoint& c)
{
    c.mode = mode;
    c.stage = stageId;
    c.score = score;
    const std::shared_ptr<GameAreaWidget> field = board ? board->GetPlayField() : nullptr;
    if (!field)
    {
        return true;
    }
    std::vector<uint8_t> kinds;
    kinds.reserve(GRID_ROWS * GRID_COLUMNS * 4);
    for (int32_t row = 0; row < GRID_ROWS; ++row)
    {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            const auto kind = static_cast<uint32_t>(KindOf(field->GetCell(row, column)));
            for (int shift = 0; shift < 32; shift += 8)
            {
                kinds.push_back(static_cast<uint8_t>(kind >> shift));
            }
        }
    }
    c.gridCrc = Framework::DemoCrc32(kinds);
    c.shot = KindOf(field->GetShot());
    c.next = KindOf(field->GetNextBubble());
    return true;
}

bool GameApp::DemoCheckpointDue()
{
    const bool ended = stageOver && !demoStageOver;
    demoStageOver = stageOver;
    return ended;
}

std::vector<std::string> GameApp::DemoDataFiles()
{
    std::vector<std::string> files = {"script/design.lua", manifestPath};
    std::vector<std::string> stages;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator("data", ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec))
    {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".dat" && it->is_regular_file(ec))
        {
            stages.push_back("data/" + path.filename().string());
        }
    }
    std::sort(stages.begin(), stages.end());
    files.insert(files.end(), stages.begin(), stages.end());
    return files;
}

void GameApp::DemoRecordStartState(std::vector<Framework::DemoState>& state)
{
    AddFile(state, "data/usr.dat", Game::ProfilesPath());
    AddFile(state, "data/game.dat", Game::RecordsPath());
    Framework::DemoState names;
    names.name = "avatars";
    uint64_t carried = 0;
    std::vector<Framework::DemoState> pictures;
    for (const std::string& stored : PlayerProfiles::GetAvatarFiles(Game::UserDataDir()))
    {
        const std::string name = PlayerProfiles::NativePath(stored).filename().string();
        names.bytes.insert(names.bytes.end(), name.begin(), name.end());
        names.bytes.push_back('\n');
        Framework::DemoState picture;
        picture.name = AvatarPrefix + name;
        if (PlainName(name) &&
            Framework::ReadRegularFile(Game::UserAvatarDir() / name, MaxAvatarBytes - carried, picture.bytes))
        {
            carried += picture.bytes.size();
            pictures.push_back(std::move(picture));
        }
    }
    state.push_back(std::move(names));
    state.insert(state.end(), pictures.begin(), pictures.end());
}

bool GameApp::DemoRestoreStartState(const Framework::DemoHeader& header, const std::filesystem::path& scratch,
                                    std::string& error)
{
    // The scratch folder is the user's data folder for the rest of the run:
    // the players, high scores and pictures of the recording live there and
    // whatever the playback saves goes there. No other thread runs yet.
    const std::filesystem::path dataHome = scratch / "data";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    std::error_code ec;
    std::filesystem::create_directories(Game::ProfilesPath().parent_path(), ec);
    std::filesystem::create_directories(Game::UserAvatarDir(), ec);
    for (const Framework::DemoState& entry : header.state)
    {
        std::filesystem::path target;
        if (entry.name == "data/usr.dat")
        {
            target = Game::ProfilesPath();
        }
        else if (entry.name == "data/game.dat")
        {
            target = Game::RecordsPath();
        }
        else if (entry.name.starts_with(AvatarPrefix) && PlainName(entry.name.substr(std::strlen(AvatarPrefix))))
        {
            target = Game::UserAvatarDir() / entry.name.substr(std::strlen(AvatarPrefix));
        }
        if (target.empty() || !entry.present)
        {
            continue;
        }
        if (!Framework::ReplaceFile(target, std::span<const unsigned char>(entry.bytes), error))
        {
            error = "its start state cannot be set up in " + target.string() + ": " + error;
            return false;
        }
    }
    profiles = PlayerProfiles(ProfileFile(Game::ProfilesPath()));
    profiles.sayFailure = [this](const std::string& message) { SaySaveFailure(message); };
    // The recording decides when the run ends.
    exitAfterTicks = 0;
    return true;
}
