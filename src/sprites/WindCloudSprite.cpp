#include "src/sprites/WindCloudSprite.h"

#include "src/core/PlayHost.h"
#include "src/core/ResourceIds.h"
#include "src/sprites/SpriteAnimation.h"

WindCloudSprite::WindCloudSprite(PlayHost& playHost, int32_t cloudDirection)
    : host(&playHost), direction(cloudDirection)
{
    kind = KIND_WIND_CLOUD;
    switch (direction)
    {
        case Left:
            image = IMAGE_WIND_LEFT;
            break;
        case Right:
            image = IMAGE_WIND_RIGHT;
            break;
        case Up:
            image = IMAGE_WIND_UPPER;
            break;
        default:
            image = nullptr;
            break;
    }
}

bool WindCloudSprite::BlockedAhead(const CellOccupied& occupied) const
{
    int32_t r = row;
    int32_t c = column;
    switch (direction)
    {
        case Left:
            c -= 1;
            break;
        case Right:
            c += 1;
            break;
        case Up:
            r -= 1;
            break;
        default:
            break;
    }
    if (r < 0 || r >= GRID_ROWS || c < 0 || c >= GRID_COLUMNS)
    {
        return false;
    }
    return occupied && occupied(r, c);
}

void WindCloudSprite::Update(const CellOccupied& occupied)
{
    cloudCounter += 1;
    PlayState& state = host->State();
    // Starting and stopping are alternatives: a blow that has just started
    // (counter 0) must not be stopped in the same update.
    if (resting && cloudCounter % RestUpdates == 0)
    {
        // One cloud blows at a time, and none once the stage is over.
        if (state.windCloudActive || state.stageOver)
        {
            cloudCounter = 0;
            return;
        }
        resting = BlockedAhead(occupied);
        if (!resting)
        {
            host->StartWindLoop();
            state.windCloudActive = true;
        }
        frame = 0.0f;
        cloudCounter = 0;
    }
    else if (!resting && cloudCounter % BlowUpdates == 0)
    {
        host->StopWindLoop();
        resting = true;
        state.windCloudActive = false;
        cloudCounter = 0;
        frame = 0.0f;
    }
}

void WindCloudSprite::Draw(Framework::Graphics* g)
{
    DrawCelAt(g, resting ? IMAGE_WIND_STOP : image, CelOf(frame), -58.0f, -66.0f);
    AdvanceWrapping(frame, 0.05f, ImageColumns(image));
}
