#pragma once
// The Help menu: help files and home page through the shell, the About box and
// the one-point help.
#include <windows.h>

#include <cstdint>

#include "win/gdi.h"

// The one-point help's page: 0 the introduction, 1 to 5 the pages.
extern int32_t helpPage;
// The one-point help's text font, alive from WM_INITDIALOG to OK or Escape.
extern unique_hfont HelpFont;

inline constexpr const char* WorkWindowHelpFileName = "help\\workwindow.htm";
inline constexpr const char* HomePageAddress = "https://velquin.example/";

void OpenBesideExe(const char* name);
void OpenHomePage();
void ShowAboutDialog();
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowOnePointHelp();
INT_PTR CALLBACK OnePointHelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
