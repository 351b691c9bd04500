#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "framework/graphics/ImageLoader.h"
#include "framework/graphics/SharedImageCache.h"
#include "support/GraphicsPrinters.h"
#include "support/ImageFileWriters.h"

using namespace Framework;
using namespace Framework::ImageLoader;
using TestSupport::Argb;
using TestSupport::PixelNear;

namespace
{

class ImageLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::path(FROTHWICK_TEST_TMP_DIR) / "imageloader" / info->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        ASSERT_TRUE(TestSupport::WriteFile(Path(name), bytes));
    }

    std::filesystem::path dir;
};

std::vector<uint32_t> Pattern(int32_t w, int32_t h, uint32_t alpha = 255)
{
    std::vector<uint32_t> px;
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            px.push_back(Argb(alpha, uint32_t(x * 40), uint32_t(y * 50), 99));
        }
    }
    return px;
}

// Where the image descriptor starts in a file from EncodeGif: header, global
// table, the comment and graphic control extensions.
size_t DescriptorOffset(const std::vector<uint8_t>& gif)
{
    return 13 + 3 * (size_t(2) << (gif[10] & 7)) + 8 + 8;
}

std::vector<uint32_t> SolidPixels(int32_t w, int32_t h, uint32_t p)
{
    return std::vector<uint32_t>(size_t(w) * size_t(h), p);
}

} // namespace

TEST_F(ImageLoaderTest, SearchesExtensionsInOrderAndOpensGivenNamesAsSpelled)
{
    Write("ball.tga", TestSupport::EncodeTga(2, 2, SolidPixels(2, 2, Argb(255, 1, 0, 0))));
    Write("ball.png", TestSupport::EncodePng(2, 2, SolidPixels(2, 2, Argb(255, 0, 2, 0))));
    Write("only.png", TestSupport::EncodePng(3, 1, SolidPixels(3, 1, Argb(255, 0, 3, 0))));
    Write("only.gif", TestSupport::EncodeGif(1, 1, {0}, {0x0000FF}, -1, false));

    auto first = LoadImageFile(Path("ball"), false);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->pixels[0], Argb(255, 1, 0, 0)); // ".tga" before ".png"
    auto png = LoadImageFile(Path("ball.png"), false);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->pixels[0], Argb(255, 0, 2, 0)); // an extension tries only its decoder
    auto only = LoadImageFile(Path("only"), false);
    ASSERT_TRUE(only);
    EXPECT_EQ(only->width, 3); // ".png" before ".gif"

    // A name with an extension is opened as spelled, whatever its case.
    Write("Photo.JPG", TestSupport::EncodeJpeg(8, 8, SolidPixels(8, 8, Argb(255, 200, 40, 40))));
    auto jpg = LoadImageFile(Path("Photo.JPG"), false);
    ASSERT_TRUE(jpg);
    EXPECT_TRUE(PixelNear(jpg->pixels[27], Argb(255, 200, 40, 40), 6));
    EXPECT_FALSE(LoadImageFile(Path("Photo.jpg"), false));
    EXPECT_FALSE(LoadImageFile(Path("ball.bmp"), false));
    EXPECT_FALSE(LoadImageFile(Path("missing"), false));

    // Backslashes are separators; a dot in a folder name is no extension.
    std::filesystem::create_directories(dir / "a.dir");
    Write("a.dir/pic.png", TestSupport::EncodePng(1, 1, SolidPixels(1, 1, Argb(255, 5, 5, 5))));
    EXPECT_TRUE(LoadImageFile(Path("a.dir") + "\\pic", false));
}

TEST_F(ImageLoaderTest, MergesAlphaFiles)
{
    Write("ball.png", TestSupport::EncodePng(2, 1, SolidPixels(2, 1, Argb(255, 10, 20, 30))));
    Write("_ball.png", TestSupport::EncodePng(2, 1, {Argb(255, 0, 0, 66), Argb(255, 0, 0, 200)}, true));
    auto merged = LoadImageFile(Path("ball"), true);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->pixels[0], Argb(66, 10, 20, 30));
    EXPECT_EQ(merged->pixels[1], Argb(200, 10, 20, 30));
    auto plain = LoadImageFile(Path("ball"), false);
    EXPECT_EQ(plain->pixels[0], Argb(255, 10, 20, 30));

    // The second spelling: the whole name + "_".
    Write("cup.tga", TestSupport::EncodeTga(1, 1, {Argb(255, 1, 2, 3)}));
    Write("cup_.gif", TestSupport::EncodeGif(1, 1, {0}, {0x000050}, -1, false));
    EXPECT_EQ(LoadImageFile(Path("cup"), true)->pixels[0], Argb(0x50, 1, 2, 3));

    // A size mismatch leaves the colour image as it is.
    Write("odd.png", TestSupport::EncodePng(2, 2, SolidPixels(2, 2, Argb(255, 7, 7, 7))));
    Write("_odd.png", TestSupport::EncodePng(1, 1, SolidPixels(1, 1, Argb(255, 0, 0, 9))));
    EXPECT_EQ(LoadImageFile(Path("odd"), true)->pixels[3], Argb(255, 7, 7, 7));

    // An alpha file alone becomes the image in the loader's alpha colour.
    Write("_ghost.png", TestSupport::EncodePng(1, 1, SolidPixels(1, 1, Argb(255, 0, 0, 120)), true));
    auto ghost = LoadImageFile(Path("ghost"), true);
    ASSERT_TRUE(ghost);
    EXPECT_EQ(ghost->pixels[0], Argb(120, 255, 255, 255));
    SetAlphaColor(0x102030);
    EXPECT_EQ(LoadImageFile(Path("ghost"), true)->pixels[0], Argb(120, 0x10, 0x20, 0x30));
    SetAlphaColor(0xFFFFFF);
}

TEST_F(ImageLoaderTest, TgaAcceptsOnly32BitTopLeftAndSkipsTheIdField)
{
    const auto px = Pattern(3, 2, 128);
    auto img = DecodeTga(TestSupport::EncodeTga(3, 2, px, "an id").data(), 18 + 5 + 24);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixels, px);

    auto bytes24 = TestSupport::EncodeTga(3, 2, px, "", 24);
    EXPECT_FALSE(DecodeTga(bytes24.data(), bytes24.size()));
    auto bottomUp = TestSupport::EncodeTga(3, 2, px, "", 32, 0x08);
    EXPECT_FALSE(DecodeTga(bottomUp.data(), bottomUp.size()));
    auto rle = TestSupport::EncodeTga(3, 2, px);
    rle[2] = 10;
    EXPECT_FALSE(DecodeTga(rle.data(), rle.size()));
    auto good = TestSupport::EncodeTga(3, 2, px);
    EXPECT_FALSE(DecodeTga(good.data(), good.size() - 1)); // truncated
    EXPECT_FALSE(DecodeTga(good.data(), 10));
    auto zero = TestSupport::EncodeTga(0, 2, {});
    EXPECT_FALSE(DecodeTga(zero.data(), zero.size()));
}

TEST_F(ImageLoaderTest, GifTransparencyInterlacingAndLocalTables)
{
    // 3 x 10, index = y % 4; index 3 transparent.
    const int32_t w = 3, h = 10;
    std::vector<uint8_t> idx;
    for (int32_t y = 0; y < h; ++y)
    {
        for (int32_t x = 0; x < w; ++x)
        {
            idx.push_back(uint8_t(y % 4));
        }
    }
    const std::vector<uint32_t> pal = {0x110000, 0x002200, 0x000033, 0x444444};
    for (bool interlaced : {false, true})
    {
        auto bytes = TestSupport::EncodeGif(w, h, idx, pal, 3, interlaced);
        auto img = DecodeGif(bytes.data(), bytes.size());
        ASSERT_TRUE(img) << interlaced;
        for (int32_t y = 0; y < h; ++y)
        {
            const uint32_t expected = y % 4 == 3 ? 0u : (0xFF000000u | pal[size_t(y % 4)]);
            EXPECT_EQ(img->pixels[size_t(y * w + 1)], expected) << "row " << y << " interlaced " << interlaced;
        }
    }
    // No transparency: index 3 is its colour.
    auto opaque = TestSupport::EncodeGif(w, h, idx, pal, -1, false);
    EXPECT_EQ(DecodeGif(opaque.data(), opaque.size())->pixels[size_t(3 * w)], 0xFF444444u);

    // A local colour table overrides the global one.
    auto local = TestSupport::EncodeGif(1, 1, {1}, {0x000000, 0x000000}, -1, false);
    const size_t descriptor = DescriptorOffset(local);
    ASSERT_EQ(local[descriptor], 0x2C);
    local[descriptor + 9] = 0x80; // local table of 2 entries follows
    local.insert(local.begin() + long(descriptor + 10), {0, 0, 0, 0xAB, 0xCD, 0xEF});
    auto withLocal = DecodeGif(local.data(), local.size());
    ASSERT_TRUE(withLocal);
    EXPECT_EQ(withLocal->pixels[0], 0xFFABCDEFu);

    // Broken files.
    EXPECT_FALSE(DecodeGif(opaque.data(), 20));
    EXPECT_FALSE(DecodeGif(opaque.data(), opaque.size() - 8)); // pixel data cut short
    auto badSig = opaque;
    badSig[4] = '8';
    EXPECT_FALSE(DecodeGif(badSig.data(), badSig.size()));
    auto huge = opaque;
    const size_t desc = DescriptorOffset(opaque);
    ASSERT_EQ(huge[desc], 0x2C);
    huge[desc + 5] = 0xFF;
    huge[desc + 6] = 0xFF;
    huge[desc + 7] = 0xFF;
    huge[desc + 8] = 0xFF;
    EXPECT_FALSE(DecodeGif(huge.data(), huge.size())); // 65535 x 65535 exceeds the limit
}

TEST_F(ImageLoaderTest, PngVariantsAndBrokenFiles)
{
    const auto px = Pattern(5, 9, 77);
    for (bool interlaced : {false, true})
    {
        auto bytes = TestSupport::EncodePng(5, 9, px, false, interlaced);
        auto img = DecodePng(bytes.data(), bytes.size());
        ASSERT_TRUE(img) << interlaced;
        EXPECT_EQ(img->pixels, px);
    }
    auto grey = TestSupport::EncodePng(2, 1, {0x12, 0xFE}, true);
    auto g = DecodePng(grey.data(), grey.size());
    ASSERT_TRUE(g);
    EXPECT_EQ(g->pixels[0], Argb(255, 0x12, 0x12, 0x12));
    EXPECT_EQ(g->pixels[1], Argb(255, 0xFE, 0xFE, 0xFE));

    auto bytes = TestSupport::EncodePng(5, 9, px);
    EXPECT_FALSE(DecodePng(bytes.data(), bytes.size() / 2));
    EXPECT_FALSE(DecodePng(bytes.data(), 8));
    auto corrupt = bytes;
    corrupt[40] ^= 0xFF;
    EXPECT_FALSE(DecodePng(corrupt.data(), corrupt.size()));
}

TEST_F(ImageLoaderTest, JpegDecodesOpaqueAndRejectsBrokenFiles)
{
    auto bytes = TestSupport::EncodeJpeg(16, 8, SolidPixels(16, 8, Argb(255, 30, 140, 220)));
    auto img = DecodeJpeg(bytes.data(), bytes.size());
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, 16);
    EXPECT_EQ(img->height, 8);
    EXPECT_TRUE(PixelNear(img->pixels[50], Argb(255, 30, 140, 220), 6));
    EXPECT_FALSE(DecodeJpeg(bytes.data(), 100));
    EXPECT_FALSE(DecodeJpeg(bytes.data(), 3));
}

TEST_F(ImageLoaderTest, ApplicationLoadingAndSharedImages)
{
    Write("pic.png", TestSupport::EncodePng(4, 2, Pattern(4, 2)));
    auto dd = LoadDDImage(Path("pic"), true);
    ASSERT_TRUE(dd);
    EXPECT_EQ(dd->width, 4);
    EXPECT_EQ(dd->GetPixel(3, 1), Pattern(4, 2)[7]);
    EXPECT_FALSE(LoadDDImage(Path("nothing"), false));

    SharedImageCache cache;
    auto a = cache.GetSharedImage(Path("pic"), "");
    ASSERT_TRUE(a.image);
    EXPECT_TRUE(a.newlyLoaded);
    auto b = cache.GetSharedImage(Path("pic"), "");
    EXPECT_FALSE(b.newlyLoaded);
    EXPECT_EQ(a.image, b.image);
    auto c = cache.GetSharedImage(Path("pic"), "other");
    EXPECT_TRUE(c.newlyLoaded);
    EXPECT_NE(c.image, a.image);
    EXPECT_EQ(cache.LiveCount(), 2u);
    a.image.reset();
    b.image.reset();
    EXPECT_EQ(cache.LiveCount(), 1u);
    auto again = cache.GetSharedImage(Path("pic"), "");
    EXPECT_TRUE(again.newlyLoaded);
    auto missing = cache.GetSharedImage(Path("gone"), "");
    EXPECT_FALSE(missing.image);
    EXPECT_FALSE(missing.newlyLoaded);

    // Two threads asking at once get one image.
    SharedImageCache shared;
    SharedImageCache::Result r1, r2;
    std::thread t1([&] { r1 = shared.GetSharedImage(Path("pic"), "x"); });
    std::thread t2([&] { r2 = shared.GetSharedImage(Path("pic"), "x"); });
    t1.join();
    t2.join();
    EXPECT_EQ(r1.image, r2.image);
    EXPECT_NE(r1.newlyLoaded, r2.newlyLoaded);
}
