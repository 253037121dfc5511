#pragma once
// The player's record on the window side: kept in the settings file's section
// "Record", read when it is first needed, and shown in the record dialog.
#include <windows.h>

#include "player_record.h"

struct RecordStateRecord {
    bool loaded = false;
    RecordValues values{};  // the record as counted
    RecordValues stored{};  // what the file holds, key by key; -1 where a key is missing or unreadable
    int lastWin = 0;        // the guesses of the last game won in this run; 0 before one
};
extern RecordStateRecord RecordState;

// The game in progress, if it has a judged guess, counted as lost: New game, quitting.
void AbandonRecordedGame();
// "成績" after "作業ウィンドウを作る" in the Game menu.
void AddRecordMenuItem(HMENU menu);
void ShowRecordDialog();
INT_PTR CALLBACK RecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
