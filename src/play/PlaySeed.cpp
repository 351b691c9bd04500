#include "src/play/PlaySeed.h"

#include "external/lumora/Math.h"
#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace PlaySeed
{
std::optional<std::uint64_t> Parse(const char* text)
{
    if (text == nullptr || *text == 0)
    {
        return std::nullopt;
    }
    const char* end = text + std::strlen(text);
    std::uint64_t value = 0;
    const auto [stop, error] = std::from_chars(text, end, value, 10);
    if (error != std::errc() || stop != end)
    {
        return std::nullopt;
    }
    return value;
}

std::uint64_t Choose()
{
    if (const std::optional<std::uint64_t> fixed = Parse(std::getenv("FROTHWICK_SEED")))
    {
        return *fixed;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

void SeedAll(std::uint64_t seed)
{
    // The runtime generators keep 32 bits: fold the high half in.
    const auto folded = static_cast<std::uint32_t>(seed ^ (seed >> 32));
    RuntimeRandom::Global().Seed(folded);
    RuntimeRandom::Drawing().Seed(folded ^ 0x9E3779B9u);
    RandomUtil::SeedAll(seed);
    Lumora::Math::SeedRandom(seed);
}
} // namespace PlaySeed
