// Fuzz target: the cursor hot-spot table, read from a file holding the
// input. Every entry names an identifier without blanks taken from the text,
// with a click point from 0 to 255; the table written back as lines reads
// the same, and appended after the input those lines win over it.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "tests/fuzz/FuzzScratch.h"
#include "framework/app/CursorHotSpots.h"

namespace
{

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

std::filesystem::path File()
{
    return FuzzSupport::ScratchFolder("hotspots") / "hotspots";
}

bool Same(const Framework::CursorHotSpotTable& a, const Framework::CursorHotSpotTable& b)
{
    if (a.size() != b.size())
    {
        return false;
    }
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j)
    {
        if (i->first != j->first || i->second.x != j->second.x || i->second.y != j->second.y)
        {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::FILE* out = std::fopen(File().c_str(), "wb");
        Check(out != nullptr && std::fwrite(data, 1, size, out) == size && std::fclose(out) == 0);
    }
    Framework::CursorHotSpotTable table;
    Check(Framework::ReadCursorHotSpots(File().string(), table));
    Check(Same(table, Framework::ParseCursorHotSpots(text)));

    std::string lines;
    for (const auto& [id, point] : table)
    {
        Check(!id.empty() && text.find(id) != std::string::npos);
        for (char c : id)
        {
            Check(!std::isspace(static_cast<unsigned char>(c)));
        }
        Check(point.x >= 0 && point.x <= 255 && point.y >= 0 && point.y <= 255);
        // A blank first: an identifier may begin with '#' when its line did
        // not, and only a line beginning with '#' is a comment.
        lines += " " + id + " " + std::to_string(point.x) + " " + std::to_string(point.y) + "\n";
    }
    Check(Same(Framework::ParseCursorHotSpots(lines), table));
    Check(Same(Framework::ParseCursorHotSpots(text + "\n" + lines), table));
    return 0;
}
