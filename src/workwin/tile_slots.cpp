#include "tile_slots.h"

TileSlotsRecord TileSlots;

namespace {

bool Contains(const SlotRect& r, int32_t x, int32_t y)
{
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

void GiveUpSlots(TileSlotsRecord& slots, int32_t tile)
{
    for (int32_t& holder : slots.slotTile)
        if (holder == tile)
            holder = NoTile;
}

} // namespace

void ResetTileSlots(TileSlotsRecord& slots)
{
    slots.slotTile.fill(NoTile);
    for (int s = 0; s < SlotCount; ++s) {
        slots.slotRects[s] = SlotRectOf(s);
        slots.snapRects[s] = SnapRectOf(slots.slotRects[s]);
    }
}

int SnapSlotAt(const TileSlotsRecord& slots, int32_t x, int32_t y)
{
    for (int s = 0; s < SlotCount; ++s)
        if (Contains(slots.snapRects[s], x, y))
            return s;
    return -1;
}

TileMoveDecision TileMoved(TileSlotsRecord& slots, int32_t tile, int32_t x, int32_t y)
{
    if (tile != NoTile)
        slots.movedTile = tile;
    const int s = SnapSlotAt(slots, x, y);
    if (s < 0) {
        GiveUpSlots(slots, slots.movedTile);
        slots.dropPoint = {x, y};
        slots.snapSoundArmed = 1;
        return {TileMove::Drop};
    }
    const int32_t holder = slots.slotTile[s];
    if (holder != NoTile && holder != slots.movedTile)
        return {TileMove::Refuse, s};
    const SlotRect& slot = slots.slotRects[s];
    return {TileMove::Snap, s, SlotRect{x, y, x + TileWidth, y + TileHeight} == slot};
}

bool FinishSnap(TileSlotsRecord& slots, int slot, bool soundEffectsOn)
{
    const bool play = slots.snapSoundArmed == 1 && soundEffectsOn;
    slots.snapSoundArmed = 0;
    GiveUpSlots(slots, slots.movedTile);
    slots.slotTile[slot] = slots.movedTile;
    return play;
}

void TileDragEnded(TileSlotsRecord& slots)
{
    slots.dropPoint = {0, 0};
}

std::optional<int32_t> PushHeight(int32_t y)
{
    const int32_t rowTop = SlotRectOf(0).top;        // 300
    const int32_t rowBottom = SlotRectOf(0).bottom;  // 348, the first row below the slots
    if (y <= rowTop - TileHeight || y >= rowBottom)
        return std::nullopt;
    // A tile whose top lies above the row's middle goes up, the others down.
    return y < rowTop + TileHeight / 2 ? rowTop - TileHeight : rowBottom;
}

bool TouchesSlot(int s, int32_t x)
{
    const int32_t left = SlotRectOf(s).left;
    return x <= left + TileWidth && (s == 0 || x >= left - TileWidth);
}

bool SlotPushes(const TileSlotsRecord& slots, int s)
{
    const int32_t holder = slots.slotTile[s];
    return TouchesSlot(s, slots.dropPoint.x) && holder != NoTile && holder != slots.movedTile;
}
