// A GameApp on the fake clock and platform, with a music interface that
// records every call, a settable clock minute, and exits that throw.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppBaseFakes.h"
#include "framework/sound/MusicInterface.h"
#include "src/app/GameApp.h"
#include "support/TestTemp.h"

namespace FrothwickTest
{

class RecordingMusic : public Framework::MusicInterface
{
public:
    std::vector<std::string> calls;

    bool LoadSong(int32_t id, const std::string& path) override
    {
        Add("load " + std::to_string(id) + " " + path);
        return true;
    }
    void PlaySong(int32_t id, int64_t offset, bool noLoop) override
    {
        Add("play " + std::to_string(id) + " " + std::to_string(offset) + (noLoop ? " once" : " loop"));
    }
    void StopSong(int32_t id) override { Add("stop " + std::to_string(id)); }
    void StopAllSongs() override { Add("stop all"); }
    void FadeInSong(int32_t id, int64_t offset, double speed, bool noLoop) override
    {
        Add("fade in " + std::to_string(id) + " " + std::to_string(offset) + " " + Speed(speed) +
            (noLoop ? " once" : " loop"));
    }
    void FadeOutAllSongs(bool stopWhenSilent, double speed) override
    {
        Add(std::string("fade out all ") + Speed(speed) + (stopWhenSilent ? " stop" : ""));
    }

private:
    void Add(const std::string& call) { calls.push_back(call); }
    static std::string Speed(double speed) { return std::to_string(static_cast<int>(speed * 1000 + 0.5)) + "/1000"; }
};

class TestGameApp : public GameApp
{
public:
    std::shared_ptr<FakeClock> fakeClock = std::make_shared<FakeClock>();
    FakePlatform* fake = nullptr;
    RecordingMusic* music = nullptr;
    int32_t minute = 29000000;

    TestGameApp()
    {
        clock = fakeClock;
        auto p = std::make_unique<FakePlatform>();
        fake = p.get();
        platform = std::move(p);
        settingsRoot = TestSupport::TestTempDir("settings");
        std::filesystem::remove_all(settingsRoot); // left by an earlier run
        std::filesystem::create_directories(settingsRoot);
        instanceLockDir = TestSupport::TestTempDir();
        onlyOneInstance = false;
        commandLineParsed = true;
        UseRecordingMusic();
    }

    // A loading thread still running would call into this object while its
    // bases are destroyed: stop it and wait here, before any of them goes.
    ~TestGameApp() override
    {
        StopApplication();
        WaitForLoadingThread();
    }

    // Replaces whatever music interface exists (Initialise makes the real one).
    void UseRecordingMusic()
    {
        auto m = std::make_unique<RecordingMusic>();
        music = m.get();
        musicInterface = std::move(m);
    }

    [[noreturn]] void ExitProcess(int code) override { throw Framework::AppExit{code}; }
    int32_t CurrentMinute() const override { return minute; }

    // The working directory stays where the test put it.
    bool WorkingDirectoryHook(const std::filesystem::path&) override { return true; }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
        {
            Tick();
        }
    }
};

} // namespace FrothwickTest
