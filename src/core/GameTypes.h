// GameTypes: the game's vocabulary, defined once. Modes, difficulties,
// worlds and quest bases, bubble kinds (the same numbers are the cell codes
// of stage files), the grid's geometry and direction codes, song ids, the
// menu background's panel numbers, the warning dialog's kinds and the
// screen's size. Plain constants only: no type here owns anything, and the
// header needs nothing but the standard library.
#pragma once

#include <cstdint>

// The screen the whole game is drawn for.
inline constexpr int32_t SCREEN_WIDTH = 800;
inline constexpr int32_t SCREEN_HEIGHT = 600;

namespace Game
{
// Game modes.
inline constexpr int32_t ModeArcade = 100;
inline constexpr int32_t ModeQuest = 101;
inline constexpr int32_t ModeTime = 102;

// Difficulties.
inline constexpr int32_t Easy = 0;
inline constexpr int32_t Normal = 1;
inline constexpr int32_t Hard = 2;
inline constexpr int32_t Expert = 3;

// Worlds.
inline constexpr int32_t WorldWater = 1;
inline constexpr int32_t WorldFire = 2;
inline constexpr int32_t WorldEarth = 3;
inline constexpr int32_t WorldAir = 4;

// A quest stage id is its world's base plus the stage index 0 to 15.
inline constexpr int32_t QuestBaseAir = 10000;
inline constexpr int32_t QuestBaseFire = 20000;
inline constexpr int32_t QuestBaseWater = 30000;
inline constexpr int32_t QuestBaseEarth = 40000;
inline constexpr int32_t QuestStagesPerWorld = 16;

// Misses before the field is pushed down a row (arcade and quest).
inline constexpr int32_t ShotsPerPushDown = 6;

// The names the game shows for a mode and a difficulty; values outside the
// ranges read as arcade and easy.
constexpr const char* ModeName(int32_t mode)
{
    return mode == ModeQuest ? "Quest" : (mode == ModeTime ? "Time" : "Arcade");
}
constexpr const char* DifficultyName(int32_t difficulty)
{
    return difficulty == Normal ? "normal" : (difficulty == Hard ? "hard" : (difficulty == Expert ? "expert" : "easy"));
}

// The quest base of a world, 0 for a world outside 1 to 4.
constexpr int32_t QuestBase(int32_t world)
{
    switch (world)
    {
    case WorldAir: return QuestBaseAir;
    case WorldFire: return QuestBaseFire;
    case WorldWater: return QuestBaseWater;
    case WorldEarth: return QuestBaseEarth;
    default: return 0;
    }
}
} // namespace Game

// Bubble kinds. 1 to 6 are the colours, everything above 6 an obstacle.
enum BubbleKind : int32_t
{
    KIND_NONE = 0,
    KIND_RED = 1,
    KIND_YELLOW = 2,
    KIND_BLUE = 3,
    KIND_GREEN = 4,
    KIND_AQUA = 5,
    KIND_FUCHSIA = 6,
    KIND_LOCK = 10,
    KIND_WALL = 11,
    KIND_BOMB = 12,
    KIND_SNOWMAN = 20,
    KIND_WATER_HOLE = 21,
    KIND_BURNING_FLAME = 30,
    KIND_LAVA = 31,
    KIND_TORNADO = 40,
    KIND_WIND_CLOUD = 41,
    KIND_GREEN_EATING_PLANT = 50,
    KIND_MUSHROOM = 51
};

constexpr bool IsColourKind(int32_t kind) { return kind >= KIND_RED && kind <= KIND_FUCHSIA; }

// The grid: 15 rows of 16 columns hanging from the top of the play field;
// odd rows are shifted right by half a cell. Pixels relative to the play
// field's top-left corner.
inline constexpr int32_t GRID_ROWS = 15;
inline constexpr int32_t GRID_COLUMNS = 16;
inline constexpr int32_t GRID_CELLS = GRID_ROWS * GRID_COLUMNS;
inline constexpr int32_t CELL_SIZE = 31;
inline constexpr int32_t GRID_LEFT = 5;
inline constexpr int32_t ODD_ROW_SHIFT = 15;

// Direction codes of a cell's six neighbours (3 and every other value name
// no cell). The landing directions use the same codes.
enum Direction : int32_t
{
    DIR_LEFT = 1,
    DIR_RIGHT = 2,
    DIR_UPPER_LEFT = 4,
    DIR_UPPER_RIGHT = 5,
    DIR_LOWER_LEFT = 6,
    DIR_LOWER_RIGHT = 7
};

// Song ids of the music interface.
namespace Songs
{
inline constexpr int32_t WindCloud = 1000;
inline constexpr int32_t MainScreen = 10001;
inline constexpr int32_t Dream = 10002;
inline constexpr int32_t Fire = 10003;
inline constexpr int32_t Ice = 10004;
inline constexpr int32_t Phantom = 10005;
inline constexpr int32_t PurpleMoon = 10006;
inline constexpr int32_t Wind = 10007;
inline constexpr int32_t LevelComplete = 10008;
inline constexpr int32_t LevelFailed = 10009;
} // namespace Songs

// Panels of the menu background.
namespace Panels
{
inline constexpr int32_t PlayerSelector = 0;
inline constexpr int32_t MainMenu = 1;
inline constexpr int32_t Difficulty = 2;
inline constexpr int32_t World = 3;
} // namespace Panels

// What the warning dialog tells.
namespace Warnings
{
inline constexpr int32_t NameExists = 0;
inline constexpr int32_t NameEmpty = 1;
inline constexpr int32_t NoPlayer = 2;
inline constexpr int32_t NameInvalid = 3;
} // namespace Warnings

// Indices of the obstacle counts a stage is generated with.
enum ObstacleIndex : int32_t
{
    ObstacleLock,
    ObstacleBomb,
    ObstacleWall,
    ObstacleWindCloud,
    ObstacleTornado,
    ObstacleFlame,
    ObstacleLava,
    ObstacleSnowman,
    ObstacleWaterHole,
    ObstaclePlant,
    ObstacleMushroom,
    ObstacleKinds
};
