#pragma once
// The review's window side: its item on the Game menu and its dialog.
#include <windows.h>

// Adds "感想戦" to the Game menu once, after the record's item where the menu has it,
// else after the work window's.
void AddReviewMenuItem(HMENU menu);
// The item is enabled exactly while a decided game is on the board.
void UpdateReviewMenuItem(HMENU menu);
// The item's command: shows the review while the item is enabled, else nothing (a
// review of a game still being played would give its answer away).
void OnReviewCommand(HMENU menu);
INT_PTR CALLBACK ReviewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
