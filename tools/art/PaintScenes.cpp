// Full-screen backgrounds, the world spheres, help pages, logos, cursors,
// avatars, the splash picture and the window icon.
#include "tools/art/Painters.h"

#include <cmath>
#include <vector>

namespace Art
{
namespace
{
// ---- backgrounds --------------------------------------------------------------

void Sky(cairo_t* cr, double w, double h, const Rgb& top, const Rgb& bottom)
{
    cairo_rectangle(cr, 0, 0, w, h);
    FillVertical(cr, 0, h, top, bottom);
    cairo_new_path(cr);
}

void Hills(cairo_t* cr, double w, double h, double base, double amp, double freq, double phase, const Rgb& c)
{
    cairo_move_to(cr, 0, h);
    for (int x = 0; x <= w; x += 4)
        cairo_line_to(cr, x, base + amp * std::sin(x * freq + phase) + amp * 0.4 * std::sin(x * freq * 2.7 + phase));
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    SetColour(cr, c);
    cairo_fill(cr);
}

void FloatingBubbles(cairo_t* cr, Rng& rng, int n, double w, double h, double alpha)
{
    for (int i = 0; i < n; ++i)
    {
        double x = rng.Uniform(0, w), y = rng.Uniform(0, h), r = rng.Uniform(2, 9);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, alpha * 0.25);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, alpha);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.25, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, alpha);
        cairo_fill(cr);
    }
}

void Stars(cairo_t* cr, Rng& rng, int n, double w, double h)
{
    for (int i = 0; i < n; ++i)
    {
        double x = rng.Uniform(0, w), y = rng.Uniform(0, h), r = rng.Uniform(0.4, 1.6);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 0.9, rng.Uniform(0.3, 1));
        cairo_fill(cr);
    }
}

void Cloud(cairo_t* cr, double x, double y, double s, double alpha)
{
    const double puffs[][3] = {{0, 0, 1}, {1.1, -0.4, 1.2}, {2.3, 0, 0.95}, {1.2, 0.35, 1.0}, {-0.9, 0.25, 0.75}};
    for (auto& p : puffs)
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + p[0] * s, y + p[1] * s, p[2] * s, 0, 2 * M_PI);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_fill(cr);
}

void PlayWell(cairo_t* cr, const Palette& p)
{
    // The field from (15, 37): cells of 31 px in both directions from x 20
    // (odd rows half a cell further right), 15 rows down to y 502; the
    // launcher waits at (265, 527) and the next bubble at (25, 547).
    RoundRect(cr, 9, 31, 534, 565, 10);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    RoundRect(cr, 12, 33, 528, 561, 8);
    Rgb top = Darker(p.deep, 0.2), bottom = p.deep;
    top.a = 0.62;
    bottom.a = 0.45;
    FillVertical(cr, 33, 594, top, bottom);
    SetColour(cr, Mix(p.light, p.mid, 0.4));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // the bottom row: a field that reaches it is lost
    for (int x = 18; x < 536; x += 12)
        cairo_rectangle(cr, x, 37 + 14 * 31 - 2, 6, 1.5);
    cairo_set_source_rgba(cr, 1, 0.45, 0.35, 0.4);
    cairo_fill(cr);
    // launcher base and next-bubble cradle
    Ellipse(cr, 280, 562, 46, 12);
    FillRadial(cr, 280, 562, 46, Hex(0xffffff, 0.22), Hex(0xffffff, 0.02));
    cairo_new_path(cr);
    Ellipse(cr, 40, 566, 22, 8);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_fill(cr);
}

void HudPanel(cairo_t* cr, const Palette& p, const std::string& world)
{
    Palette ui = p;
    ui.deep = Mix(p.deep, Hex(0x000000), 0.3);
    ui.deep.a = 0.85;
    ui.mid.a = 0.85;
    DrawPanel(cr, 555, 62, 232, 256, 14, ui);
    DrawPanel(cr, 555, 330, 232, 260, 14, ui);
    // avatar window at (569, 389), name at y 463, score from (642, 479)
    TextStyle t = UiText(13);
    t.fill = Lighter(p.light, 0.3);
    DrawText(cr, "PLAYER", t, 671, 345, Align::Centre);
    DrawInset(cr, 566, 386, 86, 86, 8);
    DrawInset(cr, 655, 447, 126, 21, 6);
    DrawInset(cr, 568, 476, 206, 28, 8);
    DrawText(cr, "SCORE", t, 590, 481, Align::Left);
    // The world's name closes the lower panel, below the score: the upper
    // panel is the side buttons' (CHANGE MODE from (626, 66), the others
    // below it down to y 296), which would cover a title there.
    std::string title = world == "water"   ? "WATER WORLD"
                        : world == "fire"  ? "FIRE WORLD"
                        : world == "earth" ? "EARTH WORLD"
                                           : "AIR WORLD";
    TextStyle head = GoldText(19);
    head.fill = Lighter(p.light, 0.45);
    head.fill2 = p.light;
    head.outlineColour = Darker(p.deep, 0.5);
    head.letterSpacing = 1.5;
    DrawTextInBox(cr, title, head, 565, 540, 212, 28);
}

void Background(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    std::string world = s.Opt("world");
    Palette p = WorldPalette(world);
    Rng rng(static_cast<uint32_t>(world.size() * 131 + world[0]));
    if (world == "water")
    {
        Sky(cr, w, h, Hex(0x1c7cc4), Hex(0x031a3a));
        for (int i = 0; i < 7; ++i)
        {
            double x = 60 + i * 120;
            cairo_move_to(cr, x, 0);
            cairo_line_to(cr, x + 50, 0);
            cairo_line_to(cr, x - 60, h);
            cairo_line_to(cr, x - 120, h);
            cairo_close_path(cr);
            cairo_set_source_rgba(cr, 0.7, 0.95, 1, 0.05);
            cairo_fill(cr);
        }
        Hills(cr, w, h, h - 70, 16, 0.02, 1, Hex(0x5fb2e6, 0.6));
        Hills(cr, w, h, h - 40, 10, 0.035, 2, Hex(0xd8f4ff, 0.9));
        FloatingBubbles(cr, rng, 60, w, h, 0.5);
    }
    else if (world == "fire")
    {
        Sky(cr, w, h, Hex(0x1a0302), Hex(0x9a2a08));
        Hills(cr, w, h, h - 170, 60, 0.008, 0.5, Hex(0x2a0a06));
        // volcano with a glowing crater
        cairo_move_to(cr, 380, h);
        cairo_line_to(cr, 560, 190);
        cairo_line_to(cr, 640, 190);
        cairo_line_to(cr, 800, h);
        cairo_close_path(cr);
        FillVertical(cr, 190, h, Hex(0x3a1410), Hex(0x120404));
        cairo_new_path(cr);
        Ellipse(cr, 600, 190, 40, 8);
        FillRadial(cr, 600, 190, 40, Hex(0xffe27a), Hex(0xe03a10, 0.4));
        cairo_new_path(cr);
        Hills(cr, w, h, h - 50, 12, 0.03, 3, Hex(0xff6a1a, 0.85));
        Hills(cr, w, h, h - 30, 8, 0.05, 1, Hex(0xffc040, 0.9));
        for (int i = 0; i < 90; ++i)
        {
            double x = rng.Uniform(0, w), y = rng.Uniform(0, h), r = rng.Uniform(0.6, 2.2);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, rng.Uniform(0.5, 0.9), 0.2, rng.Uniform(0.3, 0.9));
            cairo_fill(cr);
        }
    }
    else if (world == "earth")
    {
        Sky(cr, w, h, Hex(0x7cc4e6), Hex(0xeaf6c8));
        cairo_arc(cr, 120, 110, 46, 0, 2 * M_PI);
        FillRadial(cr, 120, 110, 46, Hex(0xfffbe0), Hex(0xffe27a, 0.9));
        cairo_new_path(cr);
        cairo_arc(cr, 120, 110, 110, 0, 2 * M_PI);
        FillRadial(cr, 120, 110, 110, Hex(0xfff3c0, 0.45), Hex(0xfff3c0, 0));
        cairo_new_path(cr);
        Hills(cr, w, h, 250, 60, 0.006, 2.2, Hex(0x8fb0c8, 0.8)); // distant mountains
        Hills(cr, w, h, 310, 40, 0.01, 0.3, Hex(0x7fae4a));
        Hills(cr, w, h, 390, 30, 0.015, 2.0, Hex(0x4c7a28));
        for (int i = 0; i < 16; ++i)
        {
            // round-crowned trees with a lit and a shaded side
            double x = rng.Uniform(0, w), y = rng.Uniform(330, 560), sz = rng.Uniform(16, 34);
            cairo_rectangle(cr, x - sz * 0.1, y, sz * 0.2, sz * 0.9);
            cairo_set_source_rgb(cr, 0.36, 0.22, 0.1);
            cairo_fill(cr);
            const double lobes[][3] = {{0, -0.35, 0.6}, {-0.4, 0.05, 0.45}, {0.4, 0.05, 0.45}};
            for (auto& l : lobes)
            {
                cairo_arc(cr, x + l[0] * sz, y + l[1] * sz, l[2] * sz, 0, 2 * M_PI);
                FillRadial(cr, x + l[0] * sz - sz * 0.15, y + l[1] * sz - sz * 0.2, l[2] * sz * 1.3, Hex(0x5fa83a),
                           Hex(0x1f4a14));
                cairo_new_path(cr);
            }
        }
        Hills(cr, w, h, 520, 18, 0.025, 4.0, Hex(0x2f5a1a));
        for (int i = 0; i < 60; ++i)
        {
            double x = rng.Uniform(0, w), y = rng.Uniform(530, h);
            cairo_arc(cr, x, y, 1.8, 0, 2 * M_PI);
            static const uint32_t petals[] = {0xffffff, 0xffe27a, 0xff8ab0, 0xb8a0ff};
            SetColour(cr, Hex(petals[i % 4], 0.9));
            cairo_fill(cr);
        }
        for (int i = 0; i < 30; ++i)
        {
            double x = rng.Uniform(0, w), y = rng.Uniform(0, 300);
            Ellipse(cr, x, y, 3, 1.5);
            cairo_set_source_rgba(cr, 0.55, 0.8, 0.3, 0.55);
            cairo_fill(cr);
        }
    }
    else if (world == "air")
    {
        Sky(cr, w, h, Hex(0x4a78d0), Hex(0xe4f0ff));
        for (int i = 0; i < 16; ++i)
            Cloud(cr, rng.Uniform(-40, w), rng.Uniform(20, h - 60), rng.Uniform(14, 34), rng.Uniform(0.4, 0.85));
        for (int i = 0; i < 12; ++i)
        {
            double y = rng.Uniform(40, h), x = rng.Uniform(0, w);
            cairo_move_to(cr, x, y);
            cairo_curve_to(cr, x + 40, y - 8, x + 80, y + 8, x + 120, y);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
    }
    else
    {
        // menu and loader: a night sea with stars, a moon and frothy waves
        Sky(cr, w, h, Hex(0x070b2a), Hex(0x2c3f95));
        Stars(cr, rng, 160, w, h * 0.7);
        cairo_arc(cr, 660, 110, 42, 0, 2 * M_PI);
        FillRadial(cr, 650, 100, 48, Hex(0xfffbe6), Hex(0xe8d8a0));
        cairo_new_path(cr);
        cairo_arc(cr, 660, 110, 90, 0, 2 * M_PI);
        FillRadial(cr, 660, 110, 90, Hex(0xfff3c0, 0.25), Hex(0xfff3c0, 0));
        cairo_new_path(cr);
        Hills(cr, w, h, h - 150, 10, 0.02, 0.5, Hex(0x1a3a8a, 0.9));
        Hills(cr, w, h, h - 110, 12, 0.025, 2.5, Hex(0x14307a, 0.95));
        Hills(cr, w, h, h - 70, 10, 0.03, 1.0, Hex(0x0e2460));
        // froth caps
        for (int x = 0; x < w; x += 14)
        {
            double y = h - 70 + 10 * std::sin(x * 0.03 + 1.0) + 4 * std::sin(x * 0.081 + 1.0);
            cairo_arc(cr, x, y, rng.Uniform(3, 7), 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 0.85, 0.95, 1, 0.55);
            cairo_fill(cr);
        }
        FloatingBubbles(cr, rng, 40, w, h, 0.35);
        if (world == "loader")
        {
            TextStyle t = GoldText(96);
            t.family = "DejaVu Serif";
            t.italic = true;
            t.outline = 3.5;
            t.shadow = 4;
            DrawTextInBox(cr, "Frothwick", t, 0, 150, w, 140);
            for (int i = 0; i < 6; ++i)
                DrawBubble(cr, 265 + i * 54, 318, 14, i + 1);
            TextStyle l = UiText(16);
            l.letterSpacing = 4;
            l.fill = Hex(0x9fe3ff);
            DrawTextInBox(cr, "LOADING", l, 0, 384, w, 24);
        }
        return;
    }
    PlayWell(cr, p);
    HudPanel(cr, p, world);
}

// ---- world spheres ----------------------------------------------------------

void Sphere(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    // The glass globe the world pictures sit in.
    double cx = w / 2, cy = h / 2, r = w / 2 - 3;
    cairo_arc(cr, cx, cy + 2, r, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    FillRadial(cr, cx, cy, r, Hex(0x9fe3ff, 0.12), Hex(0x9fe3ff, 0.5));
    cairo_set_source_rgba(cr, 0.85, 0.95, 1, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void WorldScene(cairo_t* cr, const std::string& world, double cx, double cy, double r)
{
    Palette p = WorldPalette(world);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    double top = cy - r, bot = cy + r;
    cairo_rectangle(cr, cx - r, top, 2 * r, 2 * r);
    FillVertical(cr, top, bot, Lighter(p.mid, 0.2), p.deep);
    cairo_new_path(cr);
    Rng rng(static_cast<uint32_t>(world[0] * 17));
    if (world == "water")
    {
        for (int i = 0; i < 3; ++i)
        {
            double bx = cx - r * 0.5 + i * r * 0.5, by = cy + r * 0.35;
            cairo_move_to(cr, bx - r * 0.35, bot);
            cairo_line_to(cr, bx, by - r * 0.45 * (1 + (i == 1)));
            cairo_line_to(cr, bx + r * 0.35, bot);
            cairo_close_path(cr);
            FillVertical(cr, by - r, bot, Hex(0xffffff), Hex(0x8fd8ff));
            cairo_new_path(cr);
        }
        FloatingBubbles(cr, rng, 10, 2 * r, r, 0.6);
    }
    else if (world == "fire")
    {
        cairo_move_to(cr, cx - r, bot);
        cairo_line_to(cr, cx - r * 0.2, cy - r * 0.1);
        cairo_line_to(cr, cx + r * 0.2, cy - r * 0.1);
        cairo_line_to(cr, cx + r, bot);
        cairo_close_path(cr);
        SetColour(cr, Hex(0x2a0a06));
        cairo_fill(cr);

        for (int i = 0; i < 3; ++i)
        {
            double x = cx - r * 0.15 + i * r * 0.15;
            cairo_move_to(cr, x - 8, cy - r * 0.1);
            cairo_curve_to(cr, x - 10, cy - r * 0.4, x, cy - r * 0.5, x + 2, cy - r * 0.7);
            cairo_curve_to(cr, x + 4, cy - r * 0.4, x + 10, cy - r * 0.3, x + 8, cy - r * 0.1);
            cairo_close_path(cr);
            FillVertical(cr, cy - r * 0.7, cy, Hex(0xffe27a), Hex(0xe03a10));
            cairo_new_path(cr);
        }
    }
    else if (world == "earth")
    {
        Hills(cr, cx + r, bot, cy + r * 0.2, r * 0.12, 0.05, 1, Hex(0x7fae4a));
        Hills(cr, cx + r, bot, cy + r * 0.45, r * 0.1, 0.07, 3, Hex(0x2f5a1a));
        cairo_rectangle(cr, cx - 4, cy - r * 0.2, 8, r * 0.5);
        cairo_set_source_rgb(cr, 0.4, 0.24, 0.1);
        cairo_fill(cr);
        cairo_arc(cr, cx, cy - r * 0.3, r * 0.38, 0, 2 * M_PI);
        FillRadial(cr, cx - 8, cy - r * 0.4, r * 0.4, Hex(0x8fd050), Hex(0x2f6a1a));
        cairo_new_path(cr);
    }
    else
    {
        for (int i = 0; i < 5; ++i)
            Cloud(cr, cx - r + rng.Uniform(0, r * 1.6), cy - r * 0.6 + i * r * 0.3, r * 0.16, 0.9);
        cairo_arc(cr, cx, cy, r * 0.55, 0.3, 5.5);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, r * 0.35, 1.3, 6.2);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void WorldSphere(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // cel 0 highlighted, cel 1 normal; both drawn over IMAGE_SPHERE
    double cx = w / 2, cy = h / 2, r = w / 2 - 6;
    WorldScene(cr, s.Opt("world"), cx, cy, r);
    if (cel == 0)
    {
        cairo_arc(cr, cx, cy, r + 3, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 0.9, 0.5, 0.95);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    else
    {
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.05, 0.08, 0.25, 0.25);
        cairo_fill(cr);
    }
    Ellipse(cr, cx - r * 0.35, cy - r * 0.5, r * 0.35, r * 0.18);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_fill(cr);
}

// ---- help pages --------------------------------------------------------------

struct HelpPage
{
    const char* title;
    const char* body;
    int kinds[4]; // sprites pictured: bubble or obstacle kind codes
    const char* tip;
};

const HelpPage* FindPage(const std::string& id)
{
    static const std::map<std::string, HelpPage> pages = {
        {"common1",
         {"HOW TO PLAY",
          "Aim with the mouse and click to shoot. Bubbles bounce off the side walls.\n\n"
          "Join three or more bubbles of one colour and they burst. Bubbles no longer "
          "hanging from the top fall away and score 100 points each.\n\n"
          "Every colour carries its own mark - heart, star, diamond, leaf, drop and moon - "
          "so you can tell them apart at a glance.",
          {1, 2, 3, 4},
          "Bank shots off the side walls reach bubbles hidden behind others."}},
        {"common2",
         {"MODES AND PUSH-DOWNS",
          "ARCADE: the field drops a row after six misses; the counter at the bottom left "
          "shows the shots left.\n\nTIME ATTACK: the field drops on a timer.\n\n"
          "QUEST: sixteen stages in each of four worlds. Clear the row under the barrier, "
          "the barrier bursts, then land a shot on the goal at the top.\n\n"
          "Locks and bombs can appear in every world.",
          {5, 6, 10, 12},
          "A bomb bursts everything within two cells - but never the barrier."}},
        {"water1",
         {"WATER WORLD",
          "A snowman takes two hits: the first knocks its head off, the second brings it down.\n\n"
          "Ice walls never break or fall, and they hold up every bubble that touches them.",
          {20, 11, 3, 5},
          "Knock the heads off early: every hit snowman is one hit from gone."}},
        {"water2",
         {"WATER HOLES",
          "A shot that hits a water hole sinks into it and counts as a miss. Each hole takes "
          "exactly one shot and is gone; the sunken bubble stays in the water.",
          {21, 3, 5, 1},
          "Mind your misses: every sunken shot counts towards the next push-down."}},
        {"fire1",
         {"FIRE WORLD",
          "Lava gives way only to red: two red shots cool it to stone, and it crumbles. "
          "Any other colour simply sticks to it.\n\n"
          "Basalt walls glow but never break or fall.",
          {31, 1, 11, 2},
          "Keep a red shot ready when lava blocks the way to row three."}},
        {"fire2",
         {"BURNING FLAMES",
          "Shoot a flame with red and the fire runs to the next flame on the field, "
          "burning every bubble along its way. A lone flame just goes out.",
          {30, 1, 2, 4},
          "Two flames far apart make the longest path of fire."}},
        {"earth1",
         {"EARTH WORLD",
          "Hungry plants eat green shots. Feed one two greens and it is gone.\n\n"
          "Tree stumps are walls: they never fall and hold up what touches them.",
          {50, 4, 11, 2},
          "When no green fits anywhere, feed it to a plant."}},
        {"earth2",
         {"MUSHROOMS",
          "Mushrooms bounce the shot on: to the left, to the right, or straight up, as "
          "the arrow on the stem shows - unless the way is blocked.",
          {51, 4, 1, 3},
          "A mushroom whose way is blocked holds the shot like any bubble."}},
        {"air1",
         {"AIR WORLD",
          "A shot into a tornado sends it racing the way it points, sweeping away every "
          "bubble in its path until it meets a wall or a lock.\n\nCloud walls hold the field.",
          {40, 11, 3, 2},
          "A tornado pointing up under the barrier clears its whole column."}},
        {"air2",
         {"WIND CLOUDS",
          "Now and then a wind cloud wakes up and blows. A shot that crosses its wind is "
          "pushed along with it. Only one cloud blows at a time.",
          {41, 5, 6, 3},
          "Wait for the cloud to rest before a delicate shot."}},
    };
    auto it = pages.find(id);
    return it == pages.end() ? nullptr : &it->second;
}

const char* Caption(int kind)
{
    switch (kind)
    {
        case 1:
            return "red";
        case 2:
            return "yellow";
        case 3:
            return "blue";
        case 4:
            return "green";
        case 5:
            return "aqua";
        case 6:
            return "fuchsia";
        case 10:
            return "lock";
        case 11:
            return "wall";
        case 12:
            return "bomb";
        case 20:
            return "snowman";
        case 21:
            return "water hole";
        case 30:
            return "flame";
        case 31:
            return "lava";
        case 40:
            return "tornado";
        case 41:
            return "wind cloud";
        case 50:
            return "hungry plant";
        case 51:
            return "mushroom";
        default:
            return "";
    }
}

void HelpSprite(cairo_t* cr, int kind, const std::string& world, double cx, double cy)
{
    const std::map<std::string, Painter>& t = PainterTable();
    auto paint = [&](const char* painter, double w, double h, std::map<std::string, std::string> opts)
    {
        ImageSpec s;
        s.painter = painter;
        s.celWidth = int(w);
        s.celHeight = int(h);
        s.cols = 8;
        s.options = std::move(opts);
        double k = w > 100 ? 0.9 : 1.8;
        cairo_save(cr);
        cairo_translate(cr, cx - w * k / 2, cy - h * k / 2);
        cairo_scale(cr, k, k);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        t.at(painter)(cr, s, 0, w, h);
        cairo_restore(cr);
    };
    if (kind >= 1 && kind <= 6)
        DrawBubble(cr, cx, cy, 27, kind);
    else if (kind == 10)
        paint("lock", 31, 31, {});
    else if (kind == 11)
    {
        if (world == "fire")
            paint("wallfire", 31, 31, {});
        else if (world == "earth")
            paint("wallearth", 41, 33, {});
        else if (world == "air")
            paint("wallair", 37, 31, {});
        else
            paint("ice", 31, 31, {});
    }
    else if (kind == 12)
        paint("bomb", 37, 37, {});
    else if (kind == 20)
        paint("snowman", 31, 31, {{"part", "whole"}});
    else if (kind == 21)
        paint("waterhole", 57, 47, {});
    else if (kind == 30)
        paint("flame", 33, 36, {});
    else if (kind == 31)
        paint("lava", 39, 33, {});
    else if (kind == 40)
        paint("tornado", 45, 48, {{"dir", "3"}});
    else if (kind == 41)
        paint("wind", 148, 128, {{"dir", "2"}});
    else if (kind == 50)
        paint("plant", 55, 50, {{"mode", "idle"}});
    else if (kind == 51)
        paint("mushroom", 49, 40, {{"dir", "2"}});
}

void Help(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    std::string page = s.Opt("page");
    std::string world = page.substr(0, page.size() - 1);
    Palette p = WorldPalette(world == "common" ? "menu" : world);
    Palette ui = WorldPalette("menu");
    ui.mid = Mix(ui.mid, p.mid, 0.35);
    DrawPanel(cr, 0, 0, w, h, 18, ui);
    const HelpPage* hp = FindPage(page);
    if (!hp)
        return;
    TextStyle t = GoldText(28);
    DrawTextInBox(cr, hp->title, t, 20, 18, w - 40, 40);
    cairo_rectangle(cr, 40, 66, w - 80, 1);
    cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.6);
    cairo_fill(cr);
    // picture strip
    DrawInset(cr, 30, 80, w - 60, 150, 12);
    for (int i = 0; i < 4; ++i)
    {
        int kind = hp->kinds[i];
        double cx = 30 + (w - 60) * (i + 0.5) / 4;
        HelpSprite(cr, kind, world, cx, 150);
        TextStyle cap = UiText(12);
        cap.fill = Hex(0x9fe3ff);
        DrawTextInBox(cr, Caption(kind), cap, cx - 60, 204, 120, 18);
    }
    TextStyle body = UiText(16);
    body.bold = false;
    body.outline = 0;
    body.fill = Hex(0xf2f6ff);
    DrawParagraph(cr, hp->body, body, 40, 250, w - 80);
    // a tip in a box above the button strip
    DrawInset(cr, 30, 440, w - 60, 72, 10);
    DrawBubble(cr, 62, 476, 14, 2);
    TextStyle tipTitle = GoldText(14);
    DrawText(cr, "TIP", tipTitle, 88, 450, Align::Left);
    TextStyle tip = UiText(14);
    tip.bold = false;
    tip.outline = 0;
    tip.fill = Hex(0xfff6d8);
    DrawParagraph(cr, hp->tip, tip, 88, 470, w - 140);
    // the strip from y 528 holds the page buttons and CLOSE: keep it calm
    cairo_rectangle(cr, 20, 526, w - 40, 1);
    cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.4);
    cairo_fill(cr);
    TextStyle num = UiText(12);
    num.fill = Hex(0x9fe3ff);
    DrawText(cr, std::string(1, page.back()) + " / 2", num, 40, 533, Align::Left);
}

// ---- logos, cursors, avatars, splash, icon --------------------------------------

void Logo(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    if (s.Opt("kind") == "tamsery")
    {
        // the publisher: a wave in a roundel and the name
        cairo_arc(cr, 20, h / 2, 17, 0, 2 * M_PI);
        FillVertical(cr, h / 2 - 17, h / 2 + 17, Hex(0x9fe3ff), Hex(0x2d62e0));
        cairo_new_path(cr);
        cairo_move_to(cr, 8, h / 2 + 4);
        cairo_curve_to(cr, 16, h / 2 - 8, 24, h / 2 + 12, 36, h / 2 - 2);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        TextStyle t = UiText(12);
        t.condensed = true;
        DrawText(cr, "TAMSERY", t, 41, h / 2 - 15, Align::Left);
        TextStyle g = UiText(9);
        g.fill = Hex(0x9fe3ff);
        g.letterSpacing = 2.5;
        DrawText(cr, "GAMES", g, 42, h / 2 + 1, Align::Left);
        return;
    }
    // the studio: a compass vane over its name
    double cx = 40, cy = h / 2;
    Star(cr, cx, cy, 26, 6, 4, 0);
    FillVertical(cr, cy - 26, cy + 26, Hex(0xfff3b0), Hex(0xd08a1a));
    cairo_set_source_rgb(cr, 0.3, 0.16, 0.02);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.18, 0.38, 0.88);
    cairo_fill(cr);
    TextStyle t = GoldText(21);
    t.letterSpacing = 1;
    DrawTextInBox(cr, "CORVANE", t, 70, cy - 24, w - 72, 30);
    TextStyle g = UiText(10);
    g.fill = Hex(0x9fe3ff);
    g.letterSpacing = 4;
    DrawTextInBox(cr, "STUDIOS", g, 70, cy + 6, w - 72, 16);
    (void)w;
}

} // namespace

void CursorHotSpot(const std::string& kind, int& x, int& y)
{
    if (kind == "hand")
    {
        x = 11; // the tip of the pointing finger
        y = 4;
    }
    else if (kind == "dragging")
    {
        x = 15; // the middle of the closed fingers
        y = 10;
    }
    else if (kind == "text")
    {
        x = 5; // the middle of the beam
        y = 10;
    }
    else
    {
        x = 1; // the arrow's tip
        y = 1;
    }
}

namespace
{

void SkinPath(cairo_t* cr)
{
    cairo_set_source_rgb(cr, 1, 0.9, 0.78);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.28, 0.16, 0.06);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
}

// A pointing hand: the index finger up with its tip at (11, 4), three
// fingers folded beside it, the thumb on the left, the palm below.
void PointingHand(cairo_t* cr)
{
    RoundRect(cr, 6.5, 15.5, 19, 14, 5); // palm
    SkinPath(cr);
    cairo_move_to(cr, 8, 22); // thumb, laid along the palm's left side
    cairo_curve_to(cr, 4, 20, 2.5, 16.5, 3.5, 14.5);
    cairo_curve_to(cr, 4.5, 12.5, 7, 13.5, 9, 17);
    SkinPath(cr);
    for (int i = 0; i < 3; ++i) // folded fingers: knuckles over the palm
    {
        RoundRect(cr, 13.5 + i * 4, 12 + i * 0.8, 4.5, 8, 2.2);
        SkinPath(cr);
    }
    RoundRect(cr, 8.5, 3.5, 5, 16, 2.5); // index finger
    SkinPath(cr);
    cairo_move_to(cr, 9.8, 7); // nail
    cairo_line_to(cr, 12.2, 7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// A closed hand holding on: four knuckles in a row over the palm, their
// middle at (15, 10), the thumb across the front.
void GrabbingHand(cairo_t* cr)
{
    RoundRect(cr, 6.5, 12.5, 19, 14, 5); // palm
    SkinPath(cr);
    for (int i = 0; i < 4; ++i)
    {
        RoundRect(cr, 7 + i * 4.5, 8, 4.5, 9, 2.2);
        SkinPath(cr);
    }
    cairo_move_to(cr, 7, 18); // thumb folded over the fingers
    cairo_curve_to(cr, 4, 16, 5, 13, 8, 13.5);
    cairo_curve_to(cr, 11, 14, 14, 16, 16, 18.5);
    cairo_curve_to(cr, 13, 20, 10, 20, 7, 18);
    SkinPath(cr);
}

void Cursor(cairo_t* cr, const ImageSpec& s, int, double, double)
{
    // The click points are CursorHotSpot's.
    std::string kind = s.Opt("kind");
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (kind == "pointer")
    {
        cairo_move_to(cr, 1, 1);
        cairo_line_to(cr, 1, 21);
        cairo_line_to(cr, 6, 16.5);
        cairo_line_to(cr, 10, 25);
        cairo_line_to(cr, 13.5, 23.5);
        cairo_line_to(cr, 9.5, 15);
        cairo_line_to(cr, 16, 15);
        cairo_close_path(cr);
        FillVertical(cr, 0, 25, Hex(0xffffff), Hex(0xbfe8ff));
        cairo_set_source_rgb(cr, 0.05, 0.08, 0.25);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    else if (kind == "hand")
    {
        PointingHand(cr);
    }
    else if (kind == "dragging")
    {
        GrabbingHand(cr);
    }
    else
    {
        // text I-beam, clicked at the middle of the beam
        cairo_move_to(cr, 1, 1);
        cairo_line_to(cr, 9, 1);
        cairo_move_to(cr, 5, 1);
        cairo_line_to(cr, 5, 19);
        cairo_move_to(cr, 1, 19);
        cairo_line_to(cr, 9, 19);
        cairo_set_source_rgb(cr, 0.05, 0.08, 0.25);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke_preserve(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void Avatar(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    // Eight round-faced friends, each on its own colour.
    int n = s.OptInt("n", 1);
    static const uint32_t bg[] = {0x5fb2e6, 0xe8963a, 0x8a6ad8, 0x3cb83a, 0x6fc8ff, 0xd23cc8, 0xd0392b, 0xf7c81e};
    static const uint32_t face[] = {0x9a6a40, 0xe8702a, 0xb08a60, 0x7cd04a, 0x2a2a38, 0xf0e0d0, 0x3cae5a, 0xf7c81e};
    cairo_rectangle(cr, 0, 0, w, h);
    Rgb b = Hex(bg[(n - 1) % 8]);
    FillRadial(cr, w / 2, h / 3, w, Lighter(b, 0.4), Darker(b, 0.3));
    cairo_new_path(cr);
    Rgb f = Hex(face[(n - 1) % 8]);
    double cx = w / 2, cy = h / 2 + 6;
    // ears or crest
    for (int side = -1; side <= 1; side += 2)
    {
        if (n == 2 || n == 6)
        {
            cairo_move_to(cr, cx + side * 10, cy - 20);
            cairo_line_to(cr, cx + side * 26, cy - 36);
            cairo_line_to(cr, cx + side * 28, cy - 12);
        }
        else if (n == 3)
        {
            cairo_move_to(cr, cx + side * 12, cy - 22);
            cairo_line_to(cr, cx + side * 22, cy - 34);
            cairo_line_to(cr, cx + side * 26, cy - 16);
        }
        else if (n == 7)
        {
            cairo_move_to(cr, cx + side * 8, cy - 24);
            cairo_line_to(cr, cx + side * 14, cy - 38);
            cairo_line_to(cr, cx + side * 20, cy - 20);
        }
        else if (n == 8)
        {
            cairo_move_to(cr, cx + side * 6, cy - 24);
            cairo_curve_to(cr, cx + side * 8, cy - 34, cx + side * 14, cy - 38, cx + side * 16, cy - 36);
            cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            continue;
        }
        else if (n == 1 || n == 4)
        {
            cairo_arc(cr, cx + side * 20, cy - 20, 7, 0, 2 * M_PI);
        }
        else
            continue;
        cairo_close_path(cr);
        SetColour(cr, Darker(f, 0.1));
        cairo_fill(cr);
    }
    Ellipse(cr, cx, cy, 26, 24);
    FillRadial(cr, cx - 8, cy - 10, 34, Lighter(f, 0.35), Darker(f, 0.2));
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (n == 8)
        for (int i = 0; i < 2; ++i)
        {
            cairo_rectangle(cr, cx - 26, cy + 2 + i * 9, 52, 4);
            cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.8);
            cairo_fill(cr);
        }
    // muzzle
    Ellipse(cr, cx, cy + 9, 13, 9);
    cairo_set_source_rgba(cr, 1, 1, 1, n == 5 ? 0.95 : 0.55);
    cairo_fill(cr);
    // eyes
    for (int side = -1; side <= 1; side += 2)
    {
        double ex = cx + side * 10, ey = cy - 4;
        cairo_arc(cr, ex, ey, n == 3 ? 7 : 5, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        cairo_arc(cr, ex + 1, ey + 1, n == 3 ? 4 : 3, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.08, 0.08, 0.12);
        cairo_fill(cr);
        cairo_arc(cr, ex + 2, ey - 0.5, 1.1, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
    }
    // nose or beak and smile
    if (n == 3 || n == 5)
    {
        cairo_move_to(cr, cx - 4, cy + 4);
        cairo_line_to(cr, cx + 4, cy + 4);
        cairo_line_to(cr, cx, cy + 11);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 1, 0.65, 0.1);
        cairo_fill(cr);
    }
    else
    {
        Ellipse(cr, cx, cy + 5, 3.5, 2.5);
        cairo_set_source_rgb(cr, 0.15, 0.08, 0.08);
        cairo_fill(cr);
        cairo_arc(cr, cx, cy + 8, 6, 0.3, M_PI - 0.3);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    // cheeks
    for (int side = -1; side <= 1; side += 2)
    {
        Ellipse(cr, cx + side * 17, cy + 6, 4, 2.5);
        cairo_set_source_rgba(cr, 1, 0.4, 0.5, 0.45);
        cairo_fill(cr);
    }
}

void Splash(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    Sky(cr, w, h, Hex(0x070b2a), Hex(0x2c3f95));
    Rng rng(3);
    Stars(cr, rng, 40, w, h * 0.6);
    Hills(cr, w, h, h - 30, 5, 0.05, 1, Hex(0x0e2460));
    TextStyle t = GoldText(44);
    t.family = "DejaVu Serif";
    t.italic = true;
    t.outline = 2;
    t.shadow = 2;
    DrawTextInBox(cr, "Frothwick", t, 0, 22, w, 60);
    for (int i = 0; i < 6; ++i)
        DrawBubble(cr, 70 + i * 32, 98, 11, i + 1);
    TextStyle c = UiText(10);
    c.fill = Hex(0x9fe3ff);
    DrawTextInBox(cr, "CORVANE STUDIOS", c, 0, h - 24, w, 16);
    cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
    cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Icon(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    RoundRect(cr, 2, 2, w - 4, h - 4, 14);
    FillVertical(cr, 0, h, Hex(0x3b54c0), Hex(0x0e1440));
    cairo_new_path(cr);
    DrawBubble(cr, w * 0.36, h * 0.62, w * 0.2, 1);
    DrawBubble(cr, w * 0.64, h * 0.62, w * 0.2, 3);
    DrawBubble(cr, w * 0.5, h * 0.33, w * 0.2, 2);
}
} // namespace

void RegisterScenePainters(std::map<std::string, Painter>& t)
{
    t["background"] = Background;
    t["sphere"] = Sphere;
    t["worldsphere"] = WorldSphere;
    t["help"] = Help;
    t["logo"] = Logo;
    t["cursor"] = Cursor;
    t["avatar"] = Avatar;
    t["splash"] = Splash;
    t["icon"] = Icon;
}

} // namespace Art
