// Fuzz target: the command line, split into options and handled. Options
// hold no quotes and nothing the text did not; an unknown option, or demo
// switches that make no sense, show one error and end the program (caught
// here), known ones before it take effect; quoting each option and splitting
// again gives the same ones.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/AppBase.h"

namespace
{

using Option = std::pair<std::string, std::string>;

bool Known(const std::string& name)
{
    return name == "-play" || name == "-playnum" || name == "-record" || name == "-recnum" || name == "-demofile" ||
           name == "-screensaver";
}

class CommandLineApp : public Framework::AppBase
{
public:
    std::vector<Option> seen;
    std::vector<std::string> messages;
    int exits = 0;

    void HandleCommandLineOption(const std::string& name, const std::string& value) override
    {
        seen.emplace_back(name, value);
        AppBase::HandleCommandLineOption(name, value);
    }
    int32_t ShowMessageBox(const std::string& text, const std::string&, uint32_t) override
    {
        messages.push_back(text);
        return 0;
    }
    [[noreturn]] void ExitProcess(int code) override
    {
        ++exits;
        throw Framework::AppExit{code};
    }
};

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

std::vector<Option> Split(const std::string& text, CommandLineApp& app)
{
    try
    {
        app.SplitCommandLine(text);
    }
    catch (const Framework::AppExit& e)
    {
        Check(e.code == 0);
    }
    return app.seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
    {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    CommandLineApp app;
    const std::vector<Option> options = Split(text, app);
    size_t total = 0;
    for (size_t i = 0; i < options.size(); ++i)
    {
        const auto& [name, value] = options[i];
        Check(name.find('"') == std::string::npos && value.find('"') == std::string::npos);
        Check(name.find('=') == std::string::npos);
        total += name.size() + value.size();
        // Only the last option may be unknown: it ends the run.
        Check(Known(name) || i + 1 == options.size());
    }
    Check(total <= size);
    // Unknown options end the run, and so do demo switches that make no
    // sense (a bad number, recording and playing at once, a file alone).
    const bool unknown = !options.empty() && !Known(options.back().first);
    Check(app.exits <= 1 && app.messages.size() == size_t(app.exits));
    Check(!unknown || app.exits == 1);
    if (app.exits == 1)
    {
        Check(app.messages[0].starts_with("Invalid Command Line Param: "));
    }
    if (unknown)
    {
        const auto& [name, value] = options.back();
        Check(app.messages[0] == "Invalid Command Line Param: " + (value.empty() ? name : name + "=" + value));
    }
    if (app.exits == 0)
    {
        Check(!(app.demoPlayback && app.demoRecord));
        Check(app.demoFile.empty() || app.demoPlayback || app.demoRecord);
        Check(app.demoNumber >= -1 && app.demoNumber <= 9999);
        if (!options.empty() && options.back().first == "-demofile")
        {
            Check(app.demoFile == options.back().second);
        }
    }
    Check(app.screenSaverMode ==
          std::any_of(options.begin(), options.end(), [](const Option& o) { return o.first == "-screensaver"; }));

    std::string quoted;
    for (const auto& [name, value] : options)
    {
        quoted += "\"" + name + (value.empty() && name.size() > 0 ? "" : "=") + value + "\" ";
    }
    CommandLineApp again;
    Check(Split(quoted, again) == options);
    return 0;
}
