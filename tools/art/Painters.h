// Painters: the procedural drawing of every image family. A painter draws
// one cel: the context is translated to the cel's top-left corner and
// clipped to the cel (w x h pixels); `cel` counts from 0. Painters read
// their options from the ImageSpec and keep no state between calls, so every
// cel is drawn the same way on every run.
#pragma once

#include "tools/art/Canvas.h"
#include "tools/art/ImageTable.h"

#include <functional>
#include <map>
#include <string>

namespace Art
{

using Painter = std::function<void(cairo_t* cr, const ImageSpec& spec, int cel, double w, double h)>;

// All painters by the name used in the image table.
const std::map<std::string, Painter>& PainterTable();

// Palette of a world ("water", "fire", "earth", "air", "menu", "loader").
struct Palette
{
    Rgb deep, mid, light, accent;
};
Palette WorldPalette(const std::string& world);

// Shared pieces used across families.
Rgb BubbleColour(int kind); // kinds 1..6
void DrawBubble(cairo_t* cr, double cx, double cy, double r, int kind, bool mark = true);
void DrawPanel(cairo_t* cr, double x, double y, double w, double h, double radius, const Palette& p);
void DrawInset(cairo_t* cr, double x, double y, double w, double h, double radius);
TextStyle UiText(double px);   // cream text with a dark outline
TextStyle GoldText(double px); // gold gradient title text

// Family registrations (each adds its painters to the table).
// The click point of the cursor painter's kinds (pointer, hand, dragging,
// text) in the cel's pixels; written beside the cursor images.
void CursorHotSpot(const std::string& kind, int& x, int& y);

void RegisterUiPainters(std::map<std::string, Painter>& table);
void RegisterDialogPainters(std::map<std::string, Painter>& table);
void RegisterSpritePainters(std::map<std::string, Painter>& table);
void RegisterEffectPainters(std::map<std::string, Painter>& table);
void RegisterScenePainters(std::map<std::string, Painter>& table);
void RegisterAppIconPainters(std::map<std::string, Painter>& table);

} // namespace Art
