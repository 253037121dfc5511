#pragma once
// The main window: its class, its creation step and its commands, and the entry
// point's message loop. The records it fills are in win/app_records.h.
#include <windows.h>

#include "win/app_records.h"

inline constexpr const char* MainWindowClass = "Parent Window";

inline constexpr int MainWindowWidth = 480;
inline constexpr int MainWindowHeight = 453;

void RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void NewGame();
// A key of the keypad (digits, Enter, Backspace, Delete, Escape) typed into one of the
// game's windows, sent to the main window as its button's command; true when the
// message is used up and goes no further.
bool PlayKeypadKey(const MSG& message);

// Check mark on "サウンド ON" when soundOn is non-zero, else on "サウンド OFF".
void CheckSoundMenu(HMENU menu, int soundOn);
