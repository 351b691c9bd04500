// assetgen-art: generates the game's data tree (everything but audio) from
// the sources in assets/: images from assets/art/images.txt, image fonts,
// stage files from assets/stages/, the design script and the resource
// manifest. Files whose bytes do not change are left untouched.
//
//   assetgen-art --assets DIR --out DIR [--contact-sheet FILE]
//                [--inventory FILE] [--desktop EXE_DIR]
#include "tools/art/Canvas.h"
#include "tools/art/FontBaker.h"
#include "tools/art/ImageTable.h"
#include "tools/art/Painters.h"
#include "tools/art/StageCompiler.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace
{
using namespace Art;

const FontRecipe kFonts[] = {
    // id, file, family, bold, italic, condensed, px, outline, shadow, maxHeight
    {"BAUHAUS9310", "bauhaus93", "DejaVu Sans", true, false, true, 16, 1.5, 0, 0},
    {"DEFAULT", "default", "DejaVu Sans", true, false, false, 13, 0, 1, 0},
    {"KILOTON9", "kiloton9", "Liberation Sans", true, false, false, 12, 1.2, 0, 0},
    {"SUPERNOVA", "supernova", "DejaVu Serif", true, true, false, 24, 2.0, 2, 0},
    {"VERDANA10BOLD", "verdana10bold", "DejaVu Sans", true, false, false, 11, 0, 0, 14},
};

const char *kSounds[] = {"ALLCLEAR",  "BALL_EX",    "BALL_HIT", "BOMB",      "BTON_CLK",   "BTON_ON",    "EATBALL",
                         "FIRE",      "HITSNOW",    "ICE_HOLE", "LAVA",      "MUSHROOM",   "PLANTDEATH", "SELECT_W",
                         "STAGECLEAR", "TORNADO",   "WALL_CLOUD", "WALL_ICE", "WALL_LAVA", "WALL_TREE"};

const char *kWorlds[] = {"water", "fire", "earth", "air"};

std::string Lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string ImagePathInImages(const std::string &file)
{
    // images are listed relative to the "images" default path
    return file.rfind("images/", 0) == 0 ? file.substr(7) : file;
}

std::string Manifest(const std::vector<ImageSpec> &images)
{
    // The game's parser is stricter than XML: no declaration, "/" straight
    // after the last value of an empty element, a blank after "<!--".
    std::ostringstream m;
    m << "<ResourceManifest>\n";
    auto images_of = [&](const std::string &group) {
        for (const ImageSpec &s : images)
        {
            if (s.group != group)
                continue;
            m << "    <Image id=\"" << s.id << "\" path=\"" << ImagePathInImages(s.file) << "\"";
            if (s.cols > 1)
                m << " rows=\"1\" cols=\"" << s.cols << "\"";
            m << "/>\n";
        }
    };
    m << "  <Resources id=\"Init\">\n";
    m << "    <SetDefaults path=\"fonts\" idprefix=\"FONT_\"/>\n";
    for (const FontRecipe &f : kFonts)
        m << "    <Font id=\"" << f.id << "\" path=\"" << f.file << ".txt\"/>\n";
    m << "    <SetDefaults path=\"images\" idprefix=\"IMAGE_\"/>\n";
    images_of("Init");
    m << "  </Resources>\n";
    m << "  <Resources id=\"LoadScreen\">\n";
    m << "    <SetDefaults path=\"images\" idprefix=\"IMAGE_\"/>\n";
    images_of("LoadScreen");
    m << "  </Resources>\n";
    m << "  <Resources id=\"Media\">\n";
    m << "    <SetDefaults path=\"sounds\" idprefix=\"SOUND_\"/>\n";
    for (const char *s : kSounds)
        m << "    <Sound id=\"" << s << "\" path=\"" << Lower(s) << "\"/>\n";
    m << "  </Resources>\n";
    m << "  <Resources id=\"Game\">\n";
    m << "    <SetDefaults path=\"images\" idprefix=\"IMAGE_\"/>\n";
    images_of("Game");
    m << "  </Resources>\n";
    m << "</ResourceManifest>\n";
    return m.str();
}

std::string Inventory(const std::vector<ImageSpec> &images)
{
    std::ostringstream o;
    o << "| identifier | file | size | cels (cols x rows) | cel size | group | drawn |\n";
    o << "|---|---|---|---|---|---|---|\n";
    for (const ImageSpec &s : images)
    {
        std::string id = s.group == "-" ? "(" + Lower(s.id) + ")" : "IMAGE_" + s.id;
        o << "| " << id << " | " << s.file << " | " << s.Width() << " x " << s.Height() << " | " << s.cols
          << " x 1 | " << s.celWidth << " x " << s.celHeight << " | " << s.group << " | " << s.Opt("at", "") << " |\n";
    }
    return o.str();
}

bool ContactSheet(const std::vector<ImageSpec> &images, const std::vector<std::unique_ptr<Canvas>> &canvases,
                  const std::string &path)
{
    // Images flow left to right in rows; large ones are scaled down to fit a
    // 300 px box. Every image sits on a checkerboard with its identifier.
    const int sheetW = 1600, box = 300, label = 16, gap = 10;
    std::vector<std::array<double, 4>> place; // x, y, w, h after scaling
    double x = gap, y = gap + 40, rowH = 0;
    for (const ImageSpec &s : images)
    {
        double w = s.Width(), h = s.Height();
        double k = std::min({1.0, double(box) / w, double(box) / h});
        if (w * k < 120 && s.Width() > 120)
            k = std::min(1.0, 120 / w);
        w = std::max(1.0, std::floor(w * k));
        h = std::max(1.0, std::floor(h * k));
        double cellW = std::max(w, 130.0);
        if (x + cellW > sheetW - gap)
        {
            x = gap;
            y += rowH + label + gap;
            rowH = 0;
        }
        place.push_back({x, y, w, h});
        x += cellW + gap;
        rowH = std::max(rowH, h);
    }
    int sheetH = static_cast<int>(y + rowH + label + gap);
    Canvas sheet(sheetW, sheetH);
    cairo_t *cr = sheet.Cr();
    cairo_set_source_rgb(cr, 0.13, 0.14, 0.18);
    cairo_paint(cr);
    TextStyle title = UiText(22);
    DrawText(cr, "Frothwick artwork contact sheet", title, gap, 8, Align::Left);
    TextStyle t;
    t.px = 10;
    t.bold = false;
    t.fill = Hex(0xdde6ff);
    for (size_t i = 0; i < images.size(); ++i)
    {
        auto [px, py, w, h] = place[i];
        cairo_save(cr);
        cairo_rectangle(cr, px, py, w, h);
        cairo_clip(cr);
        for (int cy = 0; cy < h; cy += 8)
            for (int cx = 0; cx < w; cx += 8)
            {
                bool dark = ((cx + cy) / 8) % 2;
                cairo_set_source_rgb(cr, dark ? 0.42 : 0.55, dark ? 0.42 : 0.55, dark ? 0.46 : 0.6);
                cairo_rectangle(cr, px + cx, py + cy, 8, 8);
                cairo_fill(cr);
            }
        cairo_translate(cr, px, py);
        cairo_scale(cr, w / images[i].Width(), h / images[i].Height());
        cairo_set_source_surface(cr, canvases[i]->Surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        std::string name = images[i].group == "-" ? Lower(images[i].id) : images[i].id;
        DrawText(cr, name, t, px, py + h + 1, Align::Left);
    }
    return WriteIfChanged(path, sheet.EncodePng());
}

std::string ReadFile(const std::string &path, bool &ok)
{
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
} // namespace

int main(int argc, char **argv)
{
    std::string assets, out, sheetPath, inventoryPath, desktopDir;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        std::string a = argv[i];
        if (a == "--assets")
            assets = argv[i + 1];
        else if (a == "--out")
            out = argv[i + 1];
        else if (a == "--contact-sheet")
            sheetPath = argv[i + 1];
        else if (a == "--inventory")
            inventoryPath = argv[i + 1];
        else if (a == "--desktop")
            desktopDir = argv[i + 1];
        else
        {
            std::cerr << "assetgen-art: unknown option " << a << "\n";
            return 2;
        }
    }
    if (assets.empty() || out.empty())
    {
        std::cerr << "usage: assetgen-art --assets DIR --out DIR [--contact-sheet FILE] [--inventory FILE] "
                     "[--desktop EXE_DIR]\n";
        return 2;
    }

    std::vector<ImageSpec> images;
    std::string error;
    if (!ReadImageTable(assets + "/art/images.txt", images, error))
    {
        std::cerr << "assetgen-art: " << error << "\n";
        return 1;
    }
    const auto &painters = PainterTable();
    std::vector<std::unique_ptr<Canvas>> canvases;
    for (const ImageSpec &s : images)
    {
        auto it = painters.find(s.painter);
        if (it == painters.end())
        {
            std::cerr << "assetgen-art: images.txt:" << s.line << ": unknown painter " << s.painter << "\n";
            return 1;
        }
        auto canvas = std::make_unique<Canvas>(s.Width(), s.Height());
        cairo_t *cr = canvas->Cr();
        for (int cel = 0; cel < s.cols; ++cel)
        {
            cairo_save(cr);
            cairo_translate(cr, cel * s.celWidth, 0);
            cairo_rectangle(cr, 0, 0, s.celWidth, s.celHeight);
            cairo_clip(cr);
            it->second(cr, s, cel, s.celWidth, s.celHeight);
            cairo_restore(cr);
        }
        if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        {
            std::cerr << "assetgen-art: drawing " << s.id << " failed: " << cairo_status_to_string(cairo_status(cr))
                      << "\n";
            return 1;
        }
        if (!WriteIfChanged(out + "/" + s.file, canvas->EncodePng()))
        {
            std::cerr << "assetgen-art: cannot write " << out << "/" << s.file << "\n";
            return 1;
        }
        if (!sheetPath.empty())
            canvases.push_back(std::move(canvas));
    }

    for (const FontRecipe &f : kFonts)
        if (!BakeFont(f, out, error))
        {
            std::cerr << "assetgen-art: " << error << "\n";
            return 1;
        }

    for (const char *w : kWorlds)
    {
        int count = 0;
        if (!CompileStages(assets + "/stages/" + w + ".txt", out, count, error))
        {
            std::cerr << "assetgen-art: " << error << "\n";
            return 1;
        }
    }

    bool ok = false;
    std::string script = ReadFile(assets + "/script/design.lua", ok);
    if (!ok || !WriteIfChanged(out + "/script/design.lua", script))
    {
        std::cerr << "assetgen-art: cannot copy the design script\n";
        return 1;
    }
    if (!WriteIfChanged(out + "/properties/resources.xml", Manifest(images)))
    {
        std::cerr << "assetgen-art: cannot write the manifest\n";
        return 1;
    }
    if (!desktopDir.empty())
    {
        std::ostringstream d;
        d << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=Frothwick\n"
          << "GenericName=Bubble shooter\n"
          << "Comment=Burst bubbles through the worlds of water, fire, earth and air\n"
          << "Exec=\"" << desktopDir << "/frothwick\"\n"
          << "Path=" << desktopDir << "\n"
          << "Icon=" << desktopDir << "/images/icon.png\n"
          << "Terminal=false\n"
          << "Categories=Game;ArcadeGame;\n"
          << "Keywords=bubble;puzzle;shooter;\n";
        if (!WriteIfChanged(out + "/frothwick.desktop", d.str()))
        {
            std::cerr << "assetgen-art: cannot write the desktop file\n";
            return 1;
        }
    }
    if (!inventoryPath.empty() && !WriteIfChanged(inventoryPath, Inventory(images)))
    {
        std::cerr << "assetgen-art: cannot write " << inventoryPath << "\n";
        return 1;
    }
    if (!sheetPath.empty() && !ContactSheet(images, canvases, sheetPath))
    {
        std::cerr << "assetgen-art: cannot write " << sheetPath << "\n";
        return 1;
    }
    return 0;
}
