#pragma once
// What the game asks of the window side. The game executable provides these
// (keypad, board drawing, result dialog, sound); the unit tests put a recorder
// in their place, so the order of effects can be checked without Windows.

// Keypad faces
void MarkDigitUsed(int n, int index);
void RestoreKeypad(int n);
void ResetKeypadAfterJudgement();

// Board drawing into the back buffer
void DrawEntryDigit(int n, int d);
void EraseEntryBoxes();
void DrawHistoryLine(int n);
// Invalidates the whole client area of the main window without erasing.
void InvalidateMainWindow();

// Tells a screen reader what changed: the judged row n (0..9), or the entry (also
// when a key was refused). It reads the whole part out (spoken.h) without being asked.
void AnnounceRow(int n);
void AnnounceEntry();

// Plays one of the game's sound files asynchronously; silent when it is missing.
void PlayGameSound(const char* fileName);

// The player's record, written before anything of the game's end is shown: a game
// counts from its first judged guess, and ends won in guesses (1..10) or lost (0).
void RecordGameOpened();
void RecordGameEnded(int guesses);

// The modal result dialog with GameState's two result texts.
void ShowResultDialog();
