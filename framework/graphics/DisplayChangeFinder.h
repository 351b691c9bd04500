// DisplayChangeFinder: which parts of a frame differ from the last frame it
// saw, as a short list of rectangles.
//
// Rows are compared whole first (memcmp of a line is far cheaper than tile
// bookkeeping, and most rows of a frame are unchanged); only in bands of
// 32 rows that hold a changed row are 32 x 32 tiles compared. Changed tiles
// next to each other in a band are merged, and a rectangle spans only the
// changed rows of its band. The finder keeps its own copy of the last frame
// and updates it for the parts it reports. Not thread-safe.
#pragma once

#include <cstdint>
#include <vector>

namespace Framework
{

struct ChangedRect
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

class DisplayChangeFinder
{
public:
    static constexpr int32_t TileSize = 32;

    // Forgets the last frame: the next Find reports the whole frame.
    void Reset();

    // Compares the frame (width x height words, pitch in words) with the last
    // one. whole: set when the whole frame must be shown (first frame, size
    // change, after Reset); the list is then one full rectangle.
    std::vector<ChangedRect> Find(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchWords,
                                  bool& whole);

private:
    std::vector<uint32_t> previous;
    int32_t prevWidth = 0;
    int32_t prevHeight = 0;
    std::vector<uint8_t> rowChanged;
};

} // namespace Framework
