// The digit tiles: dragged by the system's move loop, snapped into the slots and
// pushed out of the slot row by the bookkeeping of tile_slots.h.
#include <windows.h>

#include "game/effects.h"
#include "game/sound_switch.h"
#include "game/sounds.h"
#include "resource.h"
#include "tile_slots.h"
#include "win/bitmaps.h"
#include "work_window.h"

namespace {

int32_t TileIndex(HWND tile)
{
    for (int k = 0; k < TileCount; ++k)
        if (WorkWindowState.tiles[k] == tile)
            return k;
    return NoTile;  // still inside its CreateWindowExA
}

LPARAM CursorForCaption()
{
    POINT p;
    GetCursorPos(&p);
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// A press anywhere on the tile is taken for a press on a caption: the system's
// move loop drags the tile until the button goes up.
void OnLButtonDown(HWND tile)
{
    SendMessageA(tile, WM_NCLBUTTONDOWN, HTCAPTION, CursorForCaption());
    TileDragEnded(TileSlots);
}

void MoveTile(HWND tile, int x, int y)
{
    MoveWindow(tile, x, y, TileWidth, TileHeight, TRUE);
}

void OnMove(HWND tile, int x, int y)
{
    const TileMoveDecision move = TileMoved(TileSlots, TileIndex(tile), x, y);
    if (move.kind != TileMove::Snap)
        return;
    // Disabling sends WM_CANCELMODE, which releases the capture of a drag in progress.
    if (move.exact)
        EnableWindow(tile, FALSE);
    // When the tile is not there yet, its nested WM_MOVE does the exact snap first.
    const SlotRect& slot = TileSlots.slotRects[move.slot];
    MoveTile(tile, slot.left, slot.top);
    EnableWindow(tile, TRUE);
    if (FinishSnap(TileSlots, move.slot, SoundEffectsOn()))
        PlayGameSound(SoundTileSnap);
}

// The system activates the tile at each step of its drag: a tile dropped into the
// row against a slot held by another tile is pushed out of the row. Wine activates
// before it reports the step's move, so the push acts on the step before.
void OnChildActivate(HWND tile)
{
    const std::optional<int32_t> height = PushHeight(TileSlots.dropPoint.y);
    if (!height)
        return;
    for (int s = 0; s < SlotCount; ++s) {
        // Read afresh: the move below records its own drop point.
        if (!SlotPushes(TileSlots, s))
            continue;
        EnableWindow(tile, FALSE);
        MoveTile(tile, TileSlots.dropPoint.x, *height);
        EnableWindow(tile, TRUE);
    }
}

// Any tile's WM_PAINT repaints (and validates) all nine.
void OnPaint()
{
    for (int k = 0; k < TileCount; ++k) {
        const HWND tile = WorkWindowState.tiles[k];
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(tile, &ps);
        BlitBitmapResource(dc, IDB_TILE_BASE + 1 + k, 0, 0);
        EndPaint(tile, &ps);
    }
}

} // namespace

LRESULT CALLBACK TileProc(HWND tile, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: ResetTileSlots(TileSlots); return 0;
    case WM_DESTROY: return 0;
    case WM_MOVE:
        OnMove(tile, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
        return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_CHILDACTIVATE: OnChildActivate(tile); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(tile); return 0;
    case WM_LBUTTONUP: SendMessageA(tile, WM_NCLBUTTONUP, HTCAPTION, CursorForCaption()); return 0;
    default: return DefWindowProcA(tile, message, wParam, lParam);
    }
}
