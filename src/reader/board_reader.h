#pragma once
// The board for a screen reader: the main window's client object, with the parts of
// the board (spoken.h) as its named children. AnnounceRow and AnnounceEntry, what
// the game tells a reader, are in game/effects.h.
#include <windows.h>

// Posted to the main window by BoardGetsFocus.
inline constexpr UINT SayBoardAgainMessage = WM_APP + 1;

// The main window's WM_GETOBJECT.
LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);
// The main window's Up, Down, Home and End: the reader moves over the parts.
void BrowseBoard(int virtualKey);
// The main window's WM_SETFOCUS, and its WM_EXITMENULOOP (the menu had a reader's
// focus): the system tells a reader of the window itself, so the part a reader was
// at is said again once that is through, unless the game says something first.
void BoardGetsFocus(HWND window);
void SayBoardAgain();
// Lets the reader's object go with the main window.
void ReleaseBoardReader();
