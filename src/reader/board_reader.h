#pragma once
// The board for a screen reader: the main window's client object, with the parts of
// the board (spoken.h) as its named children. AnnounceRow and AnnounceEntry, what
// the game tells a reader, are in game/effects.h.
#include <windows.h>

// The main window's WM_GETOBJECT.
LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);
// The main window's Up, Down, Home and End: the reader moves over the parts.
void BrowseBoard(int virtualKey);
// Lets the reader's object go with the main window.
void ReleaseBoardReader();
