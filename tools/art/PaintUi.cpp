// Buttons, labels, digits and banners: the game's controls share one look,
// a glassy night-blue pill with cream lettering; over lights it up, down
// presses it one pixel, disabled greys it out.
#include "tools/art/Painters.h"

#include <cmath>
#include <sstream>

namespace Art
{
namespace
{
enum Frame
{
    Normal = 0,
    Over = 1,
    Down = 2,
    Disabled = 3
};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> out;
    std::stringstream ss(text);
    std::string line;
    while (std::getline(ss, line, '|'))
        out.push_back(line);
    return out;
}

void Pill(cairo_t* cr, double x, double y, double w, double h, int frame, Rgb base)
{
    double r = std::min(h / 2, 9.0);
    if (frame == Over)
        base = Lighter(base, 0.25);
    if (frame == Down)
        base = Darker(base, 0.2);
    if (frame == Disabled)
        base = Mix(base, Hex(0x6a6f80), 0.8);
    double off = frame == Down ? 1 : 0;
    RoundRect(cr, x + 0.5, y + 1, w - 1, h - 1, r);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_fill(cr);
    RoundRect(cr, x + 0.5, y + 0.5 + off, w - 1, h - 1.5, r);
    FillVertical(cr, y, y + h, Lighter(base, 0.35), Darker(base, 0.35));
    cairo_set_line_width(cr, 1);
    SetColour(cr, frame == Over ? Hex(0xfff3b0) : Darker(base, 0.55));
    cairo_stroke(cr);
    // gloss
    RoundRect(cr, x + 2, y + 1.5 + off, w - 4, (h - 3) * 0.45, std::max(1.0, r - 1.5));
    cairo_set_source_rgba(cr, 1, 1, 1, frame == Disabled ? 0.12 : 0.28);
    cairo_fill(cr);
}

void TextButton(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // Menu entries: lettering on the panel, a soft glow behind when hovered.
    std::string text = s.Opt("text");
    double off = cel == Down ? 1 : 0;
    if (cel == Over || cel == Down)
    {
        RoundRect(cr, 1, 1, w - 2, h - 2, h / 2);
        FillVertical(cr, 0, h, Hex(0x9fe3ff, 0.35), Hex(0x3b6fd8, 0.25));
        cairo_new_path(cr);
    }
    TextStyle t = UiText(h * 0.78);
    t.letterSpacing = 0.6;
    // typeset="TEXT:WxH": entries of one menu share the size at which TEXT,
    // the longest of them, fills a WxH strip, so none is squeezed alone.
    std::string typeset = s.Opt("typeset");
    size_t colon = typeset.rfind(':');
    size_t by = typeset.find('x', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && by != std::string::npos)
    {
        std::string longest = typeset.substr(0, colon);
        double boxW = std::stod(typeset.substr(colon + 1, by - colon - 1));
        double boxH = std::stod(typeset.substr(by + 1));
        t = UiText(boxH * 0.78);
        t.letterSpacing = 0.6;
        for (int pass = 0; pass < 8; ++pass)
        {
            double tw, th;
            MeasureText(cr, longest, t, tw, th);
            double room = boxW - 2 * t.outline - t.shadow - 2;
            if (tw <= room)
                break;
            t = UiText(t.px * room / tw * 0.999);
            t.letterSpacing = 0.6;
        }
    }
    if (cel == Over)
    {
        t.fill = Hex(0xfff6b0);
        t.fill2 = Hex(0xffb02e);
    }
    if (cel == Disabled)
    {
        t.fill = Hex(0x8b90a6);
        t.outlineColour = Hex(0x20233a);
    }
    DrawTextInBox(cr, text, t, 0, off, w, h);
}

void PillButton(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    Rgb base = Hex(static_cast<uint32_t>(std::stoul(s.Opt("colour", "2f56b8"), nullptr, 16)));
    Pill(cr, 0, 0, w, h, cel, base);
    TextStyle t = UiText(std::max(8.0, h * 0.62));
    t.outline = h < 20 ? 0.9 : 1.3;
    double pad = h < 20 ? 1 : 2;
    if (h < 20)
    {
        // Small strips: capitals most of the strip high, the condensed cut
        // where the plain one would have to shrink to fit.
        t.px = h * 0.8;
        double tw, th;
        MeasureText(cr, s.Opt("text"), t, tw, th);
        if (tw > 0.9 * (w - 2 * pad - 2 * t.outline - 2))
            t.condensed = true;
    }
    if (cel == Disabled)
        t.fill = Hex(0xb0b4c4);
    DrawTextInBox(cr, s.Opt("text"), t, pad, cel == Down ? 1 : 0, w - 2 * pad, h);
}

void SideIcon(cairo_t* cr, const std::string& icon, double cx, double cy, double s)
{
    cairo_save(cr);
    cairo_set_source_rgba(cr, 1, 0.95, 0.75, 0.95);
    if (icon == "pause")
    {
        RoundRect(cr, cx - s * 0.45, cy - s * 0.5, s * 0.3, s, 1.5);
        RoundRect(cr, cx + s * 0.15, cy - s * 0.5, s * 0.3, s, 1.5);
        cairo_fill(cr);
    }
    else if (icon == "cup")
    {
        cairo_move_to(cr, cx - s * 0.5, cy - s * 0.5);
        cairo_line_to(cr, cx + s * 0.5, cy - s * 0.5);
        cairo_curve_to(cr, cx + s * 0.5, cy + s * 0.1, cx + s * 0.2, cy + s * 0.2, cx + s * 0.08, cy + s * 0.25);
        cairo_line_to(cr, cx + s * 0.08, cy + s * 0.4);
        cairo_line_to(cr, cx + s * 0.3, cy + s * 0.5);
        cairo_line_to(cr, cx - s * 0.3, cy + s * 0.5);
        cairo_line_to(cr, cx - s * 0.08, cy + s * 0.4);
        cairo_line_to(cr, cx - s * 0.08, cy + s * 0.25);
        cairo_curve_to(cr, cx - s * 0.2, cy + s * 0.2, cx - s * 0.5, cy + s * 0.1, cx - s * 0.5, cy - s * 0.5);
        FillVertical(cr, cy - s / 2, cy + s / 2, Hex(0xfff3b0), Hex(0xe89a20));
        cairo_new_path(cr);
    }
    else if (icon == "gear")
    {
        Star(cr, cx, cy, s * 0.5, s * 0.36, 8, 0);
        cairo_fill(cr);
        cairo_arc(cr, cx, cy, s * 0.16, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.1, 0.15, 0.4, 1);
        cairo_fill(cr);
    }
    else if (icon == "mode")
    {
        for (int i = 0; i < 3; ++i)
            DrawBubble(cr, cx - s * 0.3 + i * s * 0.3, cy + (i == 1 ? -s * 0.2 : s * 0.1), s * 0.22, i + 1, false);
    }
    cairo_restore(cr);
}

void SideButton(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    Pill(cr, 0, 0, w, h, cel, Hex(0x2a4ea8));
    std::string icon = s.Opt("icon");
    double left = 0;
    if (!icon.empty())
    {
        double is = std::min(h - 12, 26.0);
        SideIcon(cr, icon, 8 + is / 2, h / 2 + (cel == Down ? 1 : 0), is);
        left = is + 8;
    }
    auto lines = SplitLines(s.Opt("text"));
    TextStyle t = UiText(lines.size() > 1 ? 13 : std::min(16.0, h * 0.5));
    if (cel == Over)
    {
        t.fill = Hex(0xfff6b0);
        t.fill2 = Hex(0xffc24a);
    }
    if (cel == Disabled)
        t.fill = Hex(0xb0b4c4);
    double lh = (h - 8) / lines.size();
    for (size_t i = 0; i < lines.size(); ++i)
        DrawTextInBox(cr, lines[i], t, left + 2, 4 + i * lh + (cel == Down ? 1 : 0), w - left - 6, lh);
}

void IconButton(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    std::string icon = s.Opt("icon");
    Rgb base = icon == "close" ? Hex(0xc0392b) : Hex(0x2f56b8);
    if (icon == "thumb")
    {
        Pill(cr, 2, 0, w - 4, h, cel, base);
        for (int i = -1; i <= 1; ++i)
        {
            cairo_move_to(cr, 5, h / 2 + i * 4);
            cairo_line_to(cr, w - 5, h / 2 + i * 4);
        }
        cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        return;
    }
    Pill(cr, 0, 0, w, h, cel, base);
    double off = cel == Down ? 1 : 0;
    double cx = w / 2, cy = h / 2 + off;
    double k = std::min(w, h) * 0.28;
    cairo_set_source_rgba(cr, 1, 1, 1, cel == Disabled ? 0.5 : 0.95);
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (icon == "minimize")
    {
        cairo_move_to(cr, cx - k, cy + k * 0.7);
        cairo_line_to(cr, cx + k, cy + k * 0.7);
        cairo_stroke(cr);
    }
    else if (icon == "maximize")
    {
        cairo_set_line_width(cr, 1.3);
        cairo_rectangle(cr, cx - k, cy - k, 2 * k, 2 * k);
        cairo_stroke(cr);
    }
    else if (icon == "close")
    {
        cairo_move_to(cr, cx - k, cy - k);
        cairo_line_to(cr, cx + k, cy + k);
        cairo_move_to(cr, cx + k, cy - k);
        cairo_line_to(cr, cx - k, cy + k);
        cairo_stroke(cr);
    }
    else
    {
        double dx = 0, dy = 0;
        if (icon == "left")
            dx = -1;
        else if (icon == "right")
            dx = 1;
        else if (icon == "up")
            dy = -1;
        else
            dy = 1;
        double a = k * 1.2;
        cairo_move_to(cr, cx + dx * a, cy + dy * a);
        cairo_line_to(cr, cx - dx * a * 0.6 + dy * a, cy - dy * a * 0.6 + dx * a);
        cairo_line_to(cr, cx - dx * a * 0.6 - dy * a, cy - dy * a * 0.6 - dx * a);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
}

void WorldLabel(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    Palette p = WorldPalette(s.Opt("world"));
    TextStyle t = GoldText(18);
    if (cel == 1) // normal: the world's own colours
    {
        t.fill = Lighter(p.light, 0.3);
        t.fill2 = p.mid;
        t.outlineColour = Darker(p.deep, 0.3);
    }
    DrawTextInBox(cr, s.Opt("text"), t, 0, 0, w, h);
}

void StageButton(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    // A numbered pearl on a small pedestal; disabled stages are locked.
    double off = cel == Down ? 1 : 0;
    double cx = w / 2, cy = 17 + off, r = 15;
    Rgb body = cel == Over ? Hex(0xffd76a) : Hex(0x6fc8ff);
    if (cel == Disabled)
        body = Hex(0x6d7288);
    Ellipse(cr, cx, h - 5, 12, 3.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_pattern_t* pat = cairo_pattern_create_radial(cx - 5, cy - 6, 1, cx, cy, r);
    Rgb hi = Lighter(body, 0.6), lo = Darker(body, 0.5);
    cairo_pattern_add_color_stop_rgb(pat, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(pat, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, pat);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pat);
    SetColour(cr, Darker(body, 0.65));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // pedestal
    cairo_move_to(cr, cx - 8, cy + r - 2);
    cairo_line_to(cr, cx + 8, cy + r - 2);
    cairo_line_to(cr, cx + 11, h - 5);
    cairo_line_to(cr, cx - 11, h - 5);
    cairo_close_path(cr);
    FillVertical(cr, cy + r, h - 5, Hex(0xc9a45c), Hex(0x6b4a1e));
    cairo_new_path(cr);
    TextStyle t = UiText(14);
    if (cel == Disabled)
    {
        // padlock
        cairo_set_source_rgba(cr, 0.15, 0.15, 0.22, 0.9);
        RoundRect(cr, cx - 6, cy - 2, 12, 9, 1.5);
        cairo_fill(cr);
        cairo_arc(cr, cx, cy - 2, 4, M_PI, 2 * M_PI);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        return;
    }
    DrawTextInBox(cr, std::to_string(s.OptInt("num", 1)), t, cx - r, cy - r, 2 * r, 2 * r);
}

void Digits(cairo_t* cr, const ImageSpec& s, int cel, double w, double h)
{
    std::string style = s.Opt("style");
    TextStyle t;
    if (style == "stage")
        t = GoldText(h * 0.95);
    else if (style == "symbol")
    {
        t = UiText(h * 0.95);
        t.fill = Hex(0xffffff);
        t.outlineColour = Hex(0x300000);
    }
    else
    {
        t = UiText(h * 0.95);
        t.fill = Hex(0xffffff);
        t.fill2 = style == "score" ? Hex(0xffd76a) : Hex(0x9fe3ff);
    }
    t.condensed = w < h * 0.7;
    DrawTextInBox(cr, std::string(1, char('0' + cel)), t, 0, 0, w, h);
}

void SymbolX(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass)
    {
        cairo_move_to(cr, 4, 5);
        cairo_line_to(cr, w - 4, h - 5);
        cairo_move_to(cr, w - 4, 5);
        cairo_line_to(cr, 4, h - 5);
        if (pass == 0)
        {
            cairo_set_source_rgba(cr, 0.1, 0, 0, 0.9);
            cairo_set_line_width(cr, 5);
        }
        else
        {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_set_line_width(cr, 2.6);
        }
        cairo_stroke(cr);
    }
}

void Banner(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    std::string style = s.Opt("style");
    std::string text = s.Opt("text");
    if (style == "title")
    {
        // The game's name over a row of bubbles on a wave of froth.
        for (int i = 0; i < 9; ++i)
        {
            double x = 70 + i * 62, y = h - 58 + 8 * std::sin(i * 1.3);
            DrawBubble(cr, x, y, 11 + (i % 3) * 2.5, i % 6 + 1);
        }
        TextStyle t = GoldText(112);
        t.family = "DejaVu Serif";
        t.italic = true;
        t.outline = 4;
        t.shadow = 5;
        t.letterSpacing = 2;
        DrawTextInBox(cr, text, t, 0, 0, w, h - 60);
        TextStyle sub = UiText(20);
        sub.letterSpacing = 6;
        sub.fill = Hex(0x9fe3ff);
        DrawTextInBox(cr, "BUBBLES OF THE FOUR WORLDS", sub, 0, h - 34, w, 30);
        return;
    }
    if (style == "label")
    {
        TextStyle t = UiText(h * 0.8);
        t.fill = Hex(0x9fe3ff);
        DrawTextInBox(cr, text, t, 0, 0, w, h);
        return;
    }
    if (style == "badge")
    {
        Pill(cr, 0, 0, w, h, Normal, Hex(0xd0392b));
        TextStyle t = UiText(11);
        t.fill = Hex(0xfff3b0);
        DrawTextInBox(cr, text, t, 0, 0, w, h);
        return;
    }
    TextStyle t = GoldText(h * 0.72);
    if (style == "gameover")
    {
        t.fill = Hex(0xffb0a0);
        t.fill2 = Hex(0xb01818);
        t.outlineColour = Hex(0x1a0303);
    }
    else if (style == "water" || style == "fire" || style == "earth" || style == "air")
    {
        Palette p = WorldPalette(style);
        t.fill = Lighter(p.light, 0.4);
        t.fill2 = p.mid;
        t.outlineColour = Darker(p.deep, 0.4);
    }
    else if (style == "stage")
        t.italic = true;
    t.outline = std::max(2.0, h / 22);
    t.shadow = std::max(2.0, h / 25);
    t.letterSpacing = h / 30;
    if (style == "win" || style == "gameover")
    {
        // sparkles around the banner
        Rng rng(static_cast<uint32_t>(s.line * 7919));
        for (int i = 0; i < 14; ++i)
        {
            double x = rng.Uniform(6, w - 6), y = rng.Uniform(6, h - 6), r = rng.Uniform(3, 7);
            Star(cr, x, y, r, r * 0.3, 4, 0);
            cairo_set_source_rgba(cr, 1, 0.95, 0.7, style == "win" ? 0.8 : 0.35);
            cairo_fill(cr);
        }
    }
    DrawTextInBox(cr, text, t, 0, 0, w, h);
}

void MarkBall(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    Star(cr, w / 2, h / 2, w / 2, w / 5, 4, 0);
    FillRadial(cr, w / 2, h / 2, w / 2, Hex(0xffffff), Hex(0x9fe3ff, 0.3));
    cairo_new_path(cr);
}

void LoaderBar(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    bool full = s.OptInt("full", 0) != 0;
    RoundRect(cr, 0.5, 0.5, w - 1, h - 1, h / 2);
    if (full)
    {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.16, 0.55, 0.95);
        cairo_pattern_add_color_stop_rgb(p, 0.5, 0.2, 0.85, 0.85);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.85, 0.35);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        // little bubbles riding in the bar
        for (int i = 0; i < 18; ++i)
        {
            double x = 8 + i * 15.0, y = h / 2 + ((i * 7) % 5 - 2);
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, 2 + (i % 3), 0, 2 * M_PI);
        }
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_fill(cr);
        RoundRect(cr, 2, 2, w - 4, h / 2 - 2, h / 4);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_fill(cr);
    }
    else
    {
        FillVertical(cr, 0, h, Hex(0x05081e), Hex(0x1c2456));
        cairo_set_line_width(cr, 1.2);
        cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.8);
        cairo_stroke(cr);
    }
}

void VolMark(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    // slider knob: a small bubble on a stem
    RoundRect(cr, 1, 0.5, w - 2, h - 1, 4);
    FillVertical(cr, 0, h, Hex(0xfff3b0), Hex(0xe09a20));
    cairo_set_source_rgb(cr, 0.3, 0.16, 0.02);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, w / 2, 4);
    cairo_line_to(cr, w / 2, h - 4);
    cairo_set_source_rgba(cr, 0.3, 0.16, 0.02, 0.6);
    cairo_stroke(cr);
}

void FullMark(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass)
    {
        cairo_move_to(cr, 2.5, h * 0.55);
        cairo_line_to(cr, w * 0.42, h - 3);
        cairo_line_to(cr, w - 2, 2.5);
        cairo_set_line_width(cr, pass ? 2.2 : 4);
        if (pass)
            cairo_set_source_rgb(cr, 0.55, 1, 0.45);
        else
            cairo_set_source_rgba(cr, 0, 0.15, 0, 0.9);
        cairo_stroke(cr);
    }
}
} // namespace

void RegisterUiPainters(std::map<std::string, Painter>& t)
{
    t["textbutton"] = TextButton;
    t["pillbutton"] = PillButton;
    t["sidebutton"] = SideButton;
    t["iconbutton"] = IconButton;
    t["worldlabel"] = WorldLabel;
    t["stagebutton"] = StageButton;
    t["digits"] = Digits;
    t["symbolx"] = SymbolX;
    t["banner"] = Banner;
    t["markball"] = MarkBall;
    t["loaderbar"] = LoaderBar;
    t["volmark"] = VolMark;
    t["fullmark"] = FullMark;
}

} // namespace Art
