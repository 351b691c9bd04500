// The wind cloud's rest-and-blow cycle, advanced per update of the play
// field, with the host's blowing flag and wind loop.
#include "src/sprites/WindCloudSprite.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/game/sprites/SpriteTestSupport.h"

using namespace SpriteTests;

namespace
{

class WindCloudTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        art.Make(IMAGE_WIND_LEFT, 8, 20, 20);
        art.Make(IMAGE_WIND_RIGHT, 8, 20, 20);
        art.Make(IMAGE_WIND_UPPER, 8, 20, 20);
        art.Make(IMAGE_WIND_STOP, 8, 20, 20);
    }

    std::shared_ptr<WindCloudSprite> Cloud(int32_t direction, int32_t row, int32_t column)
    {
        auto cloud = std::make_shared<WindCloudSprite>(host, direction);
        cloud->SetRow(row);
        cloud->SetColumn(column);
        cloud->SetPosition({100.0f, 100.0f});
        return cloud;
    }

    // Cells that hold a sprite; asking about a cell outside the grid fails.
    WindCloudSprite::CellOccupied Occupied()
    {
        return [this](int32_t r, int32_t c)
        {
            EXPECT_TRUE(r >= 0 && r < GRID_ROWS && c >= 0 && c < GRID_COLUMNS) << r << ", " << c;
            return cells.count({r, c}) > 0;
        };
    }

    TestArt art;
    FakePlayHost host;
    std::set<std::pair<int32_t, int32_t>> cells;
};

TEST_F(WindCloudTest, RestsTwoHundredSeventyUpdatesThenBlowsFourHundredFifty)
{
    auto cloud = Cloud(WindCloudSprite::Right, 4, 6);
    cells.insert({4, 5}); // behind it: irrelevant
    const auto occupied = Occupied();
    for (int32_t update = 1; update <= 269; ++update)
        cloud->Update(occupied);
    EXPECT_TRUE(cloud->IsResting());
    cloud->Update(occupied); // 270
    EXPECT_FALSE(cloud->IsResting());
    EXPECT_TRUE(host.state.windCloudActive);
    EXPECT_EQ(host.windStarts, 1);
    // The blow that has just begun is not ended by its own counter of 0.
    cloud->Update(occupied);
    EXPECT_FALSE(cloud->IsResting());
    for (int32_t update = 272; update < 720; ++update)
        cloud->Update(occupied);
    EXPECT_FALSE(cloud->IsResting());
    EXPECT_EQ(host.windStops, 0);
    cloud->Update(occupied); // 720
    EXPECT_TRUE(cloud->IsResting());
    EXPECT_FALSE(host.state.windCloudActive);
    EXPECT_EQ(host.windStops, 1);
    // And round again.
    for (int32_t update = 721; update <= 990; ++update)
        cloud->Update(occupied);
    EXPECT_EQ(host.windStarts, 2);
}

TEST_F(WindCloudTest, DrawingAloneNeverAdvancesTheCycle)
{
    auto cloud = Cloud(WindCloudSprite::Left, 3, 3);
    Screen screen(300, 300);
    for (int32_t i = 0; i < 2000; ++i)
        cloud->Draw(screen.G());
    EXPECT_TRUE(cloud->IsResting());
    EXPECT_EQ(host.windStarts, 0);
}

TEST_F(WindCloudTest, ShowsTheStillCloudWhileRestingAndItsDirectionFromCelZeroWhenBlowing)
{
    auto cloud = Cloud(WindCloudSprite::Up, 5, 5);
    Screen screen(300, 300);
    for (int32_t i = 0; i < 50; ++i)
        cloud->Draw(screen.G());
    screen.Clear();
    cloud->Draw(screen.G()); // frame 2.5
    EXPECT_EQ(Where(screen, art.Colour(IMAGE_WIND_STOP, 2)), (Point{42, 34}));
    const auto occupied = Occupied();
    for (int32_t update = 1; update <= 270; ++update)
        cloud->Update(occupied);
    screen.Clear();
    cloud->Draw(screen.G());
    EXPECT_EQ(Where(screen, art.Colour(IMAGE_WIND_UPPER, 0)), (Point{42, 34}));
    EXPECT_FALSE(screen.Find(art.Colour(IMAGE_WIND_STOP, 0)).has_value());
}

TEST_F(WindCloudTest, TwoCloudsNeverBlowTogether)
{
    auto first = Cloud(WindCloudSprite::Left, 2, 4);
    auto second = Cloud(WindCloudSprite::Right, 8, 10);
    const auto occupied = Occupied();
    std::vector<int32_t> secondStarts;
    bool wasResting = true;
    for (int32_t update = 1; update <= 3000; ++update)
    {
        first->Update(occupied);
        second->Update(occupied);
        ASSERT_TRUE(first->IsResting() || second->IsResting()) << update;
        EXPECT_EQ(host.state.windCloudActive, !first->IsResting() || !second->IsResting()) << update;
        if (wasResting && !second->IsResting())
            secondStarts.push_back(update);
        wasResting = second->IsResting();
    }
    // The second finds the first blowing at 270 and 540 and blows at 810,
    // after the first stopped at 720.
    ASSERT_FALSE(secondStarts.empty());
    EXPECT_EQ(secondStarts.front(), 810);
    EXPECT_EQ(host.windStarts - host.windStops, host.state.windCloudActive ? 1 : 0);
}

TEST_F(WindCloudTest, ABlockedCloudRetriesTwoHundredSeventyUpdatesLater)
{
    auto cloud = Cloud(WindCloudSprite::Left, 6, 7);
    cells.insert({6, 6});
    const auto occupied = Occupied();
    for (int32_t update = 1; update <= 270; ++update)
        cloud->Update(occupied);
    EXPECT_TRUE(cloud->IsResting());
    EXPECT_FALSE(host.state.windCloudActive);
    EXPECT_EQ(host.windStarts, 0);
    cells.clear();
    for (int32_t update = 271; update < 540; ++update)
        cloud->Update(occupied);
    EXPECT_TRUE(cloud->IsResting());
    cloud->Update(occupied); // 540
    EXPECT_FALSE(cloud->IsResting());
    EXPECT_EQ(host.windStarts, 1);

    // An upward cloud looks at the row above, same column.
    FakePlayHost otherHost;
    WindCloudSprite up(otherHost, WindCloudSprite::Up);
    up.SetRow(6);
    up.SetColumn(7);
    cells.insert({5, 7});
    for (int32_t update = 1; update <= 270; ++update)
        up.Update(occupied);
    EXPECT_TRUE(up.IsResting());
}

TEST_F(WindCloudTest, CloudsAtTheEdgeBlowIntoTheEmptyOutside)
{
    const std::pair<int32_t, std::pair<int32_t, int32_t>> edges[] = {
        {WindCloudSprite::Left, {3, 0}}, {WindCloudSprite::Right, {3, 15}}, {WindCloudSprite::Up, {0, 9}}};
    for (const auto& [direction, cell] : edges)
    {
        host = FakePlayHost();
        auto cloud = Cloud(direction, cell.first, cell.second);
        const auto occupied = Occupied();
        for (int32_t update = 1; update <= 270; ++update)
            cloud->Update(occupied);
        EXPECT_FALSE(cloud->IsResting()) << direction;
        EXPECT_EQ(host.windStarts, 1) << direction;
    }
}

} // namespace
