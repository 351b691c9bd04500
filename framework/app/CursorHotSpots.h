// CursorHotSpots: the table the art generator writes beside the cursor
// images ("images/cursor/hotspots.txt"): one line "IDENTIFIER x y" per
// cursor image, the click point in the image's pixels; lines starting with
// '#' and blank lines are skipped. The file is untrusted: a line that does
// not read as an identifier and two numbers from 0 to 255 is ignored, and a
// missing file gives an empty table (every cursor then clicks at (0, 0)).
#pragma once

#include <map>
#include <string>

#include "framework/widgets/WidgetFlags.h"

namespace Framework
{

using CursorHotSpotTable = std::map<std::string, Point>;

CursorHotSpotTable ParseCursorHotSpots(const std::string& text);
// False when the file cannot be read.
bool ReadCursorHotSpots(const std::string& path, CursorHotSpotTable& table);

} // namespace Framework
