#pragma once
// The review's window side: its item on the Game menu and its dialog.
#include <windows.h>

// "感想戦", greyed, after the record's "成績" in the Game menu.
void AddReviewMenuItem(HMENU menu);
// The item is enabled exactly while a decided game is on the board.
void UpdateReviewMenuItem(HMENU menu);
// The item's command: shows the review while the item is enabled, else nothing (a
// review of a game still being played would give its answer away).
void OnReviewCommand(HMENU menu);
INT_PTR CALLBACK ReviewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
