#include "framework/app/ResourceManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "support/ImageFileWriters.h"
#include "support/TestTemp.h"

using namespace Framework;

namespace
{

// Images are made up (8 x 8, two colours) unless their path contains
// "missing"; sounds load unless theirs does. Everything asked is recorded.
class FakeServices : public ResourceServices
{
public:
    std::vector<std::string> imagesAsked;
    std::vector<uint32_t> colorKeys;
    std::map<int32_t, std::string> sounds;
    std::map<int32_t, double> volumes;
    std::map<int32_t, int32_t> pans;
    std::vector<std::string> errorBoxes;
    std::map<std::string, std::shared_ptr<DDImage>> cache;

    SharedImageCache::Result GetSharedImage(const std::string& path, const std::string&) override
    {
        imagesAsked.push_back(path);
        SharedImageCache::Result result;
        if (path.find("missing") != std::string::npos)
            return result;
        auto& image = cache[path];
        result.newlyLoaded = image == nullptr;
        if (image == nullptr)
        {
            image = std::make_shared<DDImage>();
            image->Allocate(8, 8);
            for (int i = 0; i < 64; ++i)
                image->GetPixels()[i] = i % 2 ? 0xFFFFFFFFu : 0xFF000000u;
            image->PixelsChanged();
        }
        result.image = image;
        return result;
    }
    void ShowErrorBox(const std::string& text) override { errorBoxes.push_back(text); }
    void SetColorKey(uint32_t rgb) override { colorKeys.push_back(rgb); }
    bool LoadSoundAt(int32_t id, const std::string& path) override
    {
        if (path.find("missing") != std::string::npos)
            return false;
        sounds[id] = path;
        return true;
    }
    void SetSoundBaseVolume(int32_t id, double volume) override { volumes[id] = volume; }
    void SetSoundBasePan(int32_t id, int32_t pan) override { pans[id] = pan; }
};

std::string TempFile(const std::string& name, const std::string& content)
{
    std::filesystem::path dir = TestSupport::TestTempDir("resources");
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

struct Fixture : ::testing::Test
{
    FakeServices services;
    ResourceManager manager{&services};
    std::string file;

    bool Read(const std::string& body)
    {
        file = TempFile("manifest.xml", "<ResourceManifest>\n" + body + "</ResourceManifest>\n");
        return manager.ReadManifest(file);
    }
};

using ResourceManifest = Fixture;
using ResourceLoading = Fixture;

} // namespace

TEST_F(ResourceManifest, IdentifiersFromPathAndPrefix)
{
    ASSERT_TRUE(Read("<Resources id=\"Init\">\n"
                     "  <SetDefaults path=\"res\\\" idprefix=\"IMAGE_\"/>\n"
                     "  <Image path=\"images\\ball.png\"/>\n"
                     "  <Image id=\"LOGO\" path=\"logo.png\" rows=\"2\" cols=\"3\" alphacolor=\"FF00FF\" nopal=\"\"/>\n"
                     "  <Image id=\"SCREEN\" path=\"!program\"/>\n"
                     "  <SetDefaults path=\"\" idprefix=\"\"/>\n"
                     "  <Sound id=\"BEEP\" path=\"beep\" volume=\"0.5\" pan=\"-20\"/>\n"
                     "</Resources>\n"
                     "<Resources id=\"Game\">\n"
                     "  <Image path=\"sub/x.png\"/>\n"
                     "  <Font id=\"F\" path=\"f.txt\" image=\"f.png\" tags=\"bold, shadow\tbig\"/>\n"
                     "</Resources>\n"))
        << manager.ErrorText();
    const ImageRes* ball = manager.FindImage("IMAGE_ball");
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->path, "res/images\\ball.png");
    EXPECT_EQ(ball->group, "Init");
    const ImageRes* logo = manager.FindImage("IMAGE_LOGO");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->rows, 2);
    EXPECT_EQ(logo->cols, 3);
    EXPECT_EQ(logo->alphaColour, 0xFF00FFu);
    EXPECT_FALSE(logo->palettize);
    EXPECT_TRUE(manager.FindImage("IMAGE_SCREEN")->programMade);
    EXPECT_EQ(manager.FindImage("IMAGE_SCREEN")->path, "!program");
    // Empty defaults leave the earlier ones; they persist into the next group.
    const SoundRes* beep = manager.FindSound("IMAGE_BEEP");
    ASSERT_NE(beep, nullptr);
    EXPECT_EQ(beep->path, "res/beep");
    EXPECT_DOUBLE_EQ(beep->volume, 0.5);
    EXPECT_EQ(beep->pan, -20);
    ASSERT_NE(manager.FindImage("IMAGE_x"), nullptr);
    EXPECT_EQ(manager.FindImage("IMAGE_x")->group, "Game");
    const FontRes* font = manager.FindFont("IMAGE_F");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->imagePath, "res/f.png");
    EXPECT_EQ(font->tags, (std::vector<std::string>{"bold", "shadow", "big"}));

    EXPECT_EQ(manager.CountResources("Init"), 3); // "!program" is not counted
    EXPECT_EQ(manager.CountResources("Game"), 2);
    EXPECT_EQ(manager.CountResources(""), 6);
}

TEST_F(ResourceManifest, AnimationKindIgnoresCase)
{
    ASSERT_TRUE(Read("<Resources id=\"G\">\n"
                     "<Image id=\"A\" path=\"a.png\" cols=\"4\" anim=\"LOOP\" framedelay=\"5\"/>\n"
                     "<Image id=\"B\" path=\"b.png\" cols=\"3\" anim=\"PingPong\" perframedelay=\"1,2 3\"/>\n"
                     "</Resources>\n"))
        << manager.ErrorText();
    const ImageRes* a = manager.FindImage("A");
    ASSERT_TRUE(a->animation.has_value());
    EXPECT_EQ(a->animation->type, AnimType_Loop);
    EXPECT_EQ(a->animation->totalTime, 20);
    const ImageRes* b = manager.FindImage("B");
    EXPECT_EQ(b->animation->type, AnimType_PingPong);
    EXPECT_EQ(b->animation->frameMap, (std::vector<int32_t>{0, 1, 2, 1}));

    ResourceManager other(&services);
    file = TempFile("anim.xml", "<ResourceManifest><Resources id=\"G\">\n\n<Image path=\"a.png\" anim=\"spin\"/>"
                                "</Resources></ResourceManifest>");
    EXPECT_FALSE(other.ReadManifest(file));
    EXPECT_EQ(other.ErrorText(), "Invalid animation type. on Line 3 in File '" + file + "'");
}

TEST_F(ResourceManifest, ErrorsCarryLineAndFirstOneWins)
{
    struct Case
    {
        const char* body;
        const char* message;
        int line;
    };
    const Case cases[] = {
        {"<Resources id=\"G\">\n<Image path=\"a.png\"/>\n<Image id=\"a\" path=\"b.png\"/>\n</Resources>\n",
         "Resource already defined.", 4},
        {"<Resources>\n</Resources>\n", "No id specified.", 2},
        {"<Group id=\"G\"/>\n", "Invalid Section 'Group'", 2},
        {"<Resources id=\"G\"><Picture path=\"a\"/></Resources>\n", "Invalid Section 'Picture'", 2},
        {"<Resources id=\"G\"><Image id=\"A\"/></Resources>\n", "No path specified.", 2},
        {"<Resources id=\"G\"><Image path=\"a\" /><Image path=\"b\"/></Resources>\n", "Unexpected element found.", 2},
        {"words\n", "Element Not Expected 'words'", 3},
        {"<Resources id=\"G\"></Other>\n", "End 'Other' Doesn't Match Start 'Resources'", 2},
    };
    for (const Case& c : cases)
    {
        ResourceManager local(&services);
        file = TempFile("errors.xml", std::string("<ResourceManifest>\n") + c.body + "</ResourceManifest>\n");
        EXPECT_FALSE(local.ReadManifest(file)) << c.body;
        EXPECT_EQ(local.ErrorText(),
                  std::string(c.message) + " on Line " + std::to_string(c.line) + " in File '" + file + "'")
            << c.body;
    }

    // A file cut off inside a group is an error, not a partial success.
    ResourceManager cut(&services);
    file = TempFile("cut.xml", "<ResourceManifest>\n<Resources id=\"G\">\n<Image path=\"a.png\"/>\n");
    EXPECT_FALSE(cut.ReadManifest(file));
    EXPECT_EQ(cut.ErrorText(), "Unexpected End of File on Line 4 in File '" + file + "'");

    ResourceManager wrongRoot(&services);
    EXPECT_FALSE(wrongRoot.ReadManifest(TempFile("root.xml", "<Manifest></Manifest>")));
    EXPECT_EQ(wrongRoot.ErrorText().rfind("Expecting ResourceManifest tag on Line 1", 0), 0u);

    ResourceManager missing(&services);
    EXPECT_FALSE(missing.ReadManifest("/nonexistent/resources.xml"));
    EXPECT_EQ(missing.ErrorText(), "Resource file not found: /nonexistent/resources.xml");
    EXPECT_FALSE(missing.RecordError("second"));
    EXPECT_EQ(missing.ErrorText(), "Resource file not found: /nonexistent/resources.xml");
}

TEST_F(ResourceLoading, GroupsStepsAndLookups)
{
    ASSERT_TRUE(Read(
        "<Resources id=\"Init\">\n"
        "  <Image id=\"A\" path=\"a.png\" rows=\"2\" cols=\"4\" alphacolor=\"00FF00\" a4r4g4b4=\"\" nobits2d=\"\"/>\n"
        "  <Image id=\"P\" path=\"!program\"/>\n"
        "  <Sound id=\"S1\" path=\"s1\" volume=\"0.25\"/>\n"
        "  <Sound id=\"S2\" path=\"s2\" pan=\"30\"/>\n"
        "</Resources>\n"
        "<Resources id=\"Media\">\n"
        "  <Image id=\"M1\" path=\"missing1.png\"/>\n"
        "  <Image id=\"M2\" path=\"missing2.png\"/>\n"
        "  <Image id=\"OK\" path=\"ok.png\"/>\n"
        "</Resources>\n"))
        << manager.ErrorText();

    ASSERT_TRUE(manager.LoadGroup("Init")) << manager.ErrorText();
    EXPECT_TRUE(manager.IsGroupLoaded("Init"));
    auto image = manager.RequireImage("A");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->rows, 2);
    EXPECT_EQ(image->columns, 4);
    EXPECT_EQ(image->imageFlags, uint32_t(MemoryImage::ImageFlag_UseA4R4G4B4));
    EXPECT_TRUE(image->wantPurgeBits);
    EXPECT_FALSE(image->palette.empty()); // two colours: palettised
    EXPECT_EQ(services.colorKeys, (std::vector<uint32_t>{0x00FF00, 0xFFFFFF}));
    EXPECT_EQ(manager.RequireSound("S1"), 0);
    EXPECT_EQ(manager.RequireSound("S2"), 1);
    EXPECT_EQ(services.volumes, (std::map<int32_t, double>{{0, 0.25}}));
    EXPECT_EQ(services.pans, (std::map<int32_t, int32_t>{{1, 30}}));

    // A program-made resource is an error unless tolerated.
    EXPECT_THROW(manager.RequireImage("P"), ResourceManagerException);
    manager.LoadGroup("Init");
    manager.tolerateProgramMade = true;
    EXPECT_EQ(manager.RequireImage("P"), nullptr);
    try
    {
        manager.RequireFont("NOPE");
        FAIL() << "no exception";
    }
    catch (const ResourceManagerException& e)
    {
        EXPECT_STREQ(e.what(), "Font resource not found: NOPE");
    }

    // The first failure wins and stops the steps until the next LoadGroup.
    EXPECT_FALSE(manager.LoadGroup("Media"));
    EXPECT_EQ(manager.ErrorText(), "Failed to load image: missing1.png");
    EXPECT_FALSE(manager.LoadStep());
    EXPECT_FALSE(manager.IsGroupLoaded("Media"));
    EXPECT_EQ(manager.FindImage("OK")->image, nullptr);

    manager.FreeGroup("Init");
    EXPECT_FALSE(manager.IsGroupLoaded("Init"));
    EXPECT_EQ(manager.FindImage("A")->image, nullptr);
    EXPECT_EQ(manager.FindSound("S1")->soundId, -1);
    EXPECT_THROW(manager.RequireSound("S1"), ResourceManagerException);
}

TEST_F(ResourceLoading, StepwiseLoadCountsEveryResource)
{
    ASSERT_TRUE(Read("<Resources id=\"Game\"><Image id=\"A\" path=\"a.png\"/><Image id=\"B\" path=\"b.png\"/>"
                     "<Sound id=\"S\" path=\"s\"/></Resources>\n"
                     "<Resources id=\"Other\"><Image id=\"C\" path=\"c.png\"/></Resources>\n"));
    manager.BeginGroupLoad("Game");
    int steps = 0;
    while (manager.LoadStep())
        ++steps;
    EXPECT_EQ(steps, manager.CountResources("Game"));
    EXPECT_EQ(manager.FindImage("C")->image, nullptr);
    EXPECT_FALSE(manager.HasFailed());
}

TEST_F(ResourceLoading, FontsWithReferencesAndTags)
{
    TempFile("tiny.txt", "CreateLayer Main;\n"
                         "LayerRequireTags Main (\"bold\");\n"
                         "LayerSetImageMap Main (\"A\") ((0 0 4 4));\n"
                         "LayerSetCharWidths Main (\"A\") (5);\n");
    TempFile("broken.txt", "CreateLayer Main;\nLayerSetSpacing Main X;\n");
    ASSERT_TRUE(Read("<Resources id=\"Init\">\n"
                     "<Font id=\"TINY\" path=\"tiny.txt\" image=\"tiny.png\" tags=\"bold\"/>\n"
                     "<Font id=\"TINY_REF\" path=\"!ref:TINY\" tags=\"shadow\"/>\n"
                     "</Resources>\n"
                     "<Resources id=\"Broken\"><Font id=\"B\" path=\"broken.txt\"/></Resources>\n"
                     "<Resources id=\"BadRef\"><Font id=\"R\" path=\"!ref:NONE\"/></Resources>\n"))
        << manager.ErrorText();
    // Relative paths in the manifest are used as written; put the files beside it.
    const std::string folder = std::filesystem::path(file).parent_path().string() + "/";
    for (const char* id : {"TINY", "B"})
        const_cast<FontRes*>(manager.FindFont(id))->path = folder + manager.FindFont(id)->path;

    ASSERT_TRUE(manager.LoadGroup("Init")) << manager.ErrorText();
    auto* tiny = dynamic_cast<ImageFont*>(manager.RequireFont("TINY"));
    ASSERT_NE(tiny, nullptr);
    EXPECT_TRUE(tiny->HasTag("BOLD"));
    EXPECT_EQ(tiny->GlyphWidth('A'), 5); // the layer needs BOLD
    auto* ref = dynamic_cast<ImageFont*>(manager.RequireFont("TINY_REF"));
    ASSERT_NE(ref, nullptr);
    EXPECT_NE(ref, tiny);
    EXPECT_EQ(ref->GetFontData(), tiny->GetFontData());
    EXPECT_TRUE(ref->HasTag("BOLD"));
    EXPECT_TRUE(ref->HasTag("SHADOW"));

    EXPECT_FALSE(manager.LoadGroup("Broken"));
    EXPECT_EQ(manager.ErrorText(), "Failed to load font: " + folder + "broken.txt");
    ASSERT_EQ(services.errorBoxes.size(), 1u);
    EXPECT_NE(services.errorBoxes[0].find("Invalid Paramater Type on Line 2"), std::string::npos);

    EXPECT_FALSE(manager.LoadGroup("BadRef"));
    EXPECT_EQ(manager.ErrorText(), "Ref font not found: NONE");
}

TEST_F(ResourceLoading, AlphaImagesAndGrids)
{
    const std::string folder = std::filesystem::path(TempFile("unused", "")).parent_path().string();
    TestSupport::WriteFile(folder + "/alpha8.tga",
                           TestSupport::EncodeTga(8, 8, std::vector<uint32_t>(64, 0xFF000040u)));
    TestSupport::WriteFile(folder + "/grid4.tga", TestSupport::EncodeTga(4, 4, std::vector<uint32_t>(16, 0xFF0000A0u)));
    ASSERT_TRUE(Read("<Resources id=\"G\"><SetDefaults path=\"" + folder +
                     "\"/>\n"
                     "<Image id=\"A\" path=\"a.png\" alphaimage=\"alpha8.tga\"/>\n"
                     "<Image id=\"B\" path=\"b.png\" rows=\"2\" cols=\"2\" alphagrid=\"grid4.tga\"/>\n"
                     "</Resources>\n"
                     "<Resources id=\"Bad\"><Image id=\"C\" path=\"c.png\" alphaimage=\"grid4.tga\"/></Resources>\n"
                     "<Resources id=\"BadGrid\"><Image id=\"D\" path=\"d.png\" alphagrid=\"alpha8.tga\" "
                     "cols=\"2\"/></Resources>\n"
                     "<Resources id=\"NoFile\"><Image id=\"E\" path=\"e.png\" alphaimage=\"none.tga\"/></Resources>\n"))
        << manager.ErrorText();
    ASSERT_TRUE(manager.LoadGroup("G")) << manager.ErrorText();
    EXPECT_EQ(manager.RequireImage("A")->GetPixel(3, 3) >> 24, 0x40u);
    auto b = manager.RequireImage("B");
    EXPECT_EQ(b->GetPixel(0, 0) >> 24, 0xA0u);
    EXPECT_EQ(b->GetPixel(7, 7) >> 24, 0xA0u);

    EXPECT_FALSE(manager.LoadGroup("Bad"));
    EXPECT_EQ(manager.ErrorText(),
              "AlphaImage size mismatch between " + folder + "/c.png and " + folder + "/grid4.tga");
    EXPECT_FALSE(manager.LoadGroup("BadGrid"));
    EXPECT_EQ(manager.ErrorText(),
              "GridAlphaImage size mismatch between " + folder + "/d.png and " + folder + "/alpha8.tga");
    EXPECT_FALSE(manager.LoadGroup("NoFile"));
    EXPECT_EQ(manager.ErrorText(), "Failed to load image: " + folder + "/none.tga");
}

TEST_F(ResourceLoading, LoadingThreadBesideMainThreadReads)
{
    TempFile("thread.txt", "CreateLayer Main;\nLayerSetImage Main \"glyphs.png\";\n"
                           "LayerSetImageMap Main (\"A\") ((0 0 4 4));\nLayerSetCharWidths Main (\"A\") (5);\n");
    std::string body = "<Resources id=\"Init\"><Image id=\"I\" path=\"i.png\"/>"
                       "<Font id=\"F\" path=\"thread.txt\"/></Resources>\n<Resources id=\"Game\">";
    for (int i = 0; i < 100; ++i)
        body += "<Image id=\"G" + std::to_string(i) + "\" path=\"g" + std::to_string(i) + ".png\"/>";
    ASSERT_TRUE(Read(body + "</Resources>\n"));
    const std::string folder = std::filesystem::path(file).parent_path().string() + "/";
    const_cast<FontRes*>(manager.FindFont("F"))->path = folder + "thread.txt";
    ASSERT_TRUE(manager.LoadGroup("Init")) << manager.ErrorText();

    const int32_t total = manager.CountResources("Game");
    std::atomic<int32_t> done{0};
    std::thread loader(
        [&]
        {
            manager.BeginGroupLoad("Game");
            while (manager.LoadStep())
                ++done;
        });
    DDImage canvas;
    canvas.Allocate(32, 16);
    Graphics g(&canvas);
    Font* font = manager.RequireFont("F");
    while (done < total)
    {
        font->DrawText(&g, 0, 10, "AAA", Color::White(), Rect(0, 0, 32, 16));
        EXPECT_NE(manager.RequireImage("I"), nullptr);
        EXPECT_FALSE(manager.HasFailed());
    }
    loader.join();
    EXPECT_EQ(done, 100);
    EXPECT_NE(manager.FindImage("G99")->image, nullptr);
}
