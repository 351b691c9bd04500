// StageFile: stage set-up of the play field's grid -- the quest's stage
// files and the generated fields of the arcade and time modes.
//
// A stage file is little-endian: the magic 0x01321A98 (bytes 98 1A 32 01),
// one signed world byte (1 water, 2 fire, 3 earth, 4 air), then 4-byte
// records of signed bytes (row, column, cell code, parameter) up to the last
// whole record; a 1- to 3-byte tail is ignored. A file without the magic or
// without the world byte holds no stage.
//
// Loading sets the host's world from the file, places each record inside
// the grid as the sprite of its code (records outside the grid are ignored
// entirely), then fills the empty cells of rows 3 to the lowest record row
// (at least 3) with colours 1 to 4 from one RandomUtil. Codes that name no
// obstacle, and a tornado, wind cloud or mushroom whose parameter is not 1 to
// 3, leave their cell as it was.
//
// Generation fills rows 0 to 8 with colours 1 to ColourCount() from one
// RandomUtil, asks the host for the obstacle counts and places the world's
// obstacles, then the locks and bombs, drawing every obstacle's direction,
// construction and wanted cell from RuntimeRandom::Global() in that order.
//
// The grid's sprites are shared with the grid; obstacles that need the host
// keep a reference to it, so the host must outlive the grid's sprites. Main
// thread only. Nothing here reads a clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class BubbleGrid;
class BubbleSprite;
class PlayHost;

namespace StageFile
{
inline constexpr std::uint32_t Magic = 0x01321A98u;
// Larger files are read only this far (a full stage takes under 1 KiB).
inline constexpr std::size_t MaxFileBytes = std::size_t(1) << 20;

struct Record
{
    std::int8_t row = 0;
    std::int8_t column = 0;
    std::int8_t code = 0;
    std::int8_t parameter = 0;
};

struct Stage
{
    std::int8_t world = 0;
    std::vector<Record> records;
};

// The stage the bytes hold; empty when the magic or the world byte is missing.
std::optional<Stage> Parse(std::span<const std::uint8_t> bytes);

// The file's bytes; empty when it cannot be read, is not a regular file or
// holds more than MaxFileBytes.
std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path);

// A stage file name as the design script gives it, "data\" in front and
// backslashes turned into the platform's separators.
std::filesystem::path StagePath(const std::string& name);

// The wall element of a world: 4 air -> 0, 2 fire -> 1, 1 water -> 2,
// 3 earth -> 3; -1 for any other world (no walls).
std::int32_t WallElement(std::int32_t world);

// The new sprite of one cell code, or none (see above).
std::shared_ptr<BubbleSprite> MakeCellSprite(PlayHost& host, std::int32_t world, std::int32_t code,
                                             std::int32_t parameter);

// One record: stores the code's sprite in the cell (repositioned); a cell
// outside the grid or a code without a sprite changes nothing. Walls take
// the element of the host's current world.
void PlaceStageCell(BubbleGrid& grid, PlayHost& host, std::int32_t row, std::int32_t column, std::int32_t code,
                    std::int32_t parameter);

// Sets the host's world and fills the grid from the stage (see above).
void ApplyStage(BubbleGrid& grid, PlayHost& host, const Stage& stage);

// Parse and ApplyStage; false (grid and world untouched) without a stage.
bool LoadStageBytes(BubbleGrid& grid, PlayHost& host, std::span<const std::uint8_t> bytes);

// Stores a generated obstacle at the first cell from the wanted one onwards
// (up to row 8) with no obstacle in its 3 x 3 block, else at the first such
// cell searching back from the one before the wanted down to row 2 (walls)
// or row 0. False when there is none; the sprite is then dropped.
bool PlaceObstacle(BubbleGrid& grid, const std::shared_ptr<BubbleSprite>& sprite, std::int32_t row,
                   std::int32_t column);

// The generated field of the arcade and time modes for `world`.
void GenerateStage(BubbleGrid& grid, PlayHost& host, std::int32_t world);
} // namespace StageFile
