// Fuzz target: the file chooser's answer in the avatar import. A stand-in
// chooser prints the input (or prints it and reports a cancel); the import
// takes the first line as the chosen path. An import happens only for the
// first line of an accepted answer naming a regular file by a path without
// a zero byte; it leaves exactly one new or replaced file in the avatar
// folder, a byte-for-byte copy under the stored name, and nothing else
// changes: no temporary left behind, the chosen folder untouched. A first
// byte with bit 1 set puts the rest of the input below a folder of
// pictures, so that imports are found.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "framework/app/AppBase.h"
#include "src/profiles/PlayerRecord.h"
#include "src/screens/players/AvatarBrowser.h"

namespace
{

namespace fs = std::filesystem;

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    Check(bool(out));
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every entry below a folder: its kind and, for regular files, the bytes.
std::map<std::string, std::string> Listing(const fs::path& folder)
{
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
    {
        const fs::file_status status = it->symlink_status(ec);
        const std::string relative = fs::relative(it->path(), folder).string();
        if (fs::is_regular_file(status))
        {
            out[relative] = "file " + ReadFile(it->path());
        }
        else
        {
            out[relative] = "kind " + std::to_string(int(status.type()));
        }
    }
    return out;
}

class Browser : public AvatarBrowser
{
public:
    Browser(Framework::AppBase& application, fs::path chooserPath)
        : AvatarBrowser(application), chooser(std::move(chooserPath))
    {
    }
    std::string FindChooser() override { return chooser.string(); }
    void ReportUnavailable() override { __builtin_trap(); }
    void WhileChooserRuns() override {}

    fs::path chooser;
};

Framework::AppBase& App()
{
    static Framework::AppBase app;
    app.windowed = true;
    return app;
}

// A scratch tree: two stand-in choosers, a folder of pictures (a FIFO, a
// folder and a link among them) and the user's folder with one avatar. In
// memory where the system offers it, else in the temporary folder; where
// neither lets the stand-in run (mounted noexec), no input is run.
struct Scratch
{
    Scratch()
    {
        std::error_code ec;
        for (const fs::path& base : {fs::path("/dev/shm"), fs::temp_directory_path(ec)})
        {
            if (!base.empty() && fs::is_directory(base, ec) && Make(base))
            {
                usable = true;
                return;
            }
        }
        std::fprintf(stderr, "avatar_chooser: a stand-in chooser cannot run in /dev/shm nor in the temporary "
                             "folder (mounted noexec?): inputs are not run\n");
    }
    ~Scratch() { Remove(); }

    void Remove()
    {
        std::error_code ignored;
        if (!root.empty())
        {
            fs::remove_all(root, ignored);
        }
    }

    bool Make(const fs::path& base)
    {
        Remove();
        std::error_code ec;
        root = base / ("frothwick-fuzz-avatar-" + std::to_string(getpid()));
        fs::remove_all(root, ec);
        fs::create_directories(root / "pictures" / "sub");
        fs::create_directories(root / "pictures" / "folder.png");
        fs::create_directories(root / "data" / "frothwick" / "images" / "avatar");
        WriteFile(root / "pictures" / "a.png", std::string("\x89PNG\r\n\x1a\n", 8) + "picture a");
        WriteFile(root / "pictures" / "b c.gif", "GIF89a picture b");
        WriteFile(root / "pictures" / "sub" / "d.jpg", "\xFF\xD8\xFF picture d");
        WriteFile(root / "pictures" / "old.png", "a new old.png");
        WriteFile(root / "pictures" / "empty.jpg", "");
        fs::create_symlink("a.png", root / "pictures" / "link.png");
        fs::create_symlink("/dev/zero", root / "pictures" / "zero.png");
        Check(::mkfifo((root / "pictures" / "pipe.png").c_str(), 0600) == 0);
        avatars = root / "data" / "frothwick" / "images" / "avatar";
        WriteFile(avatars / "old.png", "the avatar there before");
        accept = root / "accept" / "zenity";
        cancel = root / "cancel" / "zenity";
        fs::create_directories(accept.parent_path());
        fs::create_directories(cancel.parent_path());
        WriteFile(accept, "#!/bin/sh\nexec cat -- \"" + (root / "answer").string() + "\"\n");
        WriteFile(cancel, "#!/bin/sh\ncat -- \"" + (root / "answer").string() + "\"\nexit 1\n");
        fs::permissions(accept, fs::perms::owner_all);
        fs::permissions(cancel, fs::perms::owner_all);
        userBefore = Listing(root / "data");
        picturesBefore = Listing(root / "pictures");
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);

        WriteFile(root / "answer", "probe\n");
        Browser probe(App(), accept);
        std::string chosen;
        return probe.RunChooser(accept.string(), chosen) && chosen == "probe";
    }

    bool usable = false;
    fs::path root;
    fs::path avatars;
    fs::path accept;
    fs::path cancel;
    std::map<std::string, std::string> userBefore;
    std::map<std::string, std::string> picturesBefore;
};

Scratch& TheScratch()
{
    static Scratch scratch;
    return scratch;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 8192)
    {
        return 0;
    }
    Scratch& s = TheScratch();
    if (!s.usable)
    {
        return 0;
    }
    const bool cancelled = (data[0] & 1) != 0;
    std::string answer(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 2) != 0)
    {
        answer = (s.root / "pictures").string() + "/" + answer;
    }
    WriteFile(s.root / "answer", answer);

    Browser browser(App(), cancelled ? s.cancel : s.accept);
    std::string stored;
    const AvatarBrowser::Result result = browser.Browse(stored);
    const std::string chosen = answer.substr(0, answer.find('\n'));

    Check(Listing(s.root / "pictures") == s.picturesBefore);
    std::map<std::string, std::string> user = Listing(s.root / "data");
    if (cancelled || chosen.empty())
    {
        Check(result == AvatarBrowser::Result::Cancelled);
    }
    else
    {
        Check(result == AvatarBrowser::Result::Imported || result == AvatarBrowser::Result::Failed);
    }
    if (result != AvatarBrowser::Result::Imported)
    {
        Check(user == s.userBefore);
        return 0;
    }

    // What was imported: a regular file named by a path the system reads
    // as the program does.
    struct stat info
    {
    };
    Check(chosen.find('\0') == std::string::npos && ::stat(chosen.c_str(), &info) == 0 && S_ISREG(info.st_mode));
    const std::string prefix = "images\\avatar\\";
    Check(stored.compare(0, prefix.size(), prefix) == 0 && stored.size() < PlayerRecord::AvatarPathSize);
    const std::string name = stored.substr(prefix.size());
    Check(!name.empty() && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos && name != "." &&
          name != "..");
    Check(name == chosen.substr(chosen.find_last_of('/') + 1));
    const std::string key = fs::relative(s.avatars / name, s.root / "data").string();
    Check(user.count(key) == 1 && user[key] == "file " + ReadFile(chosen));
    user.erase(key);
    std::map<std::string, std::string> others = s.userBefore;
    others.erase(key);
    Check(user == others);

    // Back as it was for the next input.
    if (s.userBefore.count(key) != 0)
    {
        WriteFile(s.avatars / name, s.userBefore[key].substr(5));
    }
    else
    {
        fs::remove(s.avatars / name);
    }
    return 0;
}
