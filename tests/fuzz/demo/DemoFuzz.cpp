// Fuzz target: the demo reader. Any bytes are refused with a reason or read;
// what was read is written again and reads back the same (updates merged
// into runs), so nothing the reader accepts is lost or changed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "framework/app/DemoFile.h"

namespace
{

void Check(bool ok)
{
    if (!ok)
    {
        __builtin_trap();
    }
}

uint64_t Updates(const Framework::DemoContent& content)
{
    uint64_t n = 0;
    for (const Framework::DemoRecord& r : content.records)
    {
        n += r.kind == Framework::DemoRecord::Kind::Updates ? r.count : 0;
    }
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Framework::DemoContent content;
    std::string error;
    if (!Framework::ReadDemo(std::span<const uint8_t>(data, size), content, error))
    {
        Check(!error.empty());
        return 0;
    }
    const std::vector<uint8_t> again = Framework::WriteDemo(content.header, content.records);
    Framework::DemoContent reread;
    Check(Framework::ReadDemo(again, reread, error));
    Check(reread.header == content.header);
    Check(reread.hasEnd == content.hasEnd);
    Check(reread.cutAt == 0);
    Check(Updates(reread) == Updates(content));
    Check(reread.records.size() <= content.records.size());
    return 0;
}
