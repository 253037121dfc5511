#pragma once
// The row of four slots under the work window's bands: where a digit tile snaps,
// which tile holds which slot, and where a tile pushed out of the row goes.
// All coordinates are the work window's client coordinates.
#include <array>
#include <cstdint>
#include <optional>

inline constexpr int32_t TileWidth = 41;
inline constexpr int32_t TileHeight = 48;
inline constexpr int TileCount = 9;
inline constexpr int SlotCount = 4;
inline constexpr int32_t NoTile = -1;

// Left and top belong to the rectangle, right and bottom do not.
struct SlotRect {
    int32_t left, top, right, bottom;
    friend constexpr bool operator==(const SlotRect&, const SlotRect&) = default;
};

struct SlotPoint {
    int32_t x, y;
    friend constexpr bool operator==(const SlotPoint&, const SlotPoint&) = default;
};

// Slot s is a tile-sized box, 50 pixels after the one before.
constexpr SlotRect SlotRectOf(int s)
{
    return {10 + 50 * s, 300, 10 + 50 * s + TileWidth, 300 + TileHeight};
}

// A corner within four pixels of the slot's corner, either way, snaps.
constexpr SlotRect SnapRectOf(const SlotRect& slot)
{
    return {slot.left - 4, slot.top - 4, slot.left + 5, slot.top + 5};
}

struct TileSlotsRecord {
    std::array<SlotRect, SlotCount> slotRects{SlotRectOf(0), SlotRectOf(1), SlotRectOf(2), SlotRectOf(3)};
    std::array<SlotRect, SlotCount> snapRects{SnapRectOf(slotRects[0]), SnapRectOf(slotRects[1]),
                                              SnapRectOf(slotRects[2]), SnapRectOf(slotRects[3])};
    std::array<int32_t, SlotCount> slotTile{NoTile, NoTile, NoTile, NoTile};  // tile index per slot
    int32_t movedTile = NoTile;    // the tile whose move was handled last
    SlotPoint dropPoint{0, 0};     // last move that ended outside every snap square; (0, 0) after a drag
    int32_t snapSoundArmed = 1;    // the next snap plays the sound
};
extern TileSlotsRecord TileSlots;

// Every tile's WM_CREATE: all slots empty, the rectangles laid out afresh.
void ResetTileSlots(TileSlotsRecord& slots);

// The slot whose snap square holds the corner (x, y), or -1.
int SnapSlotAt(const TileSlotsRecord& slots, int32_t x, int32_t y);

enum class TileMove {
    Drop,    // outside every snap square: recorded here, the tile stays
    Refuse,  // in the snap square of a slot held by another tile: nothing changes
    Snap,    // into slot: move the tile there, then FinishSnap
};
struct TileMoveDecision {
    TileMove kind = TileMove::Drop;
    int slot = -1;       // for Snap
    bool exact = false;  // for Snap: the tile already lies exactly in the slot
};

// A tile's top-left corner went to (x, y). tile is its index, or -1 while the tiles
// are being created (the previous movedTile then stands).
TileMoveDecision TileMoved(TileSlotsRecord& slots, int32_t tile, int32_t x, int32_t y);

// The slot is movedTile's alone now that the tile sits in it. True when the snap
// sound is to be played (armed, and soundEffectsOn); the sound is disarmed either way.
bool FinishSnap(TileSlotsRecord& slots, int slot, bool soundEffectsOn);

// The drag of a tile is over.
void TileDragEnded(TileSlotsRecord& slots);

// The height to push a tile to whose drop point lies at height y, when a tile
// there overlaps the slot row: just above the row or just below it.
std::optional<int32_t> PushHeight(int32_t y);

// Whether a tile at x touches slot s (slot 0 has no lower limit).
bool TouchesSlot(int s, int32_t x);

// Whether slot s pushes the moved tile out of the row, seen from dropPoint.
bool SlotPushes(const TileSlotsRecord& slots, int s);
