// Every writer of a file the game keeps, set up below a folder of the test's
// choosing, each able to save an "old" and a "new" version of its file: the
// profile file rewritten and appended to, the records file, the settings
// (the application base's SaveSettings), a sound cache file and an imported
// avatar picture. The kill and full-disk tests run them all alike.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/AppBaseTestApp.h"
#include "framework/sound/WaveFile.h"
#include "src/profiles/ProfileFile.h"
#include "src/records/HighScoreTables.h"
#include "src/screens/players/AvatarBrowser.h"

namespace SavingTest
{

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A temporary a save made or an earlier version's ("x.tmp", "x.tmp.1234",
// "x.part") anywhere below dir.
inline std::vector<std::string> Temporaries(const fs::path& dir)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
    {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".tmp") || name.find(".tmp.") != std::string::npos || name.ends_with(".part"))
        {
            found.push_back(entry.path().string());
        }
    }
    return found;
}

struct Writer
{
    std::string name;
    fs::path file; // compared byte for byte
    // Saves the new version (true) or the old one; false when the save
    // reports a failure.
    std::function<bool(bool)> save;
    // The new version is the old one and a record added in place (a kill
    // may leave part of that record, which readers ignore).
    bool appends = false;
    // Writes, fsyncs and renames of one save of the new version.
    int steps = 4;
};

inline PlayerRecord Player(const std::string& name)
{
    PlayerRecord r;
    r.SetName(name);
    r.SetAvatarPath("images\\avatar\\owl.png");
    return r;
}

inline std::vector<PlayerRecord> Players(int count)
{
    std::vector<PlayerRecord> records;
    for (int i = 0; i < count; ++i)
    {
        records.push_back(Player("Player " + std::to_string(i)));
    }
    return records;
}

inline Framework::SoundData Sound(size_t samples, int16_t step)
{
    Framework::SoundData sound;
    for (size_t i = 0; i < samples; ++i)
    {
        sound.samples.push_back(static_cast<int16_t>(static_cast<int>(i) * step));
    }
    return sound;
}

inline std::string Picture(size_t size, char seed)
{
    std::string bytes(size, seed);
    for (size_t i = 0; i < size; ++i)
    {
        bytes[i] = static_cast<char>(bytes[i] + static_cast<char>(i * 31));
    }
    return bytes;
}

class SettingsApp : public FrothwickTest::TestApp
{
public:
    explicit SettingsApp(const fs::path& root)
    {
        settingsRoot = root;
        registryKey = "Tamsery Games\\Frothwick";
        userFolder = "frothwick";
    }
};

// All writers, each in a folder of its own below base. oldSize and newSize
// scale the files (in bytes, roughly) so a full-disk test can make the new
// version larger than the room left.
inline std::vector<Writer> AllWriters(const fs::path& base, size_t oldSize = 3000, size_t newSize = 30000)
{
    std::vector<Writer> writers;
    const int oldPlayers = static_cast<int>(std::max<size_t>(1, oldSize / PlayerRecord::Size));
    const int newPlayers = static_cast<int>(std::max<size_t>(2, newSize / PlayerRecord::Size));
    {
        const fs::path file = base / "rewrite" / "usr.dat";
        fs::create_directories(file.parent_path());
        writers.push_back({"profiles rewrite", file,
                           [=](bool v) { return ProfileFile(file).Rewrite(Players(v ? newPlayers : oldPlayers)); }});
    }
    {
        const fs::path file = base / "append" / "usr.dat";
        fs::create_directories(file.parent_path());
        Writer w{"profiles append", file,
                 [=](bool v)
                 {
                     const ProfileFile profiles(file);
                     return v ? profiles.Append(Player("Newcomer")) : profiles.Rewrite(Players(oldPlayers));
                 }};
        w.appends = true;
        w.steps = 1;
        writers.push_back(w);
    }
    {
        const fs::path file = base / "records" / "game.dat";
        fs::create_directories(file.parent_path());
        writers.push_back({"records", file,
                           [=](bool v)
                           {
                               HighScoreTables tables;
                               tables.tables[3][0] = HighScoreEntry::Make(v ? 2000 : 1000, v ? "New" : "Old", "", 4);
                               return tables.SaveRecords(file);
                           }});
    }
    {
        auto app = std::make_shared<SettingsApp>(base / "config");
        writers.push_back({"settings", app->SettingsFile(),
                           [app](bool v)
                           {
                               app->musicVolume = v ? 0.75 : 0.25;
                               app->sfxVolume = v ? 0.5 : 1.0;
                               app->preferredX = v ? 123456 : -1;
                               app->windowed = v;
                               app->SaveSettings();
                               // The base says nothing of a failed save: a
                               // save that took shows its values.
                               int32_t volume = -1;
                               return app->ReadInteger("MusicVolume", volume) && volume == (v ? 75 : 25);
                           }});
    }
    {
        const fs::path source = base / "sounds" / "pop.ogg";
        const fs::path file = base / "cache" / "cached" / "sounds" / "pop.wav";
        fs::create_directories(source.parent_path());
        fs::create_directories(file.parent_path());
        WriteBytes(source, "OggS");
        const auto oldSound = std::make_shared<Framework::SoundData>(Sound(oldSize / 2, 3));
        const auto newSound = std::make_shared<Framework::SoundData>(Sound(newSize / 2, 5));
        writers.push_back({"sound cache", file, [=](bool v) {
                               return Framework::WriteCacheFile(file, v ? *newSound : *oldSound, source.string());
                           }});
    }
    {
        const fs::path user = base / "user";
        const fs::path oldPicture = base / "pictures" / "old" / "me.png";
        const fs::path newPicture = base / "pictures" / "new" / "me.png";
        fs::create_directories(oldPicture.parent_path());
        fs::create_directories(newPicture.parent_path());
        WriteBytes(oldPicture, Picture(oldSize, 'o'));
        WriteBytes(newPicture, Picture(newSize, 'n'));
        writers.push_back({"avatar import", user / "images" / "avatar" / "me.png",
                           [=](bool v)
                           {
                               std::string stored;
                               return AvatarBrowser::CopyIntoAvatars(user, (v ? newPicture : oldPicture).string(),
                                                                     stored) &&
                                      stored == "images\\avatar\\me.png";
                           }});
    }
    return writers;
}

} // namespace SavingTest
