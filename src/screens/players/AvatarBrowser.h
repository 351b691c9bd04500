// AvatarBrowser: imports a picture from anywhere on disk as an avatar. The
// desktop's own file chooser runs as a child process (zenity, else kdialog,
// else yad, found on PATH and started without a shell); the chosen file is
// copied, replacing a file of the same name, into "images/avatar/" below the
// user's data folder (Game::UserDataDir), where the avatar list finds it.
//
// A full-screen game is switched to a window first (SetWindowedMode), so the
// chooser is not hidden behind it, and the window is drawn once before the chooser opens.
// While the chooser is open the main thread polls it, keeps the window drawn
// and takes no input (WhileChooserRuns); a quit signal closes the chooser
// (nothing is imported) so the loop can leave.
//
// Limits: the chosen path and the destination path must each fit a 256-byte
// buffer with their terminating zero; longer ones are refused, as are names
// the stored path form cannot hold. Failures are silent (nothing is added),
// except that a missing chooser is reported to the player once per BROWSE.
// Main thread only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace Framework
{
class AppBase;
}

class AvatarBrowser
{
public:
    static constexpr std::size_t PathBufferSize = 256;
    static constexpr const char* Title = "Choose a picture";
    static constexpr const char* FilterName = "Image Files(*.jpg;*.png;*.gif)";

    enum class Result
    {
        Imported,
        Cancelled,
        Unavailable,
        Failed,
    };

    explicit AvatarBrowser(Framework::AppBase& application);
    virtual ~AvatarBrowser() = default;
    AvatarBrowser(const AvatarBrowser&) = delete;
    AvatarBrowser& operator=(const AvatarBrowser&) = delete;

    // The whole import. On Imported, storedPath is "images\avatar\" + the
    // file name, the form a player record keeps.
    Result Browse(std::string& storedPath);

    // The chooser program on the search path (zenity, kdialog, then yad);
    // empty when there is none.
    virtual std::string FindChooser();
    // Runs the chooser and waits for it; false when the player cancelled or
    // the chooser could not run. chosen is the picked file's path.
    virtual bool RunChooser(const std::string& chooserPath, std::string& chosen);
    // Tells the player that pictures cannot be imported here.
    virtual void ReportUnavailable();
    // Called about every 20 ms while the chooser runs: window events are
    // handled and the window drawn, input is dropped.
    virtual void WhileChooserRuns();

    // The first executable file named one of names in the colon-separated
    // directory list; empty when there is none.
    static std::string FindProgram(const std::string& searchPath, const std::vector<std::string>& names);
    // The arguments (without the program) for the chooser of that file name;
    // startDirectory is where kdialog opens.
    static std::vector<std::string> ChooserArguments(const std::string& chooserName, const std::string& startDirectory);
    // Copies chosen into userDirectory/images/avatar/, replacing a file of
    // that name; storedPath gets the record form. False, copying nothing,
    // for a missing source or a path that does not fit its buffer.
    static bool CopyIntoAvatars(const std::filesystem::path& userDirectory, const std::string& chosen,
                                std::string& storedPath);

protected:
    Framework::AppBase& app;
};
