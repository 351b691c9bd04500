// FileReplace: how the program writes the files it keeps and reads the files
// its data names.
//
// ReplaceFile replaces a whole file so that a crash, a kill, a full disk or
// any other failure leaves either the old file or the new one, never a mix:
// the new bytes go to a temporary file beside the target, always named
// target + ".tmp", which is written, synced (fsync) and renamed over the
// target; then the folder is synced so the rename itself survives a power
// cut. A temporary left by a killed save is removed before the next one
// (never followed if it is a link) and is never read, so it neither disturbs
// the next start nor piles up. On failure the target is untouched, the
// temporary is removed and the system's reason ("Is a directory", "File too
// large", "No space left on device", ...) is given in `error`. No folder is
// made. Any thread, but one writer per target at a time.
//
// ReadRegularFile reads a file named by data (a path in a player's record,
// a picture chosen in a file chooser): it is opened without blocking and
// taken only if the open descriptor is a regular file within `limit` bytes,
// so a FIFO, a device or a folder in its place is refused at once instead of
// hanging or flooding the program.
//
// Test seam: SetFileStepHook installs a plain function that WriteAll and
// ReplaceFile call just before every write, fsync and rename they make (the
// folder's fsync included), so a test can count the steps of a save or stop
// the process (SIGKILL itself) at the Nth one. It is process-wide and meant
// for tests only; without a hook (the default) nothing is called.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Framework
{

// Writes all of data to the descriptor, going on after interrupted or short
// writes; false on the first error (errno tells why).
bool WriteAll(int fd, const void* data, size_t size);

// mode: the new file's permission bits (before the umask).
bool ReplaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes, std::string& error,
                 unsigned mode = 0644);
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes, std::string& error, unsigned mode = 0644);

// The temporary ReplaceFile writes before renaming it to path.
std::filesystem::path ReplaceTemporary(const std::filesystem::path& path);

// Reads the whole file into out; false (out empty, the reason in error when
// given) when it cannot be opened, is not a regular file or is larger than
// limit bytes.
bool ReadRegularFile(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& out,
                     std::string* error = nullptr);

enum class FileStep
{
    Write,  // one write() of WriteAll
    Sync,   // the fsync of the temporary, then of its folder
    Rename, // the temporary becoming the file
};
using FileStepHook = void (*)(FileStep step);
void SetFileStepHook(FileStepHook hook);

} // namespace Framework
