// Fuzzes the slot bookkeeping of the digit tiles. A small stand-in for the
// window system moves nine tiles the way the tile window does: a MoveWindow that
// changes a tile's place delivers WM_MOVE before it returns, disabling the tile
// being dragged ends its drag, and each drag step sends WM_CHILDACTIVATE before
// or after its WM_MOVE (the platform's choice). Every decision is held against
// the slot geometry written out here, and the invariants are checked after
// every message.
//
// Input, one action after another:
//   b % 8 = 0..5  drag tile (next byte % 9); the next byte gives 1..8 steps of
//                 three bytes each: flags (bit 0: WM_CHILDACTIVATE first,
//                 bit 1: a raw 16-bit place from the next two bytes), x, y
//           6     send the tiles home
//           7     set the sound switch to the next byte % 3
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "game/sound_switch.h"
#include "workwin/tile_slots.h"

namespace {

constexpr std::array<SlotPoint, TileCount> Homes{{
    {23, 93}, {67, 93}, {111, 93}, {155, 93}, {5, 144}, {48, 144}, {91, 144}, {134, 144}, {177, 144},
}};

// The geometry of the row, from its description rather than from tile_slots.h.
SlotPoint Corner(int s)
{
    return {10 + 50 * s, 300};
}

int ExpectedSnapSlot(int32_t x, int32_t y)
{
    for (int s = 0; s < SlotCount; ++s)
        if (x >= 6 + 50 * s && x <= 14 + 50 * s && y >= 296 && y <= 304)
            return s;
    return -1;
}

std::optional<int32_t> ExpectedPushHeight(int32_t y)
{
    if (y >= 253 && y <= 323)
        return 252;
    if (y >= 324 && y <= 347)
        return 348;
    return std::nullopt;
}

bool ExpectedTouch(int s, int32_t x)
{
    const int32_t left = 10 + 50 * s;
    return x <= left + 41 && (s == 0 || x >= left - 41);
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

struct Sim {
    std::array<SlotPoint, TileCount> at = Homes;
    int dragging = -1;       // the tile in the system's move loop
    bool dragCancelled = false;
    bool armed = true;       // whether the next snap is to sound, as described
    int sounds = 0;
    int depth = 0;
    std::string action;
};

Sim S;
bool Trace = false;  // VELQUIN_FUZZ_TRACE=1: print every message as it is handled

std::string Place(SlotPoint p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "tile slots: during %s: %s\n  slots:", S.action.c_str(), what.c_str());
    for (int s = 0; s < SlotCount; ++s)
        std::fprintf(stderr, " %d", TileSlots.slotTile[s]);
    std::fprintf(stderr, "; movedTile %d, dropPoint %s, armed %d\n  tiles:", TileSlots.movedTile,
                 Place(TileSlots.dropPoint).c_str(), TileSlots.snapSoundArmed);
    for (int k = 0; k < TileCount; ++k)
        std::fprintf(stderr, " %s", Place(S.at[k]).c_str());
    std::fprintf(stderr, "\n");
    std::abort();
}

void Check(bool ok, const char* what)
{
    if (!ok)
        Fail(what);
}

void CheckGeometry(int32_t x, int32_t y)
{
    if (SnapSlotAt(TileSlots, x, y) != ExpectedSnapSlot(x, y))
        Fail("SnapSlotAt" + Place({x, y}) + " is " + std::to_string(SnapSlotAt(TileSlots, x, y)));
    if (PushHeight(y) != ExpectedPushHeight(y))
        Fail("PushHeight(" + std::to_string(y) + ") is wrong");
    for (int s = 0; s < SlotCount; ++s)
        if (TouchesSlot(s, x) != ExpectedTouch(s, x))
            Fail("TouchesSlot(" + std::to_string(s) + ", " + std::to_string(x) + ") is wrong");
}

// What holds whenever no handler is running.
void CheckInvariants()
{
    const auto& t = TileSlots;
    for (int s = 0; s < SlotCount; ++s) {
        Check(t.slotRects[s] == SlotRect{Corner(s).x, 300, Corner(s).x + 41, 348}, "a slot rectangle moved");
        Check(t.snapRects[s] == SlotRect{Corner(s).x - 4, 296, Corner(s).x + 5, 305}, "a snap square moved");
        const int32_t holder = t.slotTile[s];
        Check(holder >= NoTile && holder < TileCount, "a slot holds no valid tile index");
        if (holder == NoTile)
            continue;
        for (int other = 0; other < s; ++other)
            Check(t.slotTile[other] != holder, "one tile holds two slots");
        // A holder lies in its slot, unless a refused snap left it in another snap square.
        const SlotPoint p = S.at[holder];
        const int square = ExpectedSnapSlot(p.x, p.y);
        Check(p == Corner(s) || (square >= 0 && square != s), "a slot is held by a tile that left it");
    }
    Check(t.snapSoundArmed == (S.armed ? 1 : 0), "snapSoundArmed differs from the moves since the last snap");
}

void OnMove(int tile, int32_t x, int32_t y);

// MoveWindow: WM_MOVE only when the place changes, delivered before it returns.
void MoveTile(int tile, SlotPoint p)
{
    if (S.at[tile] == p)
        return;
    S.at[tile] = p;
    OnMove(tile, p.x, p.y);
}

// EnableWindow(tile, FALSE) sends WM_CANCELMODE, which ends a drag of the tile.
void Disable(int tile)
{
    if (S.dragging == tile)
        S.dragCancelled = true;
}

void OnMove(int tile, int32_t x, int32_t y)
{
    if (Trace)
        std::fprintf(stderr, "%*sWM_MOVE tile %d %s\n", 2 * S.depth, "", tile, Place({x, y}).c_str());
    Check(++S.depth <= 3, "moves nest deeper than a snap inside a push");
    CheckGeometry(x, y);
    const TileSlotsRecord before = TileSlots;
    const TileMoveDecision move = TileMoved(TileSlots, tile, x, y);
    Check(TileSlots.movedTile == (tile == NoTile ? before.movedTile : tile), "movedTile is not the moved tile");
    const int32_t moved = TileSlots.movedTile;
    const int square = ExpectedSnapSlot(x, y);

    if (square < 0) {
        Check(move.kind == TileMove::Drop, "a move outside every snap square is not a drop");
        Check(TileSlots.dropPoint == SlotPoint{x, y}, "a drop did not record its place");
        for (int s = 0; s < SlotCount; ++s)
            Check(TileSlots.slotTile[s] == (before.slotTile[s] == moved ? NoTile : before.slotTile[s]),
                  "a drop changed another tile's slot or kept its own");
        S.armed = true;
    } else if (before.slotTile[square] != NoTile && before.slotTile[square] != moved) {
        Check(move.kind == TileMove::Refuse, "a slot held by another tile did not refuse");
        Check(TileSlots.slotTile == before.slotTile && TileSlots.dropPoint == before.dropPoint &&
                  TileSlots.snapSoundArmed == before.snapSoundArmed,
              "a refused snap changed the bookkeeping");
    } else {
        Check(move.kind == TileMove::Snap && move.slot == square, "a free slot did not take the tile");
        Check(move.exact == (SlotPoint{x, y} == Corner(square)), "exact is wrong");
        Check(tile != NoTile, "a tile snapped while it was being created");
        if (move.exact)
            Disable(tile);
        MoveTile(tile, Corner(move.slot));
        const bool expectSound = SoundOn == 1 && S.armed;
        if (FinishSnap(TileSlots, move.slot, SoundEffectsOn()) != expectSound)
            Fail(expectSound ? "a snap after a drop was silent" : "a snap sounded when it should not");
        S.sounds += expectSound;
        S.armed = false;
        Check(S.at[tile] == Corner(move.slot), "a snapped tile does not lie in its slot");
        Check(TileSlots.slotTile[move.slot] == tile, "a snapped tile does not hold its slot");
    }
    --S.depth;
}

void OnChildActivate(int tile)
{
    if (Trace)
        std::fprintf(stderr, "WM_CHILDACTIVATE tile %d\n", tile);
    const SlotPoint drop = TileSlots.dropPoint;
    const SlotPoint from = S.at[tile];
    const std::optional<int32_t> height = ExpectedPushHeight(drop.y);
    bool pushes = false;
    for (int s = 0; s < SlotCount; ++s) {
        const int32_t holder = TileSlots.slotTile[s];
        const bool expected = ExpectedTouch(s, drop.x) && holder != NoTile && holder != TileSlots.movedTile;
        if (SlotPushes(TileSlots, s) != expected)
            Fail("SlotPushes(" + std::to_string(s) + ") is wrong at " + Place(drop));
        pushes = pushes || expected;
    }
    if (PushHeight(drop.y) != height)
        Fail("PushHeight(" + std::to_string(drop.y) + ") is wrong");
    if (!height)
        return;
    for (int s = 0; s < SlotCount; ++s) {
        if (!SlotPushes(TileSlots, s))
            continue;
        Disable(tile);
        MoveTile(tile, {TileSlots.dropPoint.x, *height});
    }
    if (pushes) {
        Check(S.at[tile] == SlotPoint{drop.x, *height}, "a pushed tile did not keep its x at the push height");
        Check(ExpectedSnapSlot(drop.x, *height) < 0, "a pushed tile landed in a snap square");
        for (int s = 0; s < SlotCount; ++s)
            Check(TileSlots.slotTile[s] != tile, "a pushed tile still holds a slot");
    } else {
        Check(S.at[tile] == from, "a tile moved without a held slot to push it");
    }
}

void SendTilesHome()
{
    for (int k = 0; k < TileCount; ++k)
        MoveTile(k, Homes[k]);
    for (int s = 0; s < SlotCount; ++s)
        Check(TileSlots.slotTile[s] == NoTile, "a slot is still held after the tiles went home");
}

SlotPoint StepPlace(Input& in, uint8_t flags)
{
    if (flags & 2) {
        const auto x = static_cast<int16_t>(in.Byte() | in.Byte() << 8);
        const auto y = static_cast<int16_t>(in.Byte() | in.Byte() << 8);
        return {x, y};
    }
    // Most places fall around the slot row: x -40..215, y 200..455.
    return {in.Byte() - 40, in.Byte() + 200};
}

void Drag(Input& in, int tile)
{
    const int steps = in.Byte() % 8 + 1;
    S.dragging = tile;
    S.dragCancelled = false;
    if (Trace)
        std::fprintf(stderr, "drag of tile %d\n", tile);
    for (int i = 0; i < steps && !S.dragCancelled && !in.Empty(); ++i) {
        const uint8_t flags = in.Byte();
        const SlotPoint p = StepPlace(in, flags);
        S.action = "drag of tile " + std::to_string(tile) + " to " + Place(p);
        if (flags & 1) {
            OnChildActivate(tile);
            CheckInvariants();
            if (S.dragCancelled)
                break;
        }
        MoveTile(tile, p);
        CheckInvariants();
        if (!(flags & 1) && !S.dragCancelled) {
            OnChildActivate(tile);
            CheckInvariants();
        }
    }
    S.dragging = -1;
    TileDragEnded(TileSlots);
    Check(TileSlots.dropPoint == SlotPoint{0, 0}, "the drop point outlived its drag");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Trace = std::getenv("VELQUIN_FUZZ_TRACE") != nullptr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    S = Sim{};
    SoundOn = 0;
    S.action = "creation";
    // The process starts with its own record; each tile's WM_CREATE resets the
    // table, and its first WM_MOVE comes before its handle is known.
    TileSlots = TileSlotsRecord{};
    for (int k = 0; k < TileCount; ++k) {
        ResetTileSlots(TileSlots);
        OnMove(NoTile, Homes[k].x, Homes[k].y);
    }
    CheckInvariants();

    while (!in.Empty()) {
        const uint8_t op = in.Byte() % 8;
        if (op < 6) {
            Drag(in, in.Byte() % TileCount);
        } else if (op == 6) {
            S.action = "sending the tiles home";
            if (Trace)
                std::fprintf(stderr, "home\n");
            SendTilesHome();
        } else {
            SoundOn = in.Byte() % 3;
        }
        CheckInvariants();
    }
    return 0;
}
