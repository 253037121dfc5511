#pragma once
// The game's modal dialogs and where its windows stand.
#include <windows.h>

// A modal dialog of the game, owned by the main window; its templates' texts are
// UTF-16 and reach the screen as they are through DialogBoxParamW.
void ShowGameDialog(int dialogId, DLGPROC procedure);
// Moves window to the centre of the desktop and leaves it hidden; always 0.
int CenterOnDesktop(HWND window);
