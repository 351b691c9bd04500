#include "external/util/RandomUtil.h"

#include <mutex>
#include <random>

namespace
{

struct SeedSequence
{
    std::mutex mutex;
    bool seeded = false;
    Util::SplitMix64 seeds{0};
};

SeedSequence& Sequence()
{
    static SeedSequence sequence;
    return sequence;
}

std::uint64_t NextSeed()
{
    auto& sequence = Sequence();
    std::lock_guard lock(sequence.mutex);
    if (!sequence.seeded)
    {
        std::random_device entropy;
        sequence.seeds = Util::SplitMix64((std::uint64_t{entropy()} << 32) | entropy());
        sequence.seeded = true;
    }
    return sequence.seeds.Next();
}

} // namespace

RandomUtil::RandomUtil() : generator(NextSeed()) {}

RandomUtil::RandomUtil(std::uint64_t seed) : generator(seed) {}

std::int32_t RandomUtil::Next(std::int32_t low, std::int32_t high)
{
    if (high <= low)
    {
        return low;
    }
    // The span of two int32 values fits an uint32 (at most 2^32 - 1).
    const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(high) - low);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(low) + generator.Below(span));
}

void RandomUtil::SeedAll(std::uint64_t seed)
{
    auto& sequence = Sequence();
    std::lock_guard lock(sequence.mutex);
    sequence.seeds = Util::SplitMix64(seed);
    sequence.seeded = true;
}
