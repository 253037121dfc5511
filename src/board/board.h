#pragma once
// Drawing the board into the back buffer, and the hint tooltips over the S and B columns.
// DrawEntryDigit, EraseEntryBoxes and DrawHistoryLine are in game/effects.h.
#include <windows.h>

// Entry box n (1..4) gets its digit at x = 35 n + 1, y = 97.
inline constexpr int EntryDigitX(int n) { return 35 * n + 1; }
inline constexpr int EntryDigitY = 97;
// History row n (0..9) is drawn at (250, 42 + 36 n).
inline constexpr int HistoryX = 250;
inline constexpr int HistoryY(int n) { return 42 + 36 * n; }

inline constexpr COLORREF EntryGreen = RGB(63, 191, 127);
inline constexpr COLORREF EntryTextColour = RGB(0, 40, 0);
inline constexpr COLORREF HistoryTextColour = RGB(0, 0, 128);

enum class HintZone { None, Strike, Ball };
// Which hint column the client point (x, y) lies in; public so that its edges can be tested point by point.
HintZone HintZoneAt(unsigned x, unsigned y);

extern const char* const StrikeHintText;
extern const char* const BallHintText;

// WM_MOUSEMOVE of the main window.
void OnMouseMove(unsigned x, unsigned y);
