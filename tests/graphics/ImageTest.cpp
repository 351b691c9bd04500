#include <gtest/gtest.h>

#include "framework/graphics/MemoryImage.h"

using namespace Framework;

TEST(MemoryImageTest, AllocateGivesZeroPixels)
{
    MemoryImage img;
    img.Allocate(4, 3);
    EXPECT_EQ(img.GetPixel(3, 2), 0u);
}
