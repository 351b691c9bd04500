// The generated resource manifest: read with a small reader that enforces
// the game parser's stricter rules (no declaration, "/" glued to the last
// value of an empty element, a blank after "<!--"), then compared against
// the identifiers the game binds by name.
#include "assets/ManifestEntries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// Parses text in the manifest dialect; returns false with a reason on any
// construct the game's parser would reject or misread.
bool ParseManifestText(const std::string& text, std::vector<ManifestEntry>& out, std::vector<std::string>& groups,
                       std::string& error)
{
    std::vector<std::string> open;
    std::string defaultPath, prefix;
    size_t i = 0;
    auto fail = [&](const std::string& why)
    {
        error = why + " at offset " + std::to_string(i);
        return false;
    };
    while (i < text.size())
    {
        if (std::isspace(static_cast<unsigned char>(text[i])))
        {
            ++i;
            continue;
        }
        if (text[i] != '<')
            return fail("text outside elements");
        if (text.compare(i, 2, "<?") == 0)
            return fail("processing instruction");
        if (text.compare(i, 4, "<!--") == 0)
        {
            if (i + 4 >= text.size() || !std::isspace(static_cast<unsigned char>(text[i + 4])))
                return fail("comment without a blank after <!--");
            size_t end = text.find("-->", i);
            if (end == std::string::npos)
                return fail("unterminated comment");
            i = end + 3;
            continue;
        }
        size_t end = text.find('>', i);
        if (end == std::string::npos)
            return fail("unterminated tag");
        std::string tag = text.substr(i + 1, end - i - 1);
        i = end + 1;
        if (!tag.empty() && tag[0] == '/')
        {
            std::string name = tag.substr(1);
            if (open.empty() || open.back() != name)
                return fail("end tag " + name + " does not match");
            open.pop_back();
            continue;
        }
        bool empty = !tag.empty() && tag.back() == '/';
        if (empty)
        {
            tag.pop_back();
            if (!tag.empty() && std::isspace(static_cast<unsigned char>(tag.back())))
                return fail("blank before '/>' (the game's parser would not close the element)");
        }
        // name and attributes; every value double-quoted
        size_t p = 0;
        while (p < tag.size() && !std::isspace(static_cast<unsigned char>(tag[p])))
            ++p;
        std::string name = tag.substr(0, p);
        std::map<std::string, std::string> attrs;
        while (p < tag.size())
        {
            while (p < tag.size() && std::isspace(static_cast<unsigned char>(tag[p])))
                ++p;
            if (p >= tag.size())
                break;
            size_t eq = tag.find('=', p);
            if (eq == std::string::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"')
                return fail("attribute without a quoted value in <" + name + ">");
            size_t close = tag.find('"', eq + 2);
            if (close == std::string::npos)
                return fail("unterminated value");
            std::string key = tag.substr(p, eq - p);
            if (attrs.count(key))
                return fail("repeated attribute " + key);
            attrs[key] = tag.substr(eq + 2, close - eq - 2);
            p = close + 1;
        }
        std::string parent = open.empty() ? "" : open.back();
        if (name == "ResourceManifest")
        {
            if (!open.empty())
                return fail("nested ResourceManifest");
        }
        else if (name == "Resources")
        {
            if (parent != "ResourceManifest" || attrs["id"].empty())
                return fail("Resources outside the manifest or without id");
            groups.push_back(attrs["id"]);
        }
        else if (name == "SetDefaults" || name == "Image" || name == "Sound" || name == "Font")
        {
            if (parent != "Resources")
                return fail(name + " outside Resources");
            if (!empty)
                return fail(name + " must be an empty element");
            if (name == "SetDefaults")
            {
                if (!attrs["path"].empty())
                    defaultPath = attrs["path"] + "/";
                if (!attrs["idprefix"].empty())
                    prefix = attrs["idprefix"];
            }
            else
            {
                if (attrs["path"].empty() || attrs["id"].empty())
                    return fail(name + " without path or id");
                out.push_back({name, groups.back(), prefix + attrs["id"], defaultPath + attrs["path"], attrs});
            }
        }
        else
            return fail("unknown element " + name);
        if (!empty)
            open.push_back(name);
    }
    if (!open.empty())
    {
        error = "unclosed " + open.back();
        return false;
    }
    return true;
}

bool ReadManifestFile(const std::string& path, std::vector<ManifestEntry>& out, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        error = "cannot open " + path;
        return false;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::vector<std::string> groups;
    return ParseManifestText(ss.str(), out, groups, error);
}

namespace
{
const std::string kManifest = std::string(FROTHWICK_DATA_DIR) + "/properties/resources.xml";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The names the game binds, group by group.
const std::map<std::string, std::vector<std::string>>& ExpectedIds()
{
    static const std::map<std::string, std::vector<std::string>> ids = []
    {
        std::map<std::string, std::vector<std::string>> m;
        m["Init"] = {"FONT_BAUHAUS9310",   "FONT_DEFAULT",          "FONT_KILOTON9",     "FONT_SUPERNOVA",
                     "FONT_VERDANA10BOLD", "IMAGE_CUSTOM_DRAGGING", "IMAGE_CUSTOM_HAND", "IMAGE_CUSTOM_POINTER",
                     "IMAGE_CUSTOM_TEXT",  "IMAGE_LOGO_TAMSERY",    "IMAGE_CORVANE_LOGO"};
        m["LoadScreen"] = {"IMAGE_LOADER_BAR", "IMAGE_LOADER_EMPTY", "IMAGE_LOADER_SCREEN"};
        m["Media"] = {"SOUND_ALLCLEAR", "SOUND_BALL_EX",    "SOUND_BALL_HIT",   "SOUND_BOMB",      "SOUND_BTON_CLK",
                      "SOUND_BTON_ON",  "SOUND_EATBALL",    "SOUND_FIRE",       "SOUND_HITSNOW",   "SOUND_ICE_HOLE",
                      "SOUND_LAVA",     "SOUND_MUSHROOM",   "SOUND_PLANTDEATH", "SOUND_SELECT_W",  "SOUND_STAGECLEAR",
                      "SOUND_TORNADO",  "SOUND_WALL_CLOUD", "SOUND_WALL_ICE",   "SOUND_WALL_LAVA", "SOUND_WALL_TREE"};
        const char* game[] = {"AIR1",
                              "AIR2",
                              "AIRWORLD",
                              "ALLCLEAR",
                              "ANIM_X1X2",
                              "ANIM_X1X2_GREEN",
                              "AQUA_DROP",
                              "ARCADE",
                              "AVATAR_FRAME",
                              "BACKGROUND",
                              "BACKTO",
                              "BACK_TO_MAINMENU",
                              "BG_AIR",
                              "BG_EARTH",
                              "BG_FIRE",
                              "BG_WATER",
                              "BLUE_DROP",
                              "BOMB",
                              "BOMB_BURST",
                              "BUBBLE_AQUA",
                              "BUBBLE_BLACK",
                              "BUBBLE_BLUE",
                              "BUBBLE_FUCHSIA",
                              "BUBBLE_GREEN",
                              "BUBBLE_RED",
                              "BUBBLE_YELLOW",
                              "BURST",
                              "BURSTWIND",
                              "BUTTON_AIR",
                              "BUTTON_BACK",
                              "BUTTON_CANCEL",
                              "BUTTON_CHGMODE",
                              "BUTTON_CREATE_BROWSE",
                              "BUTTON_CREATE_CANCEL",
                              "BUTTON_CREATE_OK",
                              "BUTTON_CREATE_UPLOAD",
                              "BUTTON_DELETE",
                              "BUTTON_EARTH",
                              "BUTTON_EASY",
                              "BUTTON_EXPERT",
                              "BUTTON_FIRE",
                              "BUTTON_HARD",
                              "BUTTON_HIGHSCORES",
                              "BUTTON_NEW",
                              "BUTTON_NORMAL",
                              "BUTTON_OK",
                              "BUTTON_PAUSE",
                              "BUTTON_PLAYERSETTINGS",
                              "BUTTON_RESUME",
                              "BUTTON_START",
                              "BUTTON_TIPS",
                              "BUTTON_TIP_CLOSE",
                              "BUTTON_WATER",
                              "CHANGEMODE",
                              "CLEARONE",
                              "COMMON1",
                              "COMMON2",
                              "CONTINUE",
                              "CREAT",
                              "CREAT_UI",
                              "EARTH1",
                              "EARTH2",
                              "EARTHWORLD",
                              "EASY",
                              "ES_AIR",
                              "ES_EARTH",
                              "ES_FIRE",
                              "ES_ICE",
                              "ES_ICE_L",
                              "ES_SHING",
                              "ES_WATER",
                              "EXIT_BUTTON",
                              "EXIT_NO",
                              "EXIT_UI",
                              "EXIT_YES",
                              "EXPERT",
                              "FEMALEGOD",
                              "FIRE1",
                              "FIRE2",
                              "FIREWORLD",
                              "FLAME",
                              "FUCHSIA_DROP",
                              "FULLMARK",
                              "GAMEOVER",
                              "GREEN_DROP",
                              "GREEN_EAT",
                              "HARD",
                              "HIGHSCORE",
                              "HIGHSCORE_CONTINUE",
                              "HIGHSCORE_DIFF",
                              "HIGHSCORE_NEWRECORD",
                              "HIGHSCORE_WORLD",
                              "HIT_ES",
                              "ICE",
                              "ICELIGHT",
                              "ICEWORLD",
                              "LAVA",
                              "LAVA_DRY_UP",
                              "LEVEL",
                              "LOGIN_UI",
                              "MARKBALL",
                              "MAXMIZE_BUTTON",
                              "MINMIZE_BUTTON",
                              "MUSHROOM",
                              "MUSHROOM_BOUNCE",
                              "MUSHROOM_BOUNCE_LEFT",
                              "MUSHROOM_BOUNCE_RIGHT",
                              "MUSHROOM_LEFT",
                              "MUSHROOM_RIGHT",
                              "NORMAL",
                              "NUMBER_LEVEL",
                              "NUMBER_SCORE",
                              "OK",
                              "PAGE_LEFT",
                              "PAGE_RIGHT",
                              "PARTICLE_ALL",
                              "PLANT_EATING",
                              "PLANT_GONE",
                              "QUEST",
                              "QUITGAME",
                              "RED_DROP",
                              "RED_MELT",
                              "SCORE",
                              "SCROLL_DOWN",
                              "SCROLL_THUMB",
                              "SCROLL_UP",
                              "SELECTWORLD",
                              "SETTING",
                              "SETTINGS_UI",
                              "SNOWMAN_BODY",
                              "SNOWMAN_BODY_DIS",
                              "SNOWMAN_HEAD",
                              "SNOWMAN_HIT",
                              "SNOWMAN_N",
                              "SPHERE",
                              "STAGECLEAR",
                              "STAGESELECTOR_BG",
                              "STAGE_NUMBER",
                              "START",
                              "SYMBOL_NUMBER",
                              "SYMBOL_X",
                              "SYMBOL_X1",
                              "SYMBOL_X1LV",
                              "SYMBOL_X2",
                              "SYMBOL_X2LV",
                              "TEXT_STAGE",
                              "TIMEATTACK",
                              "TITLE",
                              "TITLEBAR",
                              "TORNADO_LEFT",
                              "TORNADO_RIGHT",
                              "TORNADO_UPPER",
                              "TRY_AGAIN",
                              "UI_DIFF",
                              "UI_MAIN",
                              "VOL_MARK",
                              "WALL_AIR",
                              "WALL_EARTH",
                              "WALL_FIRE",
                              "WARNING_ALREADY_EXISTS",
                              "WARNING_EMPTY",
                              "WARNING_INVALID_NAME",
                              "WARNING_MUST_CREATE",
                              "WATER",
                              "WATER1",
                              "WATER2",
                              "WATERBUBBLE",
                              "WIND_LEFT",
                              "WIND_RIGHT",
                              "WIND_STOP",
                              "WIND_UPPER",
                              "WORD_AIR",
                              "WORD_EARTH",
                              "WORD_FIRE",
                              "WORD_WATER",
                              "YELLOW_DROP",
                              "YOUWIN"};
        for (const char* id : game)
            m["Game"].push_back(std::string("IMAGE_") + id);
        for (int n = 1; n <= 16; ++n)
            m["Game"].push_back((n < 10 ? "IMAGE_STAGE0" : "IMAGE_STAGE") + std::to_string(n));
        return m;
    }();
    return ids;
}
} // namespace

TEST(ManifestReader, RejectsWhatTheGameParserWouldMisread)
{
    std::vector<ManifestEntry> e;
    std::vector<std::string> g;
    std::string err;
    EXPECT_FALSE(ParseManifestText("<?xml version=\"1.0\"?><ResourceManifest></ResourceManifest>", e, g, err));
    EXPECT_FALSE(ParseManifestText(
        "<ResourceManifest><Resources id=\"A\"><Image id=\"X\" path=\"x\" /></Resources></ResourceManifest>", e, g,
        err));
    EXPECT_FALSE(ParseManifestText("<!--x --><ResourceManifest></ResourceManifest>", e, g, err));
    EXPECT_FALSE(ParseManifestText("<ResourceManifest><Resources id=\"A\"></ResourceManifest>", e, g, err));
    e.clear();
    ASSERT_TRUE(
        ParseManifestText("<!-- ok --><ResourceManifest><Resources id=\"A\"><SetDefaults path=\"img\" "
                          "idprefix=\"IMAGE_\"/><Image id=\"X\" path=\"x.png\"/></Resources></ResourceManifest>",
                          e, g, err))
        << err;
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].id, "IMAGE_X");
    EXPECT_EQ(e[0].path, "img/x.png");
}

TEST(Manifest, HasTheGameParsersSyntax)
{
    std::string text = ReadAll(kManifest);
    ASSERT_FALSE(text.empty()) << kManifest;
    EXPECT_EQ(text.find("<?"), std::string::npos);
    EXPECT_EQ(text.find(" />"), std::string::npos);
    for (size_t p = text.find("<!--"); p != std::string::npos; p = text.find("<!--", p + 1))
        EXPECT_TRUE(std::isspace(static_cast<unsigned char>(text[p + 4])));
    std::vector<ManifestEntry> entries;
    std::vector<std::string> groups;
    std::string err;
    ASSERT_TRUE(ParseManifestText(text, entries, groups, err)) << err;
    EXPECT_EQ(groups, (std::vector<std::string>{"Init", "LoadScreen", "Media", "Game"}));
}

TEST(Manifest, DefinesExactlyTheBoundIdentifiersInTheirGroups)
{
    std::vector<ManifestEntry> entries;
    std::string err;
    ASSERT_TRUE(ReadManifestFile(kManifest, entries, err)) << err;
    std::map<std::string, std::set<std::string>> found;
    std::set<std::string> all;
    for (const ManifestEntry& e : entries)
    {
        EXPECT_TRUE(all.insert(e.id).second) << "defined twice: " << e.id;
        found[e.group].insert(e.id);
        std::string prefix = e.type == "Image" ? "IMAGE_" : e.type == "Sound" ? "SOUND_" : "FONT_";
        EXPECT_EQ(e.id.rfind(prefix, 0), 0u) << e.id << " is a " << e.type;
    }
    size_t expectedTotal = 0;
    for (const auto& [group, ids] : ExpectedIds())
    {
        std::set<std::string> want(ids.begin(), ids.end());
        expectedTotal += want.size();
        for (const std::string& id : want)
            EXPECT_TRUE(found[group].count(id)) << id << " missing from group " << group;
        for (const std::string& id : found[group])
            EXPECT_TRUE(want.count(id)) << id << " is not an identifier of group " << group;
    }
    EXPECT_EQ(ExpectedIds().at("Game").size(), 193u);
    EXPECT_EQ(all.size(), expectedTotal);
}

TEST(Manifest, SoundsUseTheAgreedFileNamesAndStripsDeclareTheirGrid)
{
    std::vector<ManifestEntry> entries;
    std::string err;
    ASSERT_TRUE(ReadManifestFile(kManifest, entries, err)) << err;
    for (const ManifestEntry& e : entries)
    {
        if (e.type == "Sound")
        {
            std::string lower = e.id.substr(6);
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
            EXPECT_EQ(e.path, "sounds/" + lower);
        }
        if (e.type == "Image" && e.attributes.count("cols"))
        {
            EXPECT_TRUE(e.attributes.count("rows")) << e.id;
            EXPECT_GT(std::stoi(e.attributes.at("cols")), 1) << e.id;
        }
    }
}
