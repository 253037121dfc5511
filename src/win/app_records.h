#pragma once
// The process-wide records that every room reads: the application's own, filled by
// WinMain, and the main window's handles, made by its creation step (app/). Plain
// records, no behaviour: what fills and releases them lives in app/.
#include <windows.h>

#include "back_buffer.h"
#include "gdi.h"

// Filled by WinMain before anything else happens, never changed afterwards.
struct AppInfoRecord {
    const char* title = nullptr;             // main window caption, shortcut name
    const char* settingsFileName = nullptr;  // beside the executable
    const char* helpFileName = nullptr;      // beside the executable
    HINSTANCE instance = nullptr;            // every resource is loaded from here
};
extern AppInfoRecord AppInfo;

inline constexpr const char* AppTitle = "Velquin";
inline constexpr const char* SettingsFileName = "velquin.ini";
inline constexpr const char* HelpFileName = "help\\VelquinandDorrimat.htm";

// Handles are made once (tested for null by the creation step) unless noted.
struct MainWindowStateRecord {
    HWND window = nullptr;         // the main window itself
    HMENU menu = nullptr;
    unique_hfont historyFont;      // released with the window, after the back buffer
    unique_hfont entryFont;        // that has them selected
    BackBuffer backBuffer;         // the board off screen, made at every creation step
    HCURSOR hintCursor = nullptr;  // loaded at every creation step (a shared cursor)
    HWND hintTooltip = nullptr;    // a new tooltip at every creation step
    bool hintToolAdded = false;    // the tool is added once per tooltip window
};
extern MainWindowStateRecord MainWindowState;
