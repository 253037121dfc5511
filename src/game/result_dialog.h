#pragma once
// The result dialog's window side: what it asks of a screen reader's side.
#include <windows.h>

// Gives a screen reader, where one has asked for the board, the deciding row and the
// answer digit by digit as the name of the dialog's answer line, which shows as it
// did (reader/board_reader.cpp).
void NameResultForReader(HWND dialog);
