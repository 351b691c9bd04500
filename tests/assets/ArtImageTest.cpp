// The generated images and image fonts: every manifest image decodes with
// libpng, its size splits into its cel grid, and the frame sizes and cel
// counts are those the game's screens and sprites draw with.
#include "assets/ManifestEntries.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
const std::string kData = FROTHWICK_DATA_DIR;

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    int Alpha(int x, int y) const { return int(At(x, y) >> 24); }
};

bool DecodePng(const std::string& path, Picture& pic)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (!setjmp(png_jmpbuf(png)))
    {
        png_init_io(png, f);
        png_set_user_limits(png, 8192, 8192);
        png_read_info(png, info);
        png_set_palette_to_rgb(png);
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_tRNS_to_alpha(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        png_set_bgr(png);
        png_read_update_info(png, info);
        pic.width = int(png_get_image_width(png, info));
        pic.height = int(png_get_image_height(png, info));
        pic.pixels.assign(size_t(pic.width) * pic.height, 0);
        std::vector<png_bytep> rows(pic.height);
        for (int y = 0; y < pic.height; ++y)
            rows[y] = reinterpret_cast<png_bytep>(&pic.pixels[size_t(y) * pic.width]);
        png_read_image(png, rows.data());
        ok = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return ok;
}

struct Loaded
{
    Picture pic;
    int cols = 1;
    int rows = 1;
};

// Every manifest image, decoded once for all tests.
const std::map<std::string, Loaded>& Images()
{
    static const std::map<std::string, Loaded> images = []
    {
        std::map<std::string, Loaded> m;
        std::vector<ManifestEntry> entries;
        std::string err;
        if (!ReadManifestFile(kData + "/properties/resources.xml", entries, err))
            return m;
        for (const ManifestEntry& e : entries)
        {
            if (e.type != "Image")
                continue;
            Loaded l;
            if (!DecodePng(kData + "/" + e.path, l.pic))
                continue;
            if (e.attributes.count("cols"))
                l.cols = std::stoi(e.attributes.at("cols"));
            if (e.attributes.count("rows"))
                l.rows = std::stoi(e.attributes.at("rows"));
            m[e.id.substr(6)] = std::move(l);
        }
        return m;
    }();
    return images;
}

const Loaded& Get(const std::string& id)
{
    static const Loaded none;
    auto it = Images().find(id);
    return it == Images().end() ? none : it->second;
}

int CelW(const Loaded& l)
{
    return l.pic.width / l.cols;
}
} // namespace

TEST(ArtImages, EveryManifestImageDecodesAndSplitsIntoItsGrid)
{
    std::vector<ManifestEntry> entries;
    std::string err;
    ASSERT_TRUE(ReadManifestFile(kData + "/properties/resources.xml", entries, err)) << err;
    int images = 0;
    for (const ManifestEntry& e : entries)
    {
        if (e.type != "Image")
            continue;
        ++images;
        const Loaded& l = Get(e.id.substr(6));
        ASSERT_GT(l.pic.width, 0) << e.id << " (" << e.path << ") does not decode";
        EXPECT_EQ(l.pic.width % l.cols, 0) << e.id;
        EXPECT_EQ(l.pic.height % l.rows, 0) << e.id;
        bool anyVisible = std::any_of(l.pic.pixels.begin(), l.pic.pixels.end(), [](uint32_t p) { return p >> 24; });
        EXPECT_TRUE(anyVisible) << e.id << " is fully transparent";
    }
    EXPECT_EQ(images, 202);
}

TEST(ArtImages, ButtonStripsHaveTheFrameSizesTheirScreensUse)
{
    struct Strip
    {
        const char* id;
        int w, h, frames;
    };
    const Strip strips[] = {
        {"ARCADE", 126, 20, 3},
        {"QUEST", 116, 20, 3},
        {"TIMEATTACK", 112, 18, 4},
        {"SETTING", 84, 19, 3},
        {"QUITGAME", 102, 20, 3},
        {"EASY", 46, 18, 3},
        {"NORMAL", 78, 20, 3},
        {"HARD", 50, 18, 4},
        {"EXPERT", 66, 18, 4},
        {"BUTTON_BACK", 40, 16, 4},
        {"MINMIZE_BUTTON", 17, 17, 4},
        {"MAXMIZE_BUTTON", 17, 17, 4},
        {"EXIT_BUTTON", 17, 17, 4},
        {"START", 122, 30, 3},
        {"CREAT", 122, 30, 3},
        {"PAGE_LEFT", 14, 18, 4},
        {"PAGE_RIGHT", 14, 18, 4},
        {"BUTTON_CREATE_OK", 122, 30, 3},
        {"BUTTON_CREATE_CANCEL", 122, 30, 3},
        {"BUTTON_CREATE_BROWSE", 60, 16, 4},
        {"BUTTON_RESUME", 110, 36, 3},
        {"BUTTON_TIP_CLOSE", 44, 16, 4},
        {"EXIT_YES", 28, 16, 3},
        {"EXIT_NO", 26, 16, 3},
        {"BACKTO", 183, 27, 4},
        {"TRY_AGAIN", 102, 27, 4},
        {"HIGHSCORE_CONTINUE", 102, 27, 4},
        {"BACK_TO_MAINMENU", 191, 27, 4},
        {"OK", 26, 16, 4},
        {"BUTTON_CHGMODE", 102, 56, 4},
        {"BUTTON_HIGHSCORES", 158, 35, 4},
        {"BUTTON_PAUSE", 90, 36, 4},
        {"BUTTON_PLAYERSETTINGS", 125, 56, 4},
        {"BUTTON_TIPS", 59, 30, 4},
    };
    for (const Strip& s : strips)
    {
        const Loaded& l = Get(s.id);
        EXPECT_EQ(l.pic.height, s.h) << s.id;
        EXPECT_EQ(l.pic.width, s.w * l.cols) << s.id << ": frames must be " << s.w << " wide";
        EXPECT_EQ(l.cols, s.frames) << s.id;
    }
    for (int n = 1; n <= 16; ++n)
    {
        std::string id = (n < 10 ? "STAGE0" : "STAGE") + std::to_string(n);
        const Loaded& l = Get(id);
        EXPECT_EQ(l.pic.width, 37 * 4) << id;
        EXPECT_EQ(l.pic.height, 43) << id;
    }
}

TEST(ArtImages, FlipBooksAndStripsHaveTheCelCountsTheirAnimationsPlay)
{
    const std::map<std::string, int> exact = {{"BOMB_BURST", 15},   {"LAVA_DRY_UP", 18},  {"PLANT_GONE", 22},
                                              {"SNOWMAN_HIT", 5},   {"FLAME", 7},         {"BURST", 8},
                                              {"BURSTWIND", 8},     {"SNOWMAN_N", 2},     {"NUMBER_SCORE", 10},
                                              {"STAGE_NUMBER", 10}, {"NUMBER_LEVEL", 10}, {"SYMBOL_NUMBER", 10}};
    for (const auto& [id, cels] : exact)
        EXPECT_EQ(Get(id).cols * Get(id).rows, cels) << id;
    EXPECT_GE(Get("GREEN_EAT").cols, 11);
    EXPECT_GE(Get("WALL_FIRE").cols, 7);
    EXPECT_EQ(Get("ICELIGHT").cols, Get("ICE").cols);
    for (const char* wind : {"WIND_LEFT", "WIND_RIGHT", "WIND_UPPER"})
        EXPECT_EQ(Get("WIND_STOP").cols, Get(wind).cols) << wind;
    EXPECT_EQ(CelW(Get("STAGE_NUMBER")), 30);
    EXPECT_LE(CelW(Get("NUMBER_SCORE")), 18);
    for (const char* burst : {"BURST", "BURSTWIND"})
    {
        const Loaded& l = Get(burst);
        EXPECT_NEAR(CelW(l), 31, 2) << burst;
        EXPECT_NEAR(l.pic.height, 66, 4) << burst;
        // the effect grows from the bottom of its cel
        long top = 0, bottom = 0;
        for (int y = 0; y < l.pic.height; ++y)
            for (int x = 0; x < l.pic.width; ++x)
                (y < l.pic.height / 2 ? top : bottom) += l.pic.Alpha(x, y);
        EXPECT_GT(bottom, top) << burst;
    }
}

TEST(ArtImages, BubblesAreCellSizedAndTellTheirColoursApartByShape)
{
    const char* colours[] = {"BUBBLE_RED",   "BUBBLE_YELLOW", "BUBBLE_BLUE",
                             "BUBBLE_GREEN", "BUBBLE_AQUA",   "BUBBLE_FUCHSIA"};
    std::vector<std::vector<bool>> marks;
    for (const char* id : colours)
    {
        const Loaded& l = Get(id);
        ASSERT_EQ(CelW(l), 31) << id;
        ASSERT_EQ(l.pic.height, 31) << id;
        // the light inner mark, below the gloss highlight
        std::vector<bool> mark;
        for (int y = 12; y < 26; ++y)
            for (int x = 8; x < 24; ++x)
            {
                uint32_t p = l.pic.At(x, y);
                int lo = std::min({int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)});
                mark.push_back(lo > 190);
            }
        marks.push_back(mark);
    }
    for (size_t a = 0; a < marks.size(); ++a)
        for (size_t b = a + 1; b < marks.size(); ++b)
        {
            int diff = 0;
            for (size_t i = 0; i < marks[a].size(); ++i)
                diff += marks[a][i] != marks[b][i];
            EXPECT_GE(diff, 12) << colours[a] << " and " << colours[b] << " carry the same mark";
        }
    EXPECT_EQ(CelW(Get("BUBBLE_BLACK")), 31);
    EXPECT_EQ(Get("BUBBLE_BLACK").pic.height, 31);
}

TEST(ArtImages, PanelsAndScreensFitTheWidgetsThatDrawThem)
{
    struct Size
    {
        const char* id;
        int w, h;
    };
    const Size sizes[] = {
        {"LOGIN_UI", 370, 142},
        {"CREAT_UI", 370, 259},
        {"SETTINGS_UI", 384, 320},
        {"EXIT_UI", 490, 107},
        {"WARNING_EMPTY", 490, 107},
        {"WARNING_ALREADY_EXISTS", 490, 107},
        {"WARNING_MUST_CREATE", 490, 107},
        {"UI_MAIN", 196, 190},
        {"UI_DIFF", 196, 190},
        {"TITLEBAR", 800, 25},
        {"ALLCLEAR", 600, 331},
        {"CLEARONE", 600, 331},
        {"AVATAR_FRAME", 80, 80},
        {"BACKGROUND", 800, 600},
        {"BG_WATER", 800, 600},
        {"BG_FIRE", 800, 600},
        {"BG_EARTH", 800, 600},
        {"BG_AIR", 800, 600},
        {"LOADER_SCREEN", 800, 600},
        {"HIGHSCORE", 700, 555},
    };
    for (const Size& s : sizes)
    {
        EXPECT_EQ(Get(s.id).pic.width, s.w) << s.id;
        EXPECT_EQ(Get(s.id).pic.height, s.h) << s.id;
    }
    for (const char* help :
         {"COMMON1", "COMMON2", "WATER1", "WATER2", "FIRE1", "FIRE2", "EARTH1", "EARTH2", "AIR1", "AIR2"})
    {
        EXPECT_EQ(Get(help).pic.width, 535) << help;
        EXPECT_EQ(Get(help).pic.height, 555) << help;
    }
    EXPECT_GE(Get("STAGESELECTOR_BG").pic.width, 392);
    EXPECT_GE(Get("STAGESELECTOR_BG").pic.height, 376);
    // the avatar shows through the frame's centre
    EXPECT_EQ(Get("AVATAR_FRAME").pic.Alpha(40, 40), 0);
    EXPECT_GT(Get("AVATAR_FRAME").pic.Alpha(2, 40), 0);
    EXPECT_LE(Get("FULLMARK").pic.width, 17);
    EXPECT_LE(Get("FULLMARK").pic.height, 17);
    EXPECT_LE(Get("VOL_MARK").pic.height, 19);
    // the loader bar is drawn over the empty bar from (263, 412)
    EXPECT_EQ(Get("LOADER_BAR").pic.width, Get("LOADER_EMPTY").pic.width);
    EXPECT_EQ(Get("LOADER_BAR").pic.height, Get("LOADER_EMPTY").pic.height);
    EXPECT_LE(263 + Get("LOADER_BAR").pic.width, 800);
    EXPECT_LE(Get("CORVANE_LOGO").pic.height, 80);
    EXPECT_LE(Get("LOGO_TAMSERY").pic.width, 120);
    EXPECT_LE(Get("LOGO_TAMSERY").pic.height, 67);
    for (const char* banner : {"GAMEOVER", "YOUWIN", "STAGECLEAR"})
        EXPECT_LE(Get(banner).pic.width, 500) << banner;
    // the world spheres: two square cels of the sphere's size
    const Loaded& sphere = Get("SPHERE");
    EXPECT_EQ(sphere.pic.width, sphere.pic.height);
    EXPECT_LE(sphere.pic.width, 172);
    for (const char* world : {"ICEWORLD", "FIREWORLD", "EARTHWORLD", "AIRWORLD"})
    {
        EXPECT_EQ(Get(world).cols, 2) << world;
        EXPECT_EQ(CelW(Get(world)), sphere.pic.width) << world;
        EXPECT_EQ(Get(world).pic.height, sphere.pic.height) << world;
    }
    for (const char* label : {"BUTTON_WATER", "BUTTON_FIRE", "BUTTON_EARTH", "BUTTON_AIR"})
    {
        EXPECT_EQ(Get(label).cols, 2) << label;
        EXPECT_LE(Get(label).pic.height, 34) << label;
    }
}

TEST(ArtImages, CursorsHaveInkUnderTheHotSpotsWrittenBesideThem)
{
    std::ifstream table(kData + "/images/cursor/hotspots.txt");
    ASSERT_TRUE(table) << "the hot spot table beside the cursor images";
    std::map<std::string, std::pair<int, int>> spots;
    std::string line;
    while (std::getline(table, line))
    {
        std::istringstream fields(line);
        std::string id;
        int x = 0, y = 0;
        if (line.empty() || line[0] == '#' || !(fields >> id >> x >> y))
            continue;
        spots[id] = {x, y};
    }
    // The clicks of the system shapes: arrow tip, finger tip (11, 4), the
    // closed hand (15, 10) and the beam's middle.
    const std::map<std::string, std::pair<int, int>> expected{{"CUSTOM_POINTER", {1, 1}},
                                                              {"CUSTOM_HAND", {11, 4}},
                                                              {"CUSTOM_DRAGGING", {15, 10}},
                                                              {"CUSTOM_TEXT", {5, 10}}};
    EXPECT_EQ(spots, expected);
    for (const auto& [id, spot] : spots)
    {
        const Picture& p = Get(id).pic;
        EXPECT_LE(p.width, 64) << id;
        EXPECT_LE(p.height, 64) << id;
        int inked = 0;
        for (int y = std::max(spot.second - 1, 0); y <= std::min(spot.second + 1, p.height - 1); ++y)
            for (int x = std::max(spot.first - 1, 0); x <= std::min(spot.first + 1, p.width - 1); ++x)
                inked += p.Alpha(x, y) > 128;
        EXPECT_GE(inked, 3) << id << " has no ink under its hot spot";
    }
}

namespace
{
std::string ReadText(const std::string& path);
}

TEST(ArtFiles, AvatarsSplashAndIconExistAndTheMenuEntryRunsTheGame)
{
    int avatars = 0;
    for (const auto& entry : fs::directory_iterator(kData + "/images/avatar"))
    {
        Picture p;
        ASSERT_TRUE(DecodePng(entry.path().string(), p)) << entry.path();
        EXPECT_EQ(p.width, p.height) << entry.path();
        ++avatars;
    }
    EXPECT_GE(avatars, 8);
    // the desktop icons make install puts in the hicolor theme
    for (int size : {16, 32, 48, 64, 128, 256})
    {
        Picture p;
        std::string path = kData + "/images/icons/" + std::to_string(size) + ".png";
        ASSERT_TRUE(DecodePng(path, p)) << path;
        EXPECT_EQ(p.width, size) << path;
        EXPECT_EQ(p.height, size) << path;
    }
    Picture splash, icon;
    ASSERT_TRUE(DecodePng(kData + "/images/splash.png", splash));
    EXPECT_EQ(splash.width, 300);
    EXPECT_EQ(splash.height, 150);
    EXPECT_TRUE(DecodePng(kData + "/images/icon.png", icon));
}

namespace
{
std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The integers of a "Define NAME ( ... );" list, flattened.
std::vector<int> DefinedNumbers(const std::string& text, const std::string& name)
{
    std::vector<int> out;
    size_t p = text.find("Define " + name + " ");
    if (p == std::string::npos)
        return out;
    size_t end = text.find(';', p);
    std::string body = text.substr(p + 8 + name.size(), end - p - 8 - name.size());
    std::regex num("-?[0-9]+");
    for (std::sregex_iterator it(body.begin(), body.end(), num), e; it != e; ++it)
        out.push_back(std::stoi(it->str()));
    return out;
}
} // namespace

TEST(ArtFonts, DescriptorsNameLayerImagesThatHoldEveryGlyph)
{
    std::vector<ManifestEntry> entries;
    std::string err;
    ASSERT_TRUE(ReadManifestFile(kData + "/properties/resources.xml", entries, err)) << err;
    int fonts = 0;
    for (const ManifestEntry& e : entries)
    {
        if (e.type != "Font")
            continue;
        ++fonts;
        std::string path = kData + "/" + e.path;
        std::string text = ReadText(path);
        ASSERT_FALSE(text.empty()) << path;
        std::string dir = fs::path(path).parent_path().string();
        std::regex layerRe("CreateLayer (\\w+);");
        int layers = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), layerRe), end; it != end; ++it)
        {
            std::string layer = (*it)[1];
            ++layers;
            std::smatch m;
            ASSERT_TRUE(std::regex_search(text, m, std::regex("LayerSetImage " + layer + " \"([^\"]+)\";")))
                << e.id << " " << layer;
            Picture pic;
            ASSERT_TRUE(DecodePng(dir + "/" + m[1].str(), pic)) << e.id << ": " << m[1];
            EXPECT_NE(text.find("LayerSetAscent " + layer + " "), std::string::npos) << e.id << " " << layer;
            ASSERT_TRUE(std::regex_search(text, m, std::regex("LayerSetImageMap " + layer + " Chars (\\w+);")));
            std::vector<int> rects = DefinedNumbers(text, m[1]);
            ASSERT_EQ(rects.size(), 95u * 4) << e.id << ": one rectangle per printable character";
            for (size_t i = 0; i < rects.size(); i += 4)
            {
                EXPECT_GE(rects[i], 0);
                EXPECT_LE(rects[i] + rects[i + 2], pic.width) << e.id;
                EXPECT_LE(rects[i + 1] + rects[i + 3], pic.height) << e.id;
            }
            if (layer == "Main")
            {
                // glyph layers are white: callers colour them
                for (uint32_t px : pic.pixels)
                {
                    if ((px >> 24) > 0)
                    {
                        ASSERT_EQ(px & 0xFFFFFF, 0xFFFFFFu) << e.id;
                    }
                }
                if (e.id == "FONT_VERDANA10BOLD")
                {
                    std::vector<int> offsets = DefinedNumbers(text, "MainOffsets");
                    ASSERT_EQ(offsets.size(), 95u * 2);
                    for (size_t i = 0; i < 95; ++i)
                        EXPECT_LE(rects[i * 4 + 3] + offsets[i * 2 + 1], 14) << "taller than the name field";
                }
            }
        }
        EXPECT_GE(layers, 1) << e.id;
        EXPECT_EQ(DefinedNumbers(text, "Widths").size(), 95u) << e.id;
    }
    EXPECT_EQ(fonts, 5);
}

TEST(ArtGenerator, SameSourcesGiveTheSameBytes)
{
    std::string a = std::string(FROTHWICK_TEST_TMP_DIR) + "/art-repro-a";
    std::string b = std::string(FROTHWICK_TEST_TMP_DIR) + "/art-repro-b";
    fs::remove_all(a);
    fs::remove_all(b);
    for (const std::string& out : {a, b})
    {
        std::string cmd = std::string("\"") + ASSETGEN_ART_EXE + "\" --assets \"" + FROTHWICK_SOURCE_DIR +
                          "/assets\" --out \"" + out + "\"";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a))
    {
        if (!entry.is_regular_file())
            continue;
        ++files;
        fs::path other = fs::path(b) / fs::relative(entry.path(), a);
        ASSERT_TRUE(fs::exists(other)) << other;
        EXPECT_EQ(ReadText(entry.path().string()), ReadText(other.string())) << entry.path();
    }
    EXPECT_GT(files, 250);
    fs::remove_all(a);
    fs::remove_all(b);
}

TEST(ArtGenerator, InventoryDocumentMatchesTheImageTable)
{
    std::string out = std::string(FROTHWICK_TEST_TMP_DIR) + "/art-inventory";
    fs::remove_all(out);
    std::string cmd = std::string("\"") + ASSETGEN_ART_EXE + "\" --assets \"" + FROTHWICK_SOURCE_DIR +
                      "/assets\" --out \"" + out + "\" --inventory \"" + out + "/ASSETS.md\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_EQ(ReadText(out + "/ASSETS.md"), ReadText(std::string(FROTHWICK_SOURCE_DIR) + "/docs/ASSETS.md"))
        << "docs/ASSETS.md is stale: regenerate it with assetgen-art --inventory";
    fs::remove_all(out);
}

namespace
{
// The cream lettering of a control's first cel: its columns, and the rows
// that carry at least a third of the busiest row's ink, so a Q's tail or the
// faint edge of a round letter does not count as letter height.
struct Lettering
{
    int left = 0, right = -1, top = 0, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

Lettering MeasureLettering(const Loaded& l)
{
    const Picture& p = l.pic;
    int w = CelW(l), h = p.height / l.rows;
    Lettering out;
    out.left = w;
    std::vector<int> rowInk(h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            uint32_t c = p.At(x, y);
            if ((c >> 24) <= 160 || ((c >> 16) & 0xFF) <= 200 || ((c >> 8) & 0xFF) <= 190)
                continue;
            ++rowInk[y];
            out.left = std::min(out.left, x);
            out.right = std::max(out.right, x);
        }
    int busiest = *std::max_element(rowInk.begin(), rowInk.end());
    if (busiest == 0)
        return out;
    out.top = h;
    for (int y = 0; y < h; ++y)
        if (rowInk[y] * 3 >= busiest)
        {
            out.top = std::min(out.top, y);
            out.bottom = y;
        }
    return out;
}
} // namespace

TEST(ArtImages, MainMenuLabelsShareOneSizeAndSmallButtonsFillTheirStrips)
{
    // One type size for the five entries, set by the longest, TIME ATTACK,
    // which is then drawn at that size rather than squeezed into its strip.
    std::vector<std::pair<std::string, Lettering>> menu;
    for (const char* id : {"ARCADE", "QUEST", "TIMEATTACK", "SETTING", "QUITGAME"})
        menu.emplace_back(id, MeasureLettering(Get(id)));
    for (const auto& [id, m] : menu)
    {
        ASSERT_GT(m.Height(), 0) << id << " has no lettering";
        EXPECT_EQ(m.Height(), menu[0].second.Height()) << id << " is set at another size than ARCADE";
        EXPECT_GE(m.Height(), 9) << id;
        EXPECT_LE(m.right, CelW(Get(id)) - 2) << id << " runs off its strip";
    }
    // The small pills keep their strips, their labels fill them.
    for (const char* id : {"BUTTON_BACK", "EXIT_YES", "EXIT_NO", "BUTTON_CREATE_BROWSE", "OK"})
    {
        const Loaded& l = Get(id);
        ASSERT_GT(l.pic.width, 0) << id;
        int w = CelW(l), h = l.pic.height / l.rows;
        Lettering m = MeasureLettering(l);
        EXPECT_GE(m.Width() * 10, w * 6) << id << ": label " << m.Width() << " of " << w << " px wide";
        EXPECT_GE(m.Height() * 2, h) << id << ": label " << m.Height() << " of " << h << " px high";
        EXPECT_GE(m.left, 1) << id;
        EXPECT_LE(m.right, w - 2) << id;
    }
}

TEST(ArtImages, QuestTabLabelsFollowTheTablesAndTheContinuePromptShowsItsButtons)
{
    // The quest header's labels, left to right, name the tables of tabs 0 to
    // 3: air, fire, water, earth. Their ink widths tell the words apart.
    const Picture& header = Get("HIGHSCORE_WORLD").pic;
    ASSERT_EQ(header.width, 420);
    const int tabs[] = {127, 235, 344, 452};
    int widths[4] = {};
    for (int i = 0; i < 4; ++i)
    {
        const int from = tabs[i] - 125;
        const int to = i < 3 ? tabs[i + 1] - 125 : header.width;
        int left = to, right = from - 1;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < header.height; ++y)
                if (header.Alpha(x, y) > 128)
                {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        widths[i] = right - left + 1;
    }
    EXPECT_LT(widths[0], widths[1]) << "AIR before FIRE";
    EXPECT_LT(widths[1], widths[2]) << "FIRE before WATER";
    EXPECT_LT(widths[1], widths[3]) << "FIRE before EARTH";

    // The prompt is drawn over the continue dialog centred at (82, 55),
    // pulsing from 1.0 to 1.2: its YES (33, 32, 28 x 16) and NO (69, 32,
    // 26 x 16) stay visible through it at either end.
    const Picture& prompt = Get("CONTINUE").pic;
    ASSERT_EQ(prompt.width, 164);
    ASSERT_EQ(prompt.height, 110);
    const int buttons[][4] = {{33, 32, 28, 16}, {69, 32, 26, 16}};
    for (double scale : {1.0, 1.2})
        for (const auto& b : buttons)
            for (int y = b[1]; y < b[1] + b[3]; ++y)
                for (int x = b[0]; x < b[0] + b[2]; ++x)
                {
                    const int px = int((x - 82) / scale + 82);
                    const int py = int((y - 55) / scale + 55);
                    ASSERT_EQ(prompt.Alpha(px, py), 0) << "scale " << scale << " at " << x << "," << y;
                }
    EXPECT_EQ(prompt.Alpha(82, 8), 255) << "the panel itself is opaque";
}
