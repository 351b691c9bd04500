// Dialog and panel backgrounds. Each paints everything its widget does not
// draw itself: titles, labels, slider tracks, the empty check box, the boxes
// behind transparent text fields, avatar and tab boxes, and the messages of
// the warning and exit dialogs. Coordinates are those of the widgets that
// place their controls on these backgrounds.
#include "tools/art/Painters.h"

#include <cmath>

namespace Art
{
namespace
{
const Palette kUi = WorldPalette("menu");

void Title(cairo_t* cr, const std::string& text, double w, double y, double px = 17)
{
    TextStyle t = GoldText(px);
    t.letterSpacing = 1;
    DrawTextInBox(cr, text, t, 0, y, w, px + 8);
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double w, double h, Align align = Align::Left)
{
    TextStyle t = UiText(12);
    t.fill = Hex(0x9fe3ff);
    t.outline = 1;
    double tw, th;
    MeasureText(cr, text, t, tw, th);
    double tx = align == Align::Left ? x : align == Align::Right ? x + w - tw : x + (w - tw) / 2;
    DrawText(cr, text, t, tx, y + (h - th) / 2, Align::Left);
}

void AvatarBox(cairo_t* cr, double x, double y)
{
    DrawInset(cr, x - 2, y - 2, 84, 84, 6);
}

void Separator(cairo_t* cr, double x0, double x1, double y)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.62, 0.85, 1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0.62, 0.85, 1, 0.7);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.62, 0.85, 1, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x0, y, x1 - x0, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Message(cairo_t* cr, const std::string& text, double w)
{
    TextStyle t = UiText(16);
    DrawTextInBox(cr, text, t, 70, 18, w - 90, 44);
}

void Emblem(cairo_t* cr, double cx, double cy, bool warning)
{
    if (warning)
    {
        cairo_move_to(cr, cx, cy - 20);
        cairo_line_to(cr, cx + 22, cy + 18);
        cairo_line_to(cr, cx - 22, cy + 18);
        cairo_close_path(cr);
        FillVertical(cr, cy - 20, cy + 18, Hex(0xffe27a), Hex(0xe8961e));
        cairo_set_source_rgb(cr, 0.3, 0.15, 0.02);
        cairo_set_line_width(cr, 1.5);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        TextStyle t = UiText(22);
        t.fill = Hex(0x3a1c06);
        t.outline = 0;
        DrawTextInBox(cr, "!", t, cx - 10, cy - 10, 20, 26);
    }
    else
    {
        DrawBubble(cr, cx, cy, 20, 3, false);
        TextStyle t = UiText(24);
        DrawTextInBox(cr, "?", t, cx - 12, cy - 14, 24, 28);
    }
}

void Dialog(cairo_t* cr, const ImageSpec& s, int, double w, double h)
{
    std::string kind = s.Opt("kind");
    if (kind == "titlebar")
    {
        cairo_rectangle(cr, 0, 0, w, h);
        FillVertical(cr, 0, h, Hex(0x33449e), Hex(0x10153a));
        cairo_new_path(cr);
        cairo_rectangle(cr, 0, h - 1, w, 1);
        cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.7);
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 0, w, 1);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
        cairo_fill(cr);
        // a thin divider between the two text fields and a well for the buttons
        cairo_rectangle(cr, 138, 5, 1, h - 10);
        cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.4);
        cairo_fill(cr);
        RoundRect(cr, 734, 2, 64, h - 5, 5);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
        cairo_fill(cr);
        for (int i = 0; i < 5; ++i)
            DrawBubble(cr, 640 + i * 18, h / 2, 5, i % 6 + 1, false);
        return;
    }
    if (kind == "avatarframe")
    {
        // a ring of froth around a clear 64 x 64 window
        cairo_rectangle(cr, 0, 0, w, h);
        RoundRect(cr, 8, 8, w - 16, h - 16, 6);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        FillVertical(cr, 0, h, Hex(0xfff3b0), Hex(0xc07a18));
        cairo_new_path(cr);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 10);
        RoundRect(cr, 7.5, 7.5, w - 15, h - 15, 6);
        cairo_set_source_rgb(cr, 0.3, 0.16, 0.02);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        for (int i = 0; i < 4; ++i)
        {
            double cx = i % 2 ? w - 5 : 5, cy = i / 2 ? h - 5 : 5;
            DrawBubble(cr, cx, cy, 4.5, 3, false);
        }
        return;
    }
    if (kind == "hsworld" || kind == "hsdiff")
    {
        // tab i is the quest's table i: air, fire, water, earth
        const char* world[] = {"AIR", "FIRE", "WATER", "EARTH"};
        const char* diff[] = {"EASY", "NORMAL", "HARD", "EXPERT"};
        const int tabs[] = {127, 235, 344, 452};
        double origin = kind == "hsworld" ? 125 : 147;
        TextStyle t = UiText(13);
        for (int i = 0; i < 4; ++i)
        {
            double x = tabs[i] - origin + 29;
            t.fill = kind == "hsworld" ? Lighter(WorldPalette(world[i] == std::string("WATER")   ? "water"
                                                              : world[i] == std::string("FIRE")  ? "fire"
                                                              : world[i] == std::string("EARTH") ? "earth"
                                                                                                 : "air")
                                                     .light,
                                                 0.2)
                                       : Hex(0xfff6d8);
            DrawText(cr, kind == "hsworld" ? world[i] : diff[i], t, x, (h - 17) / 2, Align::Left);
        }
        return;
    }

    if (kind == "continue")
    {
        // Drawn over the continue dialog, centred on it and pulsing up to
        // 1.2 times its size: the YES and NO buttons below it, at (33, 32)
        // and (69, 32) of the dialog, show through a clear band across
        // (26, 29) to (102, 51) at every scale from 1.0 to 1.2.
        DrawPanel(cr, 0, 0, w, h, 14, kUi);
        TextStyle t = GoldText(16);
        DrawTextInBox(cr, s.Opt("text"), t, 4, 5, w - 8, 22);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        RoundRect(cr, 26, 29, 76, 22, 5);
        cairo_fill(cr);
        cairo_restore(cr);
        RoundRect(cr, 26.5, 29.5, 75, 21, 5);
        cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        TextStyle sub = UiText(11);
        sub.fill = Hex(0x9fe3ff);
        DrawTextInBox(cr, "Play this stage", sub, 4, 56, w - 8, 16);
        DrawTextInBox(cr, "once more?", sub, 4, 72, w - 8, 16);
        for (int i = 0; i < 3; ++i)
            DrawBubble(cr, w / 2 - 16 + i * 16, 96, 5, i + 1, false);
        return;
    }

    double radius = 14;
    DrawPanel(cr, 0, 0, w, h, radius, kUi);
    if (kind == "main")
    {
        Title(cr, "MAIN MENU", w, 14);
        Separator(cr, 20, w - 20, 44);
        Separator(cr, 20, w - 20, 160);
        for (int i = 0; i < 3; ++i)
            DrawBubble(cr, w / 2 - 16 + i * 16, 172, 5, i + 1, false);
    }
    else if (kind == "diff")
    {
        Title(cr, "DIFFICULTY", w, 14);
        Separator(cr, 20, w - 20, 44);
        Separator(cr, 20, w - 20, 142);
    }
    else if (kind == "changemode")
    {
        Title(cr, "CHANGE MODE", w, 14);
        Separator(cr, 20, w - 20, 44);
        Separator(cr, 20, w - 20, 116);
    }
    else if (kind == "stageselector")
    {
        // the world's sphere sits at (119, 28), 98 x 98; the stage buttons
        // follow its right edge in two columns at x 217 and 257
        cairo_arc(cr, 168, 77, 78, 0, 2 * M_PI);
        FillRadial(cr, 168, 77, 78, Hex(0x9fe3ff, 0.4), Hex(0x9fe3ff, 0));
        cairo_new_path(cr);
        Ellipse(cr, 168, 136, 44, 8);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
        cairo_fill(cr);
        RoundRect(cr, 210, 30, 92, 346 - 4, 12);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
        cairo_fill(cr);
        TextStyle t = GoldText(22);
        DrawTextInBox(cr, "CHOOSE", t, 14, 176, 190, 30);
        DrawTextInBox(cr, "A STAGE", t, 14, 206, 190, 30);
        TextStyle note = UiText(11);
        note.fill = Hex(0x9fe3ff);
        DrawTextInBox(cr, "Sixteen stages per world:", note, 14, 254, 190, 16);
        DrawTextInBox(cr, "clear one to open the next.", note, 14, 270, 190, 16);
        for (int i = 0; i < 4; ++i)
            DrawBubble(cr, 70 + i * 26, 320, 9, i + 1);
    }
    else if (kind == "login")
    {
        Title(cr, "CHOOSE YOUR PLAYER", w, 10);
        Separator(cr, 20, w - 20, 34);
        AvatarBox(cr, 15, 42);
        DrawInset(cr, 190, 63, 145, 22, 8);
        Label(cr, "Player", 104, 66, 62, 16, Align::Left);
    }
    else if (kind == "create")
    {
        Title(cr, "NEW PLAYER", w, 14);
        Separator(cr, 20, w - 20, 44);
        Label(cr, "Name", 40, 64, 100, 16, Align::Right);
        DrawInset(cr, 145, 62, 182, 20, 5);
        Label(cr, "Picture", 29, 100, 80, 18, Align::Centre);
        AvatarBox(cr, 29, 122);
        Label(cr, "Pick a picture with the arrows,", 130, 122, 230, 18);
        Label(cr, "or browse for one of your own.", 130, 140, 230, 18);
        Separator(cr, 20, w - 20, 202);
    }
    else if (kind == "settings")
    {
        Title(cr, "SETTINGS", w, 14);
        Separator(cr, 20, w - 20, 44);
        Label(cr, "Player name", 40, 59, 110, 16, Align::Right);
        DrawInset(cr, 156, 58, 182, 18, 5);
        Label(cr, "Picture", 39, 96, 80, 16, Align::Centre);
        AvatarBox(cr, 39, 115);
        Separator(cr, 20, w - 20, 202);
        Label(cr, "Music", 40, 213, 118, 19, Align::Right);
        Label(cr, "Sound", 40, 232, 118, 19, Align::Right);
        for (double y : {213.0, 232.0})
        {
            // the slider track: a groove across the 172 x 19 slider
            DrawInset(cr, 171, y + 6, 164, 7, 3.5);
            for (int i = 0; i <= 10; ++i)
            {
                cairo_rectangle(cr, 174 + i * 15.8, y + 15, 1, 3);
                cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.5);
                cairo_fill(cr);
            }
        }
        // empty check box at (164, 263)
        RoundRect(cr, 164.5, 263.5, 18, 18, 3);
        FillVertical(cr, 263, 282, Hex(0x05081e), Hex(0x1c2456));
        cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.9);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        Label(cr, "Full screen", 40, 263, 118, 19, Align::Right);
    }
    else if (kind == "exit" || kind == "warning")
    {
        Emblem(cr, 40, 42, kind == "warning");
        Message(cr, s.Opt("text"), w);
    }
    else if (kind == "highscore")
    {
        Title(cr, "HIGH SCORES", w, 10, 26);
        const int tabs[] = {127, 235, 344, 452};
        for (int x : tabs)
        {
            RoundRect(cr, x + 0.5, 58.5, 24, 24, 5);
            FillVertical(cr, 58, 83, Hex(0x05081e), Hex(0x1c2456));
            cairo_set_source_rgba(cr, 0.62, 0.85, 1, 0.9);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
        for (int c = 0; c < 2; ++c)
            for (int r = 0; r < 5; ++r)
            {
                // entry p: avatar at (x0 - 85, y0 - 50), name at y0 - 30, digits at y0,
                // with x0 = 145 or 475 and y0 = 140 + 88 p
                double x = c * 330 + 12, y = r * 88 + 90;
                DrawInset(cr, x, y - 2, 326, 84, 8);
                TextStyle t = GoldText(22);
                DrawText(cr, std::to_string(c * 5 + r + 1), t, x + 22, y + 26, Align::Centre);
                AvatarBox(cr, x + 48, y);
            }
        Separator(cr, 30, w - 30, 516);
    }
    else if (kind == "allclear" || kind == "clearone")
    {
        Rng rng(kind == "allclear" ? 11u : 23u);
        for (int i = 0; i < 40; ++i)
        {
            double x = rng.Uniform(20, w - 20), y = rng.Uniform(20, h - 20), r = rng.Uniform(1.5, 4);
            Star(cr, x, y, r * 2, r * 0.6, 4, 0);
            cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.5);
            cairo_fill(cr);
        }
        if (kind == "allclear")
        {
            TextStyle t = GoldText(54);
            DrawTextInBox(cr, "ALL CLEAR!", t, 20, 40, w - 40, 80);
            TextStyle m = UiText(18);
            DrawTextInBox(cr, "Water, fire, earth and air are yours.", m, 20, 140, w - 40, 30);
            DrawTextInBox(cr, "Every bubble of the four worlds has burst.", m, 20, 172, w - 40, 30);
            // the BACK TO MENU button sits at (190, 230): keep decorations below it
            for (int i = 0; i < 6; ++i)
                DrawBubble(cr, 150 + i * 60, 298, 16, i + 1);
        }
        else
        {
            TextStyle t = GoldText(44);
            DrawTextInBox(cr, "WORLD CLEARED", t, 20, 40, w - 40, 70);
            TextStyle m = UiText(18);
            DrawTextInBox(cr, "All sixteen stages are done.", m, 20, 118, w - 40, 30);
            DrawText(cr, "You have mastered", m, 400, 184, Align::Right);
            for (int i = 0; i < 4; ++i)
                DrawBubble(cr, 60 + i * 40, 298, 14, i + 1);
        }
    }
}
} // namespace

void RegisterDialogPainters(std::map<std::string, Painter>& t)
{
    t["dialog"] = Dialog;
}

} // namespace Art
