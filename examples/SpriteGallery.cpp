#include "examples/SpriteGallery.h"

#include <cmath>

#include "framework/app/AppBase.h"
#include "framework/graphics/Graphics.h"
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

SpriteGallery::SpriteGallery(Framework::AppBase& application) : app(application)
{
    for (int32_t row = 0; row < 3; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            Place(row, column, std::make_shared<BubbleSprite>(KIND_RED + (row * GRID_COLUMNS + column) % 6));

    auto hitSnowman = std::make_shared<SnowManSprite>(*this);
    hitSnowman->OnHit(KIND_RED);
    const std::shared_ptr<BubbleSprite> obstacles[] = {std::make_shared<LockSprite>(),
                                                       std::make_shared<BombSprite>(),
                                                       std::make_shared<WallSprite>(*this, WallSprite::ElementAir),
                                                       std::make_shared<WallSprite>(*this, WallSprite::ElementFire),
                                                       std::make_shared<WallSprite>(*this, WallSprite::ElementWater),
                                                       std::make_shared<WallSprite>(*this, WallSprite::ElementEarth),
                                                       std::make_shared<SnowManSprite>(*this),
                                                       hitSnowman,
                                                       std::make_shared<WaterHoleSprite>(),
                                                       std::make_shared<BurningFlameSprite>(),
                                                       std::make_shared<LavaSprite>(),
                                                       std::make_shared<GreenEatingPlantSprite>(),
                                                       std::make_shared<TornadoSprite>(TornadoSprite::Left),
                                                       std::make_shared<TornadoSprite>(TornadoSprite::Right),
                                                       std::make_shared<TornadoSprite>(TornadoSprite::Up),
                                                       std::make_shared<MushroomSprite>(MushroomSprite::Left),
                                                       std::make_shared<MushroomSprite>(MushroomSprite::Right),
                                                       std::make_shared<MushroomSprite>(MushroomSprite::Straight)};
    int32_t n = 0;
    for (int32_t row : {4, 7, 10})
        for (int32_t column = 0; column < GRID_COLUMNS; column += 3)
            Place(row, column, obstacles[n++]);

    const std::pair<int32_t, int32_t> cloudPlaces[] = {
        {WindCloudSprite::Left, 2}, {WindCloudSprite::Right, 7}, {WindCloudSprite::Up, 12}};
    for (const auto& [direction, column] : cloudPlaces)
    {
        auto cloud = std::make_shared<WindCloudSprite>(*this, direction);
        clouds.push_back(cloud.get());
        Place(14, column, cloud);
    }
}

SpriteGallery::~SpriteGallery()
{
    if (state.windCloudActive)
        StopWindLoop();
}

void SpriteGallery::Place(int32_t row, int32_t column, std::shared_ptr<BubbleSprite> sprite)
{
    sprite->SetRow(row);
    sprite->SetColumn(column);
    sprite->SetPosition(CellPixel(row, column));
    cells[size_t(row * GRID_COLUMNS + column)] = std::move(sprite);
}

Lumora::Vector2 SpriteGallery::CellPixel(int32_t row, int32_t column)
{
    return {float(GRID_LEFT + column * CELL_SIZE + (row % 2 == 1 ? ODD_ROW_SHIFT : 0)), float(row * CELL_SIZE)};
}

BubbleSprite* SpriteGallery::At(int32_t row, int32_t column) const
{
    if (row < 0 || row >= GRID_ROWS || column < 0 || column >= GRID_COLUMNS)
        return nullptr;
    return cells[size_t(row * GRID_COLUMNS + column)].get();
}

void SpriteGallery::PlaySound(int32_t soundId)
{
    app.PlaySound(soundId);
}

void SpriteGallery::StartWindLoop()
{
    if (app.musicInterface)
        app.musicInterface->PlaySong(Songs::WindCloud, 0, true);
}

void SpriteGallery::StopWindLoop()
{
    if (app.musicInterface)
        app.musicInterface->StopSong(Songs::WindCloud);
}

void SpriteGallery::Update()
{
    Widget::Update();
    const WindCloudSprite::CellOccupied occupied = [this](int32_t row, int32_t column)
    { return At(row, column) != nullptr; };
    for (WindCloudSprite* cloud : clouds)
        cloud->Update(occupied);
    // Every sprite animates once per drawn frame.
    MarkDirty();
}

void SpriteGallery::Draw(Framework::Graphics* g)
{
    g->SetColor(Framework::Color(22, 30, 52));
    g->FillRect(0, 0, width, height);
    g->SetColor(Framework::Color(30, 42, 70));
    g->FillRect(FieldX, FieldY, GRID_LEFT * 2 + GRID_COLUMNS * CELL_SIZE + ODD_ROW_SHIFT, GRID_ROWS * CELL_SIZE);
    Framework::Graphics field(*g);
    field.Translate(FieldX, FieldY);
    for (const auto& sprite : cells)
        if (sprite && sprite->GetKind() < KIND_LOCK)
            sprite->Draw(&field);
    // Obstacles' art reaches over their neighbours: drawn above the bubbles.
    for (const auto& sprite : cells)
        if (sprite && sprite->GetKind() >= KIND_LOCK)
            sprite->Draw(&field);
}

void SpriteGallery::MouseDown(int32_t localX, int32_t localY, int32_t button, int32_t)
{
    if (button != 0)
        return;
    const int32_t fx = localX - FieldX;
    const int32_t fy = localY - FieldY;
    if (fx < 0 || fy < 0)
        return;
    const int32_t row = fy / CELL_SIZE;
    const int32_t shifted = fx - GRID_LEFT - (row % 2 == 1 ? ODD_ROW_SHIFT : 0);
    if (shifted < 0 || row >= GRID_ROWS)
        return;
    const int32_t column = shifted / CELL_SIZE;
    if (column >= GRID_COLUMNS)
        return;
    ShakeNeighbours(row, column);
    if (auto* mushroom = dynamic_cast<MushroomSprite*>(At(row, column)))
        mushroom->StartBounce();
}

void SpriteGallery::ShakeNeighbours(int32_t row, int32_t column)
{
    // Odd rows sit half a cell to the right of even ones.
    const int32_t upperLeft = row % 2 == 1 ? column : column - 1;
    const float s = std::sqrt(3.0f) / 2.0f;
    const struct
    {
        int32_t row;
        int32_t column;
        Lumora::Vector2 direction;
    } neighbours[] = {{row, column - 1, {-1.0f, 0.0f}},  {row, column + 1, {1.0f, 0.0f}},
                      {row - 1, upperLeft, {-0.5f, -s}}, {row - 1, upperLeft + 1, {0.5f, -s}},
                      {row + 1, upperLeft, {-0.5f, s}},  {row + 1, upperLeft + 1, {0.5f, s}}};
    for (const auto& n : neighbours)
        if (BubbleSprite* sprite = At(n.row, n.column))
            sprite->Shake(n.direction, 1.0f);
}
