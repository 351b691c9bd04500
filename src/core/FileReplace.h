// FileReplace: replaces a whole file so that a crash, a full disk or any
// other failure leaves either the old file or the new one, never a mix.
//
// The new bytes go to a temporary file beside the target (its name plus
// ".tmp"), which is synced and renamed over the target; then the folder is
// synced so the rename itself survives a crash. On failure the target is
// untouched, the temporary is removed and the system's reason ("Is a
// directory", "File too large", ...) is returned in `error`. No folder is
// made. Any thread, but one writer per target at a time.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>

namespace Game
{

// Writes all of data to the descriptor, going on after interrupted or short
// writes; false on the first error (errno tells why).
bool WriteAll(int fd, const unsigned char* data, size_t size);

bool ReplaceFile(const std::filesystem::path& path, std::span<const unsigned char> bytes, std::string& error);

} // namespace Game
