#include "src/play/StageFile.h"

#include "external/util/RandomUtil.h"
#include "external/util/RuntimeRandom.h"
#include "framework/platform/FileReplace.h"
#include "src/core/GameTypes.h"
#include "src/core/PlayHost.h"
#include "src/play/BubbleGrid.h"
#include "src/sprites/BombSprite.h"
#include "src/sprites/BubbleSprite.h"
#include "src/sprites/BurningFlameSprite.h"
#include "src/sprites/GreenEatingPlantSprite.h"
#include "src/sprites/LavaSprite.h"
#include "src/sprites/LockSprite.h"
#include "src/sprites/MushroomSprite.h"
#include "src/sprites/SnowManSprite.h"
#include "src/sprites/TornadoSprite.h"
#include "src/sprites/WallSprite.h"
#include "src/sprites/WaterHoleSprite.h"
#include "src/sprites/WindCloudSprite.h"

#include <algorithm>

namespace StageFile
{
namespace
{
constexpr std::int32_t FirstFilledRow = 3;
// Generated fields: colours fill rows 0 to 8 and obstacles stay in them.
constexpr std::int32_t GeneratedRows = 9;
constexpr std::int32_t GeneratedCells = GeneratedRows * GRID_COLUMNS;
constexpr std::int32_t FirstWallIndex = 2 * GRID_COLUMNS;

bool IsDirection(std::int32_t parameter)
{
    return parameter >= 1 && parameter <= 3;
}

std::int32_t Draw()
{
    return RuntimeRandom::Global().Next();
}

std::int32_t DrawDirection()
{
    return Draw() % 3 + 1;
}

// Creates each obstacle (its direction drawn first where it has one), draws
// its wanted cell and places it.
template <typename Make> void PlaceGenerated(BubbleGrid& grid, std::int32_t count, bool wall, Make make)
{
    for (std::int32_t i = 0; i < count; ++i)
    {
        std::shared_ptr<BubbleSprite> sprite = make();
        const std::int32_t row = wall ? Draw() % 7 + 2 : Draw() % GeneratedRows;
        const std::int32_t column = Draw() % GRID_COLUMNS;
        PlaceObstacle(grid, sprite, row, column);
    }
}
} // namespace

std::optional<Stage> Parse(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 5)
    {
        return std::nullopt;
    }
    const std::uint32_t magic = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    if (magic != Magic)
    {
        return std::nullopt;
    }
    Stage stage;
    stage.world = static_cast<std::int8_t>(bytes[4]);
    const std::span<const std::uint8_t> body = bytes.subspan(5);
    stage.records.reserve(body.size() / 4);
    for (std::size_t at = 0; at + 4 <= body.size(); at += 4)
    {
        stage.records.push_back({static_cast<std::int8_t>(body[at]), static_cast<std::int8_t>(body[at + 1]),
                                 static_cast<std::int8_t>(body[at + 2]), static_cast<std::int8_t>(body[at + 3])});
    }
    return stage;
}

std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path)
{
    // Only a regular file: a FIFO or a device named like a stage would block
    // or flood the start of the stage.
    std::vector<std::uint8_t> bytes;
    if (!Framework::ReadRegularFile(path, MaxFileBytes, bytes))
    {
        return std::nullopt;
    }
    return bytes;
}

std::filesystem::path StagePath(const std::string& name)
{
    std::string relative = "data\\" + name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return std::filesystem::path(relative);
}

std::int32_t WallElement(std::int32_t world)
{
    switch (world)
    {
        case Game::WorldAir:
            return WallSprite::ElementAir;
        case Game::WorldFire:
            return WallSprite::ElementFire;
        case Game::WorldWater:
            return WallSprite::ElementWater;
        case Game::WorldEarth:
            return WallSprite::ElementEarth;
        default:
            return -1;
    }
}

std::shared_ptr<BubbleSprite> MakeCellSprite(PlayHost& host, std::int32_t world, std::int32_t code,
                                             std::int32_t parameter)
{
    switch (code)
    {
        case KIND_LOCK:
            return std::make_shared<LockSprite>();
        case KIND_WALL:
        {
            const std::int32_t element = WallElement(world);
            if (element < 0)
            {
                return nullptr;
            }
            return std::make_shared<WallSprite>(host, element);
        }
        case KIND_BOMB:
            return std::make_shared<BombSprite>();
        case KIND_SNOWMAN:
            return std::make_shared<SnowManSprite>(host);
        case KIND_WATER_HOLE:
            return std::make_shared<WaterHoleSprite>();
        case KIND_BURNING_FLAME:
            return std::make_shared<BurningFlameSprite>();
        case KIND_LAVA:
            return std::make_shared<LavaSprite>();
        case KIND_TORNADO:
            return IsDirection(parameter) ? std::make_shared<TornadoSprite>(parameter) : nullptr;
        case KIND_WIND_CLOUD:
            return IsDirection(parameter) ? std::make_shared<WindCloudSprite>(host, parameter) : nullptr;
        case KIND_GREEN_EATING_PLANT:
            return std::make_shared<GreenEatingPlantSprite>();
        case KIND_MUSHROOM:
            return IsDirection(parameter) ? std::make_shared<MushroomSprite>(parameter) : nullptr;
        default:
            return nullptr;
    }
}

void PlaceStageCell(BubbleGrid& grid, PlayHost& host, std::int32_t row, std::int32_t column, std::int32_t code,
                    std::int32_t parameter)
{
    if (!BubbleGrid::IsInGrid(row, column))
    {
        return;
    }
    std::shared_ptr<BubbleSprite> sprite = MakeCellSprite(host, host.State().world, code, parameter);
    if (sprite)
    {
        grid.SetCell(row, column, std::move(sprite), true);
    }
}

void ApplyStage(BubbleGrid& grid, PlayHost& host, const Stage& stage)
{
    host.State().world = stage.world;
    std::int32_t maxRow = FirstFilledRow;
    for (const Record& record : stage.records)
    {
        if (!BubbleGrid::IsInGrid(record.row, record.column))
        {
            continue;
        }
        PlaceStageCell(grid, host, record.row, record.column, record.code, record.parameter);
        maxRow = std::max<std::int32_t>(maxRow, record.row);
    }
    RandomUtil random;
    for (std::int32_t row = FirstFilledRow; row <= maxRow; ++row)
    {
        for (std::int32_t column = 0; column < GRID_COLUMNS; ++column)
        {
            if (!grid.GetCell(row, column))
            {
                grid.SetCell(row, column, std::make_shared<BubbleSprite>(random.Next(KIND_RED, KIND_GREEN + 1)), true);
            }
        }
    }
}

bool LoadStageBytes(BubbleGrid& grid, PlayHost& host, std::span<const std::uint8_t> bytes)
{
    const std::optional<Stage> stage = Parse(bytes);
    if (!stage)
    {
        return false;
    }
    ApplyStage(grid, host, *stage);
    return true;
}

bool PlaceObstacle(BubbleGrid& grid, const std::shared_ptr<BubbleSprite>& sprite, std::int32_t row,
                   std::int32_t column)
{
    if (!sprite)
    {
        return false;
    }
    const std::int64_t wanted = std::int64_t(row) * GRID_COLUMNS + column;
    const auto tryAt = [&](std::int32_t index)
    {
        const std::int32_t r = index / GRID_COLUMNS;
        const std::int32_t c = index % GRID_COLUMNS;
        if (!grid.ObstacleFreeAround(r, c))
        {
            return false;
        }
        grid.SetCell(r, c, sprite, true);
        return true;
    };
    for (std::int64_t i = std::max<std::int64_t>(wanted, 0); i < GeneratedCells; ++i)
    {
        if (tryAt(static_cast<std::int32_t>(i)))
        {
            return true;
        }
    }
    const std::int32_t lowest = sprite->GetKind() == KIND_WALL ? FirstWallIndex : 0;
    for (std::int64_t i = std::min<std::int64_t>(wanted - 1, GeneratedCells - 1); i >= lowest; --i)
    {
        if (tryAt(static_cast<std::int32_t>(i)))
        {
            return true;
        }
    }
    return false;
}

void GenerateStage(BubbleGrid& grid, PlayHost& host, std::int32_t world)
{
    {
        RandomUtil random;
        const std::int32_t colours = host.ColourCount();
        for (std::int32_t row = 0; row < GeneratedRows; ++row)
        {
            for (std::int32_t column = 0; column < GRID_COLUMNS; ++column)
            {
                grid.SetCell(row, column, std::make_shared<BubbleSprite>(random.Next(KIND_RED, colours + 1)), true);
            }
        }
    }
    host.ConfigureObstacles();
    const auto count = [&host](std::int32_t index) { return host.ObstacleCount(index); };
    const std::int32_t element = WallElement(world);
    if (element >= 0)
    {
        PlaceGenerated(grid, count(ObstacleWall), true,
                       [&] { return std::make_shared<WallSprite>(host, element); });
    }
    switch (world)
    {
        case Game::WorldAir:
            PlaceGenerated(grid, count(ObstacleWindCloud), false,
                           [&] { return std::make_shared<WindCloudSprite>(host, DrawDirection()); });
            PlaceGenerated(grid, count(ObstacleTornado), false,
                           [] { return std::make_shared<TornadoSprite>(DrawDirection()); });
            break;
        case Game::WorldEarth:
            PlaceGenerated(grid, count(ObstaclePlant), false, [] { return std::make_shared<GreenEatingPlantSprite>(); });
            PlaceGenerated(grid, count(ObstacleMushroom), false,
                           [] { return std::make_shared<MushroomSprite>(DrawDirection()); });
            break;
        case Game::WorldFire:
            PlaceGenerated(grid, count(ObstacleLava), false, [] { return std::make_shared<LavaSprite>(); });
            PlaceGenerated(grid, count(ObstacleFlame), false, [] { return std::make_shared<BurningFlameSprite>(); });
            break;
        case Game::WorldWater:
            PlaceGenerated(grid, count(ObstacleSnowman), false, [&] { return std::make_shared<SnowManSprite>(host); });
            PlaceGenerated(grid, count(ObstacleWaterHole), false, [] { return std::make_shared<WaterHoleSprite>(); });
            break;
        default:
            break;
    }
    PlaceGenerated(grid, count(ObstacleLock), false, [] { return std::make_shared<LockSprite>(); });
    PlaceGenerated(grid, count(ObstacleBomb), false, [] { return std::make_shared<BombSprite>(); });
}
} // namespace StageFile
