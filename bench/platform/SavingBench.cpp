// Costs of saving: the crash-safe replace (temporary, write, fsync, rename,
// fsync of the folder) of a 100-player profile file and of the settings file
// beside a plain write of the same bytes (open, truncate, write, close) and
// a plain write with one fsync; and the application base's quit save of its
// nine settings as nine replaces (earlier versions) and as one.
//
// Files go to a scratch folder below the system's temporary folder (the
// same disk as the user's folders on a usual install), removed at the end.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform/FileReplace.h"
#include "framework/platform/SettingsStore.h"
#include "src/profiles/ProfileFile.h"

namespace
{

namespace fs = std::filesystem;

const fs::path& Scratch()
{
    static const fs::path dir = []
    {
        const fs::path d = fs::temp_directory_path() / ("frothwick-bench-saving-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

struct RemoveScratch
{
    ~RemoveScratch()
    {
        std::error_code ignored;
        fs::remove_all(Scratch(), ignored);
    }
} removeScratch;

std::vector<PlayerRecord> HundredPlayers()
{
    std::vector<PlayerRecord> players(100);
    for (size_t i = 0; i < players.size(); ++i)
    {
        players[i].SetName("Player " + std::to_string(i));
        players[i].SetAvatarPath("images\\avatar\\owl.png");
    }
    return players;
}

// The nine values the application base saves at quit.
const std::vector<std::pair<std::string, int32_t>> quitValues = {
    {"MusicVolume", 70}, {"SfxVolume", 85},    {"Muted", 0},      {"ScreenMode", 0},   {"PreferredX", 320},
    {"PreferredY", 180}, {"CustomCursors", 1}, {"InProgress", 0}, {"WaitForVSync", 1},
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PlainWrite(const fs::path& path, const std::string& bytes, bool sync)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Framework::WriteAll(fd, bytes.data(), bytes.size());
    if (sync)
    {
        ::fsync(fd);
    }
    ::close(fd);
}

// The bytes of each file as the game writes them.
std::string ProfileBytes()
{
    const fs::path file = Scratch() / "usr-reference.dat";
    ProfileFile(file).Rewrite(HundredPlayers());
    return ReadAll(file);
}

std::string SettingsBytes()
{
    const fs::path file = Scratch() / "settings-reference";
    Framework::SettingsStore::AtFile(file).WriteIntegers(quitValues);
    return ReadAll(file);
}

void BM_ProfilesPlainWrite(benchmark::State& state)
{
    const std::string bytes = ProfileBytes();
    for (auto _ : state)
    {
        PlainWrite(Scratch() / "usr-plain.dat", bytes, state.range(0) != 0);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ProfilesPlainWrite)->ArgName("fsync")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ProfilesAtomicSave(benchmark::State& state)
{
    const std::vector<PlayerRecord> players = HundredPlayers();
    const ProfileFile file(Scratch() / "usr.dat");
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(file.Rewrite(players));
    }
}
BENCHMARK(BM_ProfilesAtomicSave)->Unit(benchmark::kMicrosecond);

void BM_SettingsPlainWrite(benchmark::State& state)
{
    const std::string bytes = SettingsBytes();
    for (auto _ : state)
    {
        PlainWrite(Scratch() / "settings-plain", bytes, state.range(0) != 0);
    }
}
BENCHMARK(BM_SettingsPlainWrite)->ArgName("fsync")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The settings file replaced with the same bytes, without the store's read
// and merge.
void BM_SettingsAtomicReplace(benchmark::State& state)
{
    const std::string bytes = SettingsBytes();
    std::string error;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(Framework::ReplaceFile(Scratch() / "settings-replace", bytes, error, 0600));
    }
}
BENCHMARK(BM_SettingsAtomicReplace)->Unit(benchmark::kMicrosecond);

// SaveSettings as earlier versions made it: a read, merge and replace of the
// whole file for each of the nine values.
void BM_SaveSettingsNineReplaces(benchmark::State& state)
{
    auto store = Framework::SettingsStore::AtFile(Scratch() / "nine" / "settings");
    for (auto _ : state)
    {
        for (const auto& [name, value] : quitValues)
        {
            benchmark::DoNotOptimize(store.WriteInteger(name, value));
        }
    }
}
BENCHMARK(BM_SaveSettingsNineReplaces)->Unit(benchmark::kMicrosecond);

// SaveSettings now: one read, merge and replace for all nine.
void BM_SaveSettingsOneReplace(benchmark::State& state)
{
    auto store = Framework::SettingsStore::AtFile(Scratch() / "one" / "settings");
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(store.WriteIntegers(quitValues));
    }
}
BENCHMARK(BM_SaveSettingsOneReplace)->Unit(benchmark::kMicrosecond);

} // namespace
