#include "src/effects/CellBurstEffects.h"

#include "framework/graphics/Graphics.h"
#include "src/core/GameTypes.h"
#include "src/core/ResourceIds.h"
#include "src/effects/PlayFieldServices.h"
#include "src/sprites/BubbleSprite.h"
#include "src/sprites/SpriteAnimation.h"

namespace
{
constexpr float BurstCels = 8.0f;
constexpr float BurstStep = 0.2f;
const Lumora::Vector2 TornadoOffset{-10.0f, -18.0f};

CellEntry MakeEntry(const PlayFieldServices* services, int32_t row, int32_t column, size_t index)
{
    CellEntry entry;
    entry.row = row;
    entry.column = column;
    if (services != nullptr)
    {
        entry.position = services->CellToPixel(row, column) - Lumora::Vector2{0.0f, 35.0f};
    }
    entry.delay = -10 * int32_t(index);
    return entry;
}

std::vector<CellEntry> MakeEntries(const std::weak_ptr<PlayFieldServices>& field,
                                   const std::vector<Lumora::Vector2>& cellList)
{
    const auto services = field.lock();
    std::vector<CellEntry> entries;
    entries.reserve(cellList.size());
    for (const auto& cell : cellList)
    {
        entries.push_back(MakeEntry(services.get(), int32_t(cell.x), int32_t(cell.y), entries.size()));
    }
    return entries;
}
} // namespace

BurstWallEffect::BurstWallEffect(std::weak_ptr<PlayFieldServices> playField)
    : SpriteAnimation(nullptr, 0, 0, 0, 0.0f), field(std::move(playField))
{
    const auto services = field.lock();
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
    {
        cells.push_back(MakeEntry(services.get(), 2, column, size_t(column)));
    }
}

void BurstWallEffect::Draw(Framework::Graphics*)
{
    const auto services = field.lock();
    if (!services)
    {
        done = true;
        return;
    }
    for (auto& entry : cells)
    {
        if (entry.delay == 0 && services->GetCell(entry.row, entry.column))
        {
            services->BurstCell(entry.row, entry.column);
        }
        entry.delay += 1;
    }
    if (cells.back().delay > 0)
    {
        done = true;
        services->ClearBelowBarrier();
        services->EndShot();
    }
}

FlameBurstEffect::FlameBurstEffect(std::weak_ptr<PlayFieldServices> playField,
                                   const std::vector<Lumora::Vector2>& cellList)
    : FlameBurstEffect(std::move(playField), IMAGE_BURST, cellList)
{
}

FlameBurstEffect::FlameBurstEffect(std::weak_ptr<PlayFieldServices> playField, Framework::Image* burstImage,
                                   const std::vector<Lumora::Vector2>& cellList)
    : SpriteAnimation(burstImage, 8, 0, 0, 0.0f), field(std::move(playField)), cells(MakeEntries(field, cellList))
{
}

bool FlameBurstEffect::StepCells(Framework::Graphics* g, bool sparesWallsAndLocks)
{
    const auto services = field.lock();
    if (!services || cells.empty())
    {
        done = true;
        return false;
    }
    for (auto& entry : cells)
    {
        if (entry.delay >= 0 && entry.burstFrame < BurstCels)
        {
            if (image != nullptr && g != nullptr)
            {
                g->DrawCel(image, TruncateCoordinate(entry.position.x), TruncateCoordinate(entry.position.y),
                           int32_t(entry.burstFrame));
            }
            entry.burstFrame += BurstStep;
        }
        if (entry.delay == 0)
        {
            bool burst = true;
            if (sparesWallsAndLocks)
            {
                const auto sprite = services->GetCell(entry.row, entry.column);
                burst = sprite && sprite->GetKind() != KIND_WALL && sprite->GetKind() != KIND_LOCK;
            }
            if (burst)
            {
                services->BurstCell(entry.row, entry.column);
            }
        }
        entry.delay += 1;
    }
    if (cells.back().burstFrame >= BurstCels)
    {
        services->EndShot();
        done = true;
    }
    return true;
}

void FlameBurstEffect::Draw(Framework::Graphics* g)
{
    StepCells(g, false);
}

TornadoEffect::TornadoEffect(std::weak_ptr<PlayFieldServices> playField, const std::vector<Lumora::Vector2>& cellList,
                             const Lumora::Vector2& startPosition, const Lumora::Vector2&, int32_t moveDirection)
    : FlameBurstEffect(std::move(playField), IMAGE_BURSTWIND, cellList), direction(moveDirection),
      tornadoPosition(startPosition + TornadoOffset)
{
    if (!cells.empty())
    {
        if (const auto services = field.lock())
        {
            endPosition = services->CellToPixel(cells.back().row, cells.back().column) + TornadoOffset;
        }
    }
    switch (direction)
    {
        case 1:
            tornadoVelocity = {-2.8f, 0.0f};
            tornadoImage = IMAGE_TORNADO_LEFT;
            break;
        case 2:
            tornadoVelocity = {2.8f, 0.0f};
            tornadoImage = IMAGE_TORNADO_RIGHT;
            break;
        case 3:
            tornadoVelocity = {0.0f, -2.6f};
            tornadoImage = IMAGE_TORNADO_UPPER;
            break;
        default:
            break;
    }
}

void TornadoEffect::Draw(Framework::Graphics* g)
{
    if (!StepCells(g, true))
    {
        return;
    }
    tornadoPosition += tornadoVelocity;
    const bool hasEnd = endPosition.x != 0.0f || endPosition.y != 0.0f;
    const bool passed = (direction == 2 && tornadoPosition.x > endPosition.x) ||
                        (direction == 1 && tornadoPosition.x < endPosition.x) ||
                        (direction == 3 && tornadoPosition.y < endPosition.y);
    if (hasEnd && passed)
    {
        alpha -= 5;
        tornadoPosition = endPosition;
    }
    if (alpha < 0)
    {
        alpha = 0;
    }
    if (tornadoImage != nullptr && g != nullptr)
    {
        g->SetColorModulation(true);
        g->SetColor({255, 255, 255, alpha});
        g->DrawCel(tornadoImage, TruncateCoordinate(tornadoPosition.x), TruncateCoordinate(tornadoPosition.y),
                   int32_t(tornadoFrame));
        g->SetColorModulation(false);
    }
    AdvanceWrapping(tornadoFrame, 0.1f, ImageColumns(tornadoImage));
}
