// Flip-books and the quest goal: each cel is one moment of a one-shot or
// looping animation, its time t running from 0 at cel 0 to 1 at the last.
#include "tools/art/Painters.h"

#include <cmath>

namespace Art
{
void PaintLavaBlob(cairo_t* cr, double cx, double cy, double r, double t, double crust);
void PaintSnowman(cairo_t* cr, double cx, double cy, bool head, bool body);
void PaintFlame(cairo_t* cr, double cx, double base, double height, double width, double sway);

namespace
{
double T(const ImageSpec& s, int cel)
{
    return s.cols > 1 ? double(cel) / (s.cols - 1) : 0;
}

void BombBurst(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // The bomb's cell sits at (49, 32): a flash, a fireball, then smoke.
    double t = T(s, cel);
    double cx = 49 + 15.5, cy = 32 + 15.5;
    double r = 10 + 42 * std::sqrt(t);
    if (t < 0.75)
    {
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
        double a = 1 - t / 0.75;
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.9, a);
        cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 0.8, 0.2, a);
        cairo_pattern_add_color_stop_rgba(p, 0.8, 0.95, 0.3, 0.05, a * 0.8);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.1, 0, 0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    Rng rng(99);
    for (int i = 0; i < 14; ++i)
    {
        double a = rng.Uniform(0, 2 * M_PI), sp = rng.Uniform(0.6, 1.0), sz = rng.Uniform(5, 11);
        double d = r * sp * 1.05;
        double x = cx + d * std::cos(a), y = cy + d * std::sin(a) * 0.75 - t * 10;
        cairo_arc(cr, x, y, sz * (0.5 + t), 0, 2 * M_PI);
        double g = 0.35 + 0.2 * (1 - t);
        cairo_set_source_rgba(cr, g, g * 0.95, g * 0.9, 0.55 * (1 - t));
        cairo_fill(cr);
    }
    for (int i = 0; i < 10; ++i)
    {
        double a = rng.Uniform(0, 2 * M_PI);
        double d = 8 + t * rng.Uniform(40, 60);
        cairo_arc(cr, cx + d * std::cos(a), cy + d * std::sin(a) * 0.8, 1.8 * (1 - t) + 0.3, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 0.9, 0.4, 1 - t);
        cairo_fill(cr);
    }
    (void)w;
    (void)h;
}

void Particle(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A spark that fades from a white star to a small coloured dot.
    double t = T(s, cel);
    Star(cr, w / 2, h / 2, (w / 2 - 0.5) * (1 - t * 0.6), 1.2, 4, t);
    FillRadial(cr, w / 2, h / 2, w / 2, Hex(0xffffff), Hex(0x9fe3ff, 0.2 * (1 - t)));
    cairo_new_path(cr);
}

void WaterBubble(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    cairo_arc(cr, w / 2, h / 2, w / 2 - 1, 0, 2 * M_PI);
    FillRadial(cr, w / 2 - 2, h / 2 - 2, w / 2, Hex(0xffffff, 0.15), Hex(0xbfefff, 0.5));
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Ellipse(cr, w / 2 - 2.5, h / 2 - 3, 2.5, 1.6);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
    cairo_fill(cr);
}

void SnowmanHit(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // The hit knocks snow off: the snowman wobbles inside a puff of flakes.
    double t = T(s, cel);
    cairo_save(cr);
    cairo_translate(cr, w / 2, h);
    cairo_rotate(cr, std::sin(t * 3 * M_PI) * 0.18 * (1 - t));
    cairo_translate(cr, -w / 2, -h);
    PaintSnowman(cr, w / 2, h / 2 + 2, true, true);
    cairo_restore(cr);
    Rng rng(5);
    for (int i = 0; i < 10; ++i)
    {
        double a = rng.Uniform(0, 2 * M_PI), d = 4 + t * 13;
        cairo_arc(cr, w / 2 + d * std::cos(a), h / 2 - 4 + d * std::sin(a), 1.5, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 1 - t * 0.8);
        cairo_fill(cr);
    }
}

void LavaDry(cairo_t* cr, const ImageSpec& s, int cel, double, double)
{
    // The lava cools to stone, cracks and crumbles away.
    double t = T(s, cel);
    double cx = 4 + 15.5, cy = 16;
    if (t < 0.5)
    {
        double u = t / 0.5;
        PaintLavaBlob(cr, cx, cy, 15 - u * 2, u, 0.55 + u * 0.45);
        cairo_arc(cr, cx, cy, 14, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.3, 0.25, 0.24, u * 0.8);
        cairo_fill(cr);
        return;
    }
    double u = (t - 0.5) / 0.5;
    Rng rng(17);
    for (int i = 0; i < 9; ++i)
    {
        double a = i * 2 * M_PI / 9 + rng.Uniform(-0.2, 0.2);
        double d = 6 * (i % 3 != 0) + u * 8;
        double x = cx + d * std::cos(a), y = cy + d * std::sin(a) + u * u * 14;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a + u * 2);
        cairo_move_to(cr, -5, -4);
        cairo_line_to(cr, 5, -3);
        cairo_line_to(cr, 3, 4);
        cairo_line_to(cr, -4, 3);
        cairo_close_path(cr);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.32, 0.27, 0.25, 1 - u * 0.9);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 0.4, 0.1, 0.6 * (1 - u));
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
}

void RedMelt(cairo_t* cr, const ImageSpec& s, int cel, double, double)
{
    // A red shot melts into the lava: the ball glows white-hot and ripples.
    double t = T(s, cel);
    double cx = 4 + 15.5, cy = 16;
    PaintLavaBlob(cr, cx, cy, 15, t, 0.55 * (1 - std::sin(t * M_PI)));
    cairo_arc(cr, cx, cy, 4 + 11 * std::sin(t * M_PI), 0, 2 * M_PI);
    FillRadial(cr, cx, cy, 15, Hex(0xffffff, 0.85 * std::sin(t * M_PI)), Hex(0xffa640, 0));
    cairo_new_path(cr);
    for (int i = 0; i < 2; ++i)
    {
        double rr = 6 + std::fmod(t * 16 + i * 8, 16);
        cairo_arc(cr, cx, cy, rr, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.5 * (1 - rr / 22));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void Burst(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // Flame or gust rising from the bottom cell of a tall strip.
    bool fire = s.Opt("kind") == "fire";
    double t = T(s, cel);
    double a = t < 0.3 ? t / 0.3 : 1 - (t - 0.3) / 0.7;
    double height = 20 + 40 * std::min(1.0, t * 1.6);
    double base = h - 4;
    if (fire)
    {
        PaintFlame(cr, w / 2, base, height, w - 4, std::sin(t * 9) * 2);
        FillVertical(cr, base - height, base, Hex(0xffe27a, a), Hex(0xe03a10, a));
        cairo_new_path(cr);
        PaintFlame(cr, w / 2, base, height * 0.6, w * 0.5, -std::sin(t * 9));
        FillVertical(cr, base - height * 0.6, base, Hex(0xffffff, a), Hex(0xffb640, a));
        cairo_new_path(cr);
    }
    else
    {
        for (int i = 0; i < 6; ++i)
        {
            double y = base - i * height / 6;
            double rw = (w / 2 - 2) * (0.5 + 0.5 * i / 6.0);
            Ellipse(cr, w / 2 + std::sin(t * 8 + i) * 2, y, rw, 2.5);
            cairo_set_source_rgba(cr, 0.9, 0.95, 1, a * (0.9 - i * 0.08));
            cairo_set_line_width(cr, 1.8);
            cairo_stroke(cr);
        }
    }
}

void Goal(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // The goal orb the last shot must reach, one per world, gently pulsing.
    std::string world = s.Opt("world");
    Palette p = WorldPalette(world);
    double t = double(cel) / s.cols;
    double pulse = 0.5 + 0.5 * std::sin(t * 2 * M_PI);
    double cx = w / 2, cy = h / 2;
    cairo_arc(cr, cx, cy, 26, 0, 2 * M_PI);
    FillRadial(cr, cx, cy, 26, Mix(p.light, Hex(0xffffff), 0.3 * pulse), Hex(0xffffff, 0));
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 15, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 5, cy - 5, 1, cx, cy, 16);
    Rgb hi = Lighter(p.light, 0.5), lo = p.mid;
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // orbiting motes of the world's element
    for (int i = 0; i < 4; ++i)
    {
        double a = t * 2 * M_PI + i * M_PI / 2;
        double x = cx + 21 * std::cos(a), y = cy + 9 * std::sin(a);
        cairo_arc(cr, x, y, 2.2, 0, 2 * M_PI);
        SetColour(cr, world == "fire" ? Hex(0xffe27a) : world == "earth" ? Hex(0xbadb6a) : Hex(0xffffff));
        cairo_fill(cr);
    }
    Star(cr, cx, cy, 8 + 3 * pulse, 2.5, 4, t * M_PI / 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_fill(cr);
}

void GoalIce(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // Icicles hanging over the water goal, dripping slowly.
    double t = double(cel) / s.cols;
    for (int i = 0; i < 3; ++i)
    {
        double x = 5 + i * 10, len = 26 + (i % 2) * 12;
        cairo_move_to(cr, x - 4, 0);
        cairo_line_to(cr, x + 4, 0);
        cairo_line_to(cr, x, len);
        cairo_close_path(cr);
        FillVertical(cr, 0, len, Hex(0xffffff, 0.95), Hex(0x8fd8ff, 0.7));
        cairo_new_path(cr);
        double dy = len + std::fmod(t * 20 + i * 7, 10);
        if (dy < h - 2)
        {
            cairo_arc(cr, x, dy, 1.4, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 0.85, 0.95, 1, 0.9);
            cairo_fill(cr);
        }
    }
    (void)w;
}

void GoalSparkle(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    double t = T(s, cel);
    double a = std::sin(t * M_PI);
    Star(cr, w / 2, h * (0.2 + 0.6 * t), 2 + 9 * a, 1, 4, 0);
    cairo_set_source_rgba(cr, 1, 1, 1, a);
    cairo_fill(cr);
}

void Goddess(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    // The shrine arch that frames the goal over columns 5 to 10.
    double cx = w / 2;
    cairo_move_to(cr, 6, h);
    cairo_line_to(cr, 6, 22);
    cairo_curve_to(cr, 6, -4, w - 6, -4, w - 6, 22);
    cairo_line_to(cr, w - 6, h);
    cairo_line_to(cr, w - 16, h);
    cairo_line_to(cr, w - 16, 24);
    cairo_curve_to(cr, w - 16, 6, 16, 6, 16, 24);
    cairo_line_to(cr, 16, h);
    cairo_close_path(cr);
    FillVertical(cr, 0, h, Hex(0xfff3c0), Hex(0xb08a40));
    cairo_set_source_rgb(cr, 0.35, 0.22, 0.05);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // keystone gem and laurels
    cairo_move_to(cr, cx, 0.5);
    cairo_line_to(cr, cx + 7, 7);
    cairo_line_to(cr, cx, 14);
    cairo_line_to(cr, cx - 7, 7);
    cairo_close_path(cr);
    FillVertical(cr, 0, 14, Hex(0xbfefff), Hex(0x2d62e0));
    cairo_new_path(cr);
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 4; ++i)
        {
            double x = cx + side * (14 + i * 11), y = 6 + i * 2.5;
            Ellipse(cr, x, y, 4.5, 2.2);
            cairo_set_source_rgb(cr, 0.35, 0.62, 0.22);
            cairo_fill(cr);
        }
    for (int side = 0; side < 2; ++side)
        for (int i = 0; i < 3; ++i)
        {
            double x = side ? w - 11 : 11;
            cairo_rectangle(cr, x - 5, 30 + i * 11, 10, 1);
            cairo_set_source_rgba(cr, 0.4, 0.25, 0.05, 0.5);
            cairo_fill(cr);
        }
}

void GoalShine(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    double t = T(s, cel);
    double a = std::sin(t * M_PI);
    for (int i = 0; i < 8; ++i)
    {
        double ang = i * M_PI / 4 + t;
        cairo_move_to(cr, w / 2, h / 2);
        cairo_line_to(cr, w / 2 + 30 * std::cos(ang - 0.08), h / 2 + 30 * std::sin(ang - 0.08));
        cairo_line_to(cr, w / 2 + 30 * std::cos(ang + 0.08), h / 2 + 30 * std::sin(ang + 0.08));
        cairo_close_path(cr);
    }
    cairo_set_source_rgba(cr, 1, 0.97, 0.8, 0.7 * a);
    cairo_fill(cr);
    cairo_arc(cr, w / 2, h / 2, 10 + 12 * t, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8 * (1 - t));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void HitGlow(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // The burst of light when the barrier breaks: a rotating star burst.
    double t = double(cel) / s.cols;
    cairo_arc(cr, w / 2, h / 2, w / 2, 0, 2 * M_PI);
    FillRadial(cr, w / 2, h / 2, w / 2, Hex(0xffffff, 0.9), Hex(0xffd76a, 0));
    cairo_new_path(cr);
    Star(cr, w / 2, h / 2, w / 2 - 4, w / 8, 12, t * M_PI / 6);
    cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.55);
    cairo_fill(cr);
    Star(cr, w / 2, h / 2, w / 3, w / 12, 8, -t * M_PI / 4);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_fill(cr);
}
} // namespace

void RegisterEffectPainters(std::map<std::string, Painter>& t)
{
    t["bombburst"] = BombBurst;
    t["particle"] = Particle;
    t["waterbubble"] = WaterBubble;
    t["snowmanhit"] = SnowmanHit;
    t["lavadry"] = LavaDry;
    t["redmelt"] = RedMelt;
    t["burst"] = Burst;
    t["goal"] = Goal;
    t["goalice"] = GoalIce;
    t["goalsparkle"] = GoalSparkle;
    t["goddess"] = Goddess;
    t["goalshine"] = GoalShine;
    t["hitglow"] = HitGlow;
}

} // namespace Art
