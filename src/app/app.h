#pragma once
// The application record, the main window's record and the shared window routines.
#include <windows.h>

#include <commctrl.h>

#include <cstddef>

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

inline constexpr const char* MainWindowClass = "Parent Window";
inline constexpr const char* WorkWindowClass = "Work Window";
inline constexpr const wchar_t* WorkWindowClassW = L"Work Window";  // the same class
inline constexpr const char* TileWindowClass = "Num Window";

inline constexpr int MainWindowWidth = 480;
inline constexpr int MainWindowHeight = 453;

// The board off screen: all board drawing goes here, WM_PAINT copies it out.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;  // desktop-sized, selected into dc for its whole life
};

// Handles are made once (tested for null by the creation step) unless noted.
struct MainWindowStateRecord {
    HWND window = nullptr;       // the main window itself
    BackBuffer backBuffer;       // made at every creation step
    HMENU menu = nullptr;
    HFONT historyFont = nullptr;
    HFONT entryFont = nullptr;
    HCURSOR hintCursor = nullptr;  // loaded at every creation step (a shared cursor)
    HWND hintTooltip = nullptr;    // a new tooltip at every creation step
    bool hintToolAdded = false;    // the tool is added once per tooltip window
};
extern MainWindowStateRecord MainWindowState;

// The tooltip's one tool; its text pointer is set on each use.
extern TOOLINFOA HintTool;
// The size of the tool record up to lParam, which every version of the tooltip
// control takes. Without a manifest asking for version 6 the game gets version 5,
// which refuses the newer 48-byte record: no hint would ever show.
inline constexpr UINT HintToolSize = offsetof(TOOLINFOA, lParam) + sizeof(LPARAM);
static_assert(sizeof(void*) != 4 || HintToolSize == 44, "TTTOOLINFOA_V2_SIZE");
static_assert(offsetof(TOOLINFOW, lParam) == offsetof(TOOLINFOA, lParam), "the W record has the same size");

void RegisterWindowClasses(HINSTANCE instance);
HWND CreateMainWindow();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void NewGame();
// A key of the keypad (digits, Enter, Backspace, Delete, Escape) typed into one of the
// game's windows, sent to the main window as its button's command; true when the
// message is used up and goes no further.
bool PlayKeypadKey(const MSG& message);

// The board for a screen reader (board_reader.cpp): the main window's WM_GETOBJECT,
// its keys Up, Down, Home and End, and the release of the reader's object.
LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);
void ReviewBoard(int virtualKey);
void ReleaseBoardReader();

// Moves window to the centre of the desktop and leaves it hidden; always 0.
int CenterOnDesktop(HWND window);
// Copies bitmap resource id to (x, y) of dc at its own size.
void BlitBitmapResource(HDC dc, int id, int x, int y);
// Check mark on "サウンド ON" when soundOn is non-zero, else on "サウンド OFF".
void CheckSoundMenu(HMENU menu, int soundOn);
