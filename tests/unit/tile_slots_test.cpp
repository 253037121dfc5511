// The slot bookkeeping of the digit tiles, driven the way the tile window drives it:
// a move that changes a tile's place re-enters the bookkeeping before it returns.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include "workwin/tile_slots.h"

namespace {

using Holders = std::array<int32_t, SlotCount>;

constexpr std::array<SlotPoint, TileCount> Homes{{
    {23, 93}, {67, 93}, {111, 93}, {155, 93}, {5, 144}, {48, 144}, {91, 144}, {134, 144}, {177, 144},
}};

constexpr SlotPoint Corner(int s)
{
    return {SlotRectOf(s).left, SlotRectOf(s).top};
}

// The nine tiles as the window side moves them: MoveWindow delivers WM_MOVE only when
// the place changes, and a step of a drag sends WM_CHILDACTIVATE after its WM_MOVE.
class Tiles {
public:
    TileSlotsRecord slots;
    std::array<SlotPoint, TileCount> at = Homes;
    int sounds = 0;
    bool soundOn = true;

    void Move(int k, SlotPoint p)
    {
        if (at[k] == p)
            return;
        at[k] = p;
        const TileMoveDecision move = TileMoved(slots, k, p.x, p.y);
        if (move.kind != TileMove::Snap)
            return;
        Move(k, Corner(move.slot));
        if (FinishSnap(slots, move.slot, soundOn))
            ++sounds;
    }
    void ChildActivate(int k)
    {
        const std::optional<int32_t> height = PushHeight(slots.dropPoint.y);
        if (!height)
            return;
        for (int s = 0; s < SlotCount; ++s)
            if (SlotPushes(slots, s))
                Move(k, {slots.dropPoint.x, *height});
    }
    void DragStep(int k, SlotPoint p)
    {
        Move(k, p);
        ChildActivate(k);
    }
    // A whole drag that moves the tile once, as an outline drag does.
    void Drop(int k, SlotPoint p)
    {
        DragStep(k, p);
        TileDragEnded(slots);
    }
    void Home()
    {
        for (int k = 0; k < TileCount; ++k)
            Move(k, Homes[k]);
    }
};

class TileSlotsTest : public ::testing::Test {
protected:
    Tiles tiles;
    void ExpectTile(int k, SlotPoint p, int line) const
    {
        EXPECT_EQ(tiles.at[k].x, p.x) << "tile " << k << ", line " << line;
        EXPECT_EQ(tiles.at[k].y, p.y) << "tile " << k << ", line " << line;
    }
};

TEST_F(TileSlotsTest, ACornerAt14_304SnapsAndOnePixelFurtherStays)
{
    tiles.Drop(1, {15, 304});
    ExpectTile(1, {15, 304}, __LINE__);
    tiles.Drop(2, {14, 305});
    ExpectTile(2, {14, 305}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, -1, -1, -1}));
    tiles.Drop(0, {14, 304});
    ExpectTile(0, {10, 300}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{0, -1, -1, -1}));
    // Only a tile already lying in its slot is exact: the tile window disables it, ending its drag.
    EXPECT_TRUE(TileMoved(tiles.slots, 0, 10, 300).exact);
    EXPECT_FALSE(TileMoved(tiles.slots, 0, 14, 300).exact);
    EXPECT_FALSE(TileMoved(tiles.slots, 0, 10, 299).exact);
}

TEST_F(TileSlotsTest, AHeldSlotRefusesAndTheRefusedTileKeepsItsOldSlot)
{
    tiles.Drop(0, {62, 303});  // slot 1
    tiles.Drop(5, {157, 297});  // slot 3
    const int soundsBefore = tiles.sounds;
    const TileSlotsRecord before = tiles.slots;
    tiles.Drop(5, {57, 298});  // straight from slot 3 into slot 1's square
    ExpectTile(5, {57, 298}, __LINE__);
    ExpectTile(0, {60, 300}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, 0, -1, 5}));
    EXPECT_EQ(tiles.slots.snapSoundArmed, before.snapSoundArmed);
    EXPECT_EQ(tiles.sounds, soundsBefore);
    // The refusal is decided before anything moves, even when the tile lies exactly there.
    EXPECT_EQ(TileMoved(tiles.slots, 4, 60, 300).kind, TileMove::Refuse);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, 0, -1, 5}));
    EXPECT_EQ(tiles.slots.dropPoint, before.dropPoint);
}

TEST_F(TileSlotsTest, MovingFromSlot2ToSlot0FreesSlot2)
{
    tiles.Drop(2, {108, 301});
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, -1, 2, -1}));
    tiles.Drop(2, {7, 304});
    ExpectTile(2, {10, 300}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{2, -1, -1, -1}));
    // Let go outside: the tile gives its slot up and stays where it is, even off the window.
    tiles.Drop(2, {-30, 420});
    ExpectTile(2, {-30, 420}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, -1, -1, -1}));
}

TEST_F(TileSlotsTest, TheSnapSoundPlaysOnceAfterStartAfterAMoveOutsideAndAfterHome)
{
    tiles.Drop(0, {12, 302});
    EXPECT_EQ(tiles.sounds, 1) << "first snap after start, once despite the nested move";
    tiles.Drop(0, {113, 299});
    tiles.Drop(1, {58, 300});
    tiles.Drop(0, {163, 303});
    EXPECT_EQ(tiles.sounds, 1) << "slot to slot, and a second tile's snap with no move between";
    tiles.Drop(7, {200, 30});  // any tile, anywhere outside the squares
    tiles.Drop(0, {13, 300});
    EXPECT_EQ(tiles.sounds, 2);
    tiles.Home();
    EXPECT_EQ(tiles.slots.slotTile, (Holders{-1, -1, -1, -1}));
    tiles.Drop(3, {10, 300});  // exactly on the corner: no nested move, still one sound
    EXPECT_EQ(tiles.sounds, 3);
    ExpectTile(3, {10, 300}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{3, -1, -1, -1}));
}

TEST_F(TileSlotsTest, WithSoundOffASnapIsSilentAndStillDisarms)
{
    tiles.soundOn = false;
    tiles.Drop(4, {110, 300});
    EXPECT_EQ(tiles.sounds, 0);
    EXPECT_EQ(tiles.slots.snapSoundArmed, 0);
    tiles.soundOn = true;
    tiles.Drop(4, {160, 300});
    EXPECT_EQ(tiles.sounds, 0) << "disarmed while sound was off";
}

TEST(TilePush, RowLimitsAndTouchRangesOfTheSlots)
{
    // A top from 253 to 347 overlaps the row: up to 252 from above its middle, else down to 348.
    const std::pair<int32_t, std::optional<int32_t>> heights[] = {
        {252, std::nullopt}, {253, 252}, {323, 252}, {324, 348}, {347, 348}, {348, std::nullopt}};
    for (const auto& [y, to] : heights)
        EXPECT_EQ(PushHeight(y), to) << y;

    const struct {
        int s;
        int32_t first, last;  // inclusive; slot 0 has no first
    } ranges[] = {{1, 19, 101}, {2, 69, 151}, {3, 119, 201}};
    for (const auto& r : ranges) {
        EXPECT_FALSE(TouchesSlot(r.s, r.first - 1)) << r.s;
        EXPECT_TRUE(TouchesSlot(r.s, r.first)) << r.s;
        EXPECT_TRUE(TouchesSlot(r.s, r.last)) << r.s;
        EXPECT_FALSE(TouchesSlot(r.s, r.last + 1)) << r.s;
    }
    EXPECT_TRUE(TouchesSlot(0, 51));
    EXPECT_FALSE(TouchesSlot(0, 52));
    EXPECT_TRUE(TouchesSlot(0, -20));
    EXPECT_TRUE(TouchesSlot(0, -32768));
}

TEST_F(TileSlotsTest, ATileDroppedInTheRowAgainstAHeldSlotIsPushedOut)
{
    tiles.Drop(0, {10, 300});
    const struct {
        int32_t y, to;
    } heights[] = {{253, 252}, {323, 252}, {324, 348}, {347, 348}, {252, 252}, {348, 348}};
    for (const auto& h : heights) {
        tiles.Drop(1, {30, h.y});
        ExpectTile(1, {30, h.to}, h.y);
        EXPECT_EQ(tiles.slots.dropPoint, (SlotPoint{0, 0})) << "reset when the drag ends";
    }
    tiles.Drop(1, {-20, 280});  // slot 0 has no lower limit
    ExpectTile(1, {-20, 252}, __LINE__);
    tiles.Drop(1, {40, 330});  // touches slots 0 and 1; only 0 is held
    ExpectTile(1, {40, 348}, __LINE__);
    EXPECT_EQ(tiles.slots.slotTile, (Holders{0, -1, -1, -1}));
    EXPECT_EQ(tiles.slots.snapSoundArmed, 1) << "a push is a move outside the squares";
}

TEST_F(TileSlotsTest, OnlySlotsHeldByAnotherTilePush)
{
    tiles.Drop(0, {60, 300});  // only slot 1 held
    tiles.Drop(1, {18, 280});
    ExpectTile(1, {18, 280}, __LINE__);
    tiles.Drop(1, {19, 280});
    ExpectTile(1, {19, 252}, __LINE__);
    tiles.Drop(2, {150, 310});  // slots 2 and 3 are empty
    ExpectTile(2, {150, 310}, __LINE__);
    // A slot that the tile itself still holds (after a refusal) does not push it.
    tiles.slots.slotTile = {-1, 4, -1, -1};
    tiles.slots.movedTile = 4;
    tiles.slots.dropPoint = {60, 280};
    EXPECT_FALSE(SlotPushes(tiles.slots, 1));
    tiles.slots.movedTile = 3;
    EXPECT_TRUE(SlotPushes(tiles.slots, 1));
}

// Each tile's WM_CREATE empties the row; the moves of a tile still being created
// count as the last moved tile's.
TEST(TileSlotsCreation, ResetEmptiesTheRowAndAnUnknownTileKeepsTheLastMovedTile)
{
    TileSlotsRecord slots;
    slots.slotTile = {3, 4, 5, 6};
    slots.slotRects[2] = {};
    ResetTileSlots(slots);
    EXPECT_EQ(slots.slotTile, (Holders{-1, -1, -1, -1}));
    EXPECT_EQ(slots.slotRects[2], (SlotRect{110, 300, 151, 348}));
    EXPECT_EQ(slots.snapRects[3], (SlotRect{156, 296, 165, 305}));

    slots.slotTile = {-1, -1, 6, -1};
    slots.movedTile = 6;
    EXPECT_EQ(TileMoved(slots, NoTile, 5, 144).kind, TileMove::Drop);
    EXPECT_EQ(slots.movedTile, 6);
    EXPECT_EQ(slots.slotTile, (Holders{-1, -1, -1, -1}));
    EXPECT_EQ(slots.dropPoint, (SlotPoint{5, 144}));
}

// A naive model of the rules: snap within four pixels of a free (or own) slot's
// corner, refuse a held one, otherwise stay and, in the row against a held slot, go
// above or below it.
struct Model {
    Holders holder{-1, -1, -1, -1};
    std::array<SlotPoint, TileCount> at = Homes;
    bool armed = true;
    int sounds = 0;

    void LeaveSlots(int k)
    {
        for (int32_t& h : holder)
            if (h == k)
                h = -1;
    }
    void Drop(int k, SlotPoint p)
    {
        if (at[k] == p)
            return;
        for (int s = 0; s < SlotCount; ++s) {
            if (std::abs(p.x - (10 + 50 * s)) > 4 || std::abs(p.y - 300) > 4)
                continue;
            at[k] = p;
            if (holder[s] != -1 && holder[s] != k)
                return;
            at[k] = Corner(s);
            LeaveSlots(k);
            holder[s] = k;
            sounds += armed ? 1 : 0;
            armed = false;
            return;
        }
        LeaveSlots(k);
        armed = true;
        at[k] = p;
        if (p.y < 253 || p.y > 347)
            return;
        for (int s = 0; s < SlotCount; ++s) {
            const int32_t left = 10 + 50 * s;
            const bool touches = p.x <= left + 41 && (s == 0 || p.x + 41 >= left);
            if (touches && holder[s] != -1)
                at[k] = {p.x, p.y <= 323 ? 252 : 348};
        }
    }
    void Home()
    {
        for (int k = 0; k < TileCount; ++k)
            if (at[k] != Homes[k]) {
                LeaveSlots(k);
                armed = true;
                at[k] = Homes[k];
            }
    }
};

SlotPoint RandomPoint(std::mt19937& rng)
{
    auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    switch (in(0, 9)) {
    case 0: case 1: return {in(-40, 260), in(0, 390)};
    case 2: case 3: case 4: return {in(-30, 230), in(245, 355)};
    default: {
        const SlotPoint c = Corner(in(0, 3));
        return {c.x + in(-6, 6), c.y + in(-6, 6)};
    }
    }
}

std::string HoldersText(const Holders& h)
{
    std::ostringstream out;
    out << h[0] << " " << h[1] << " " << h[2] << " " << h[3];
    return out.str();
}

TEST(TileSlotsOracle, OneMoveDragsAgreeWithANaiveModel)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 rng(seed);
        Tiles tiles;
        Model model;
        std::ostringstream trail;
        for (int step = 0; step < 300; ++step) {
            if (std::uniform_int_distribution<int>(0, 19)(rng) == 0) {
                tiles.Home();
                model.Home();
                trail << " home";
            } else {
                const int k = std::uniform_int_distribution<int>(0, TileCount - 1)(rng);
                const SlotPoint p = RandomPoint(rng);
                tiles.Drop(k, p);
                model.Drop(k, p);
                trail << " " << k << "@" << p.x << "," << p.y;
            }
            const bool same = tiles.slots.slotTile == model.holder && tiles.at == model.at &&
                              tiles.sounds == model.sounds;
            ASSERT_TRUE(same) << "seed " << seed << " step " << step << ":" << trail.str() << "\n slots "
                              << HoldersText(tiles.slots.slotTile) << ", model " << HoldersText(model.holder)
                              << "; sounds " << tiles.sounds << ", model " << model.sounds;
        }
    }
}

// Drags of many steps, where a step may land in the row, in a square or outside,
// in any order: a tile never holds two slots, and a held slot's tile is a real tile.
TEST(TileSlotsOracle, ATileHoldsAtMostOneSlotOverLongDrags)
{
    for (unsigned seed = 1; seed <= 100; ++seed) {
        std::mt19937 rng(seed);
        Tiles tiles;
        for (int drag = 0; drag < 200; ++drag) {
            const int k = std::uniform_int_distribution<int>(0, TileCount - 1)(rng);
            const int steps = std::uniform_int_distribution<int>(1, 12)(rng);
            for (int i = 0; i < steps; ++i) {
                tiles.DragStep(k, RandomPoint(rng));
                std::array<int, TileCount> held{};
                for (int32_t h : tiles.slots.slotTile) {
                    ASSERT_GE(h, -1);
                    ASSERT_LT(h, TileCount);
                    if (h < 0)
                        continue;
                    ASSERT_EQ(++held[h], 1) << "seed " << seed << " drag " << drag << ": tile " << h
                                            << " holds " << HoldersText(tiles.slots.slotTile);
                }
            }
            TileDragEnded(tiles.slots);
            if (drag % 37 == 36)
                tiles.Home();
        }
    }
}

} // namespace
