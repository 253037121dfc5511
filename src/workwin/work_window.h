#pragma once
// The work window: a scratch pad with nine draggable digit tiles and four slots.
#include <windows.h>

#include <array>

#include "win/back_buffer.h"

struct WorkWindowStateRecord {
    HWND window = nullptr;          // created once, hidden, never destroyed before the main window
    std::array<HWND, 9> tiles{};    // tile k shows digit k + 1
    std::array<POINT, 9> homePositions{{
        {23, 93}, {67, 93}, {111, 93}, {155, 93},
        {5, 144}, {48, 144}, {91, 144}, {134, 144}, {177, 144},
    }};
};
extern WorkWindowStateRecord WorkWindowState;

// The work window's background, painted once when the window is first shown,
// screen-sized (the screen's size then) so that the window can be resized freely.
// Released by the work window's WM_DESTROY.
extern BackBuffer WorkBackBuffer;

inline constexpr const char* WorkWindowClass = "Work Window";
inline constexpr const wchar_t* WorkWindowClassW = L"Work Window";  // the same class
inline constexpr const char* TileWindowClass = "Num Window";

inline constexpr int TileChildId = 127;  // the same for all nine tiles

void CreateWorkWindow(HWND owner);
void CreateTiles();
void SendTilesHome();
void ShowWorkWindow();
LRESULT CALLBACK WorkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TileProc(HWND tile, UINT message, WPARAM wParam, LPARAM lParam);
