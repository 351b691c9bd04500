// The program's icon: one blue bubble on a tile of the title's gold, drawn
// at every size it is installed in (16 to 256 pixels) so small sizes stay
// crisp rather than scaled down.
#include "tools/art/Painters.h"

#include <algorithm>
#include <cmath>

namespace Art
{

namespace
{

void AppIcon(cairo_t* cr, const ImageSpec&, int, double w, double h)
{
    const double s = std::min(w, h);
    // Small sizes keep a thicker rim and no inner detail, which would blur.
    const bool small = s < 32;
    const double rim = std::max(1.0, s / 28);
    const double inset = small ? 0.5 : s / 32;
    RoundRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, s * 0.2);
    FillVertical(cr, inset, h - inset, Hex(0xfff3b0), Hex(0xf0a020));
    const Rgb edge = Hex(0x3a1c06);
    cairo_set_source_rgb(cr, edge.r, edge.g, edge.b);
    cairo_set_line_width(cr, rim);
    cairo_stroke(cr);
    cairo_new_path(cr);
    DrawBubble(cr, w * 0.5, h * 0.52, s * (small ? 0.34 : 0.32), 3, !small);
}

} // namespace

void RegisterAppIconPainters(std::map<std::string, Painter>& t)
{
    t["appicon"] = AppIcon;
}

} // namespace Art
