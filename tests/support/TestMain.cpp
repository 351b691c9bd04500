// Entry point of every test program: tests run headless, whatever the shell
// they start from says about displays and sound cards.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("FROTHWICK_DATA_DIR", FROTHWICK_DATA_DIR, 0);
    setenv("FROTHWICK_SOURCE_DIR", FROTHWICK_SOURCE_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
