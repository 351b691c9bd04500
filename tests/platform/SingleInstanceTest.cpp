#include "framework/platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

using Framework::SingleInstance;

namespace
{

TEST(SingleInstanceTest, SecondCopyAsksTheFirstToComeToTheFront)
{
    // A socket path must fit in 108 bytes, so this folder stays short.
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("frothwick-instance-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    SingleInstance first;
    ASSERT_EQ(first.Acquire("Frothwick Test", dir), SingleInstance::Result::Acquired);
    EXPECT_TRUE(std::filesystem::exists(dir / "Frothwick TestMutex"));
    EXPECT_FALSE(first.PollFrontRequest());

    {
        // flock locks belong to the open file description: a second open in
        // this process conflicts just as another process would.
        SingleInstance second;
        EXPECT_EQ(second.Acquire("Frothwick Test", dir), SingleInstance::Result::AlreadyRunning);
    }
    EXPECT_TRUE(first.PollFrontRequest());
    EXPECT_FALSE(first.PollFrontRequest()) << "one request, one answer";

    SingleInstance other;
    EXPECT_EQ(other.Acquire("Another Title", dir), SingleInstance::Result::Acquired);

    first.Release();
    SingleInstance third;
    EXPECT_EQ(third.Acquire("Frothwick Test", dir), SingleInstance::Result::Acquired)
        << "a released lock (or a stale socket file) does not block the next start";
    third.Release();
    other.Release();
    std::filesystem::remove_all(dir);
}

TEST(SingleInstanceTest, TitlesBecomeSafeFileNames)
{
    EXPECT_EQ(SingleInstance::SafeName("Frothwick"), "Frothwick");
    EXPECT_EQ(SingleInstance::SafeName("a/../b"), "a_.._b");
    EXPECT_EQ(SingleInstance::SafeName(".."), "_..");
    EXPECT_EQ(SingleInstance::SafeName(""), "_");
}

} // namespace
