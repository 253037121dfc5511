#pragma once
// Drawing the board into the back buffer, and the hint tooltips over the S and B columns.
// DrawEntryDigit, EraseEntryBoxes and DrawHistoryLine are in game/effects.h; where
// everything stands is in board_layout.h.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>

#include "board_layout.h"

enum class HintZone { None, Strike, Ball };
// Which hint column the client point (x, y) lies in; public so that its edges can be tested point by point.
HintZone HintZoneAt(unsigned x, unsigned y);

extern const char* const StrikeHintText;
extern const char* const BallHintText;

// The tooltip's one tool; its text pointer is set on each use.
extern TOOLINFOA HintTool;
// The size of the tool record up to lParam, which every version of the tooltip
// control takes. Without a manifest asking for version 6 the game gets version 5,
// which refuses the newer 48-byte record: no hint would ever show.
inline constexpr UINT HintToolSize = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
static_assert(sizeof(void*) != 4 || HintToolSize == 44, "TTTOOLINFOA_V2_SIZE");
static_assert(offsetof(TOOLINFOW, lParam) == offsetof(TOOLINFOA, lParam), "the W record has the same size");

// The hint cursor, and a new tooltip for the main window in place of the last one.
void CreateHintTooltip(HWND window);
// WM_MOUSEMOVE of the main window.
void OnMouseMove(unsigned x, unsigned y);
