// The work window: created hidden with the main window, placed and shown by menu
// command, hidden (never destroyed) by its close box. Its tiles live in tile_window.cpp.
#include "work_window.h"

#include <windows.h>

#include "tile_slots.h"
#include "win/dialogs.h"
#include "win/gdi.h"
#include "win/wide_text.h"
#include "work_place.h"

WorkWindowStateRecord WorkWindowState;
BackBuffer WorkBackBuffer;

namespace {

HINSTANCE InstanceOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

void FillArea(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    const unique_hbrush brush(CreateSolidBrush(colour));
    const select_scope selected(dc, brush.get());
    PatBlt(dc, x, y, width, height, PATCOPY);
}

// Pale bands with thin pale-cyan gaps, and the four dark green slot boxes below them.
void PaintBackground(HDC dc, int width, int height)
{
    FillArea(dc, 0, 0, width, height, RGB(200, 255, 255));
    FillArea(dc, 0, 0, width, 85, RGB(255, 128, 255));
    FillArea(dc, 0, 90, width, 110, RGB(255, 255, 128));
    FillArea(dc, 0, 205, width, 85, RGB(128, 255, 128));
    for (int s = 0; s < SlotCount; ++s) {
        const SlotRect slot = SlotRectOf(s);
        FillArea(dc, slot.left, slot.top, TileWidth, TileHeight, RGB(0, 128, 0));
    }
}

// Made when the window is first shown, not when it is created hidden at start-up,
// where painting a screen-sized picture nobody sees would only delay the first frame.
void MakeBackBuffer()
{
    BackBuffer& buffer = WorkBackBuffer;
    if (buffer.dc)
        return;
    const window_dc screen(nullptr);
    buffer.Make(screen.get(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    PaintBackground(buffer.dc, buffer.width, buffer.height);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    WorkBackBuffer.Paint(dc, ps.rcPaint);
    EndPaint(window, &ps);
}

void OnClose(HWND window)
{
    SendTilesHome();
    ShowWindow(window, SW_HIDE);
}

void OnDestroy()
{
    WorkBackBuffer.Release();
}

int ScreenWidth()
{
    const HWND desktop = GetDesktopWindow();
    const HDC dc = GetWindowDC(desktop);
    const int width = GetDeviceCaps(dc, HORZRES);
    ReleaseDC(desktop, dc);
    return width;
}

} // namespace

void CreateWorkWindow(HWND owner)
{
    WorkWindowStateRecord& state = WorkWindowState;
    // WS_CLIPCHILDREN: without it the background, repainted where a tile has just
    // left, is copied over the tiles standing there and leaves band-coloured stripes
    // across them until they repaint.
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    constexpr const char* caption = "作業用ウィンドウ";
    if (!state.window && GameTextsAreWide())
        state.window = CreateWindowExW(0, WorkWindowClassW, WideGameText(caption).c_str(), style, 0, 0, 200, 400,
                                       owner, nullptr, InstanceOf(owner), nullptr);
    else if (!state.window)
        state.window = CreateWindowExA(0, WorkWindowClass, caption, style, 0, 0, 200, 400, owner, nullptr,
                                       InstanceOf(owner), nullptr);
    ShowWindow(state.window, SW_HIDE);
}

void CreateTiles()
{
    WorkWindowStateRecord& state = WorkWindowState;
    const HINSTANCE instance = InstanceOf(GetWindow(state.window, GW_OWNER));
    for (int k = 0; k < TileCount; ++k) {
        if (state.tiles[k])
            continue;
        const POINT home = state.homePositions[k];
        state.tiles[k] = CreateWindowExA(0, TileWindowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                         home.x, home.y, TileWidth, TileHeight, state.window,
                                         reinterpret_cast<HMENU>(TileChildId), instance, nullptr);
    }
}

void SendTilesHome()
{
    const WorkWindowStateRecord& state = WorkWindowState;
    for (int k = 0; k < TileCount; ++k)
        MoveWindow(state.tiles[k], state.homePositions[k].x, state.homePositions[k].y, TileWidth, TileHeight, TRUE);
}

void ShowWorkWindow()
{
    const HWND window = WorkWindowState.window;
    RECT main{};
    GetWindowRect(GetWindow(window, GW_OWNER), &main);
    const WorkWindowPlace place = PlaceWorkWindow(ScreenWidth(), main.left, main.top);
    if (place.centred)
        CenterOnDesktop(window);  // which hides it: the tiles stay where they are
    else
        MoveWindow(window, place.x, place.y, WorkWindowWidth, WorkWindowHeight, TRUE);
    if (IsWindowVisible(window))
        SendTilesHome();
    MakeBackBuffer();
    ShowWindow(window, SW_SHOW);
}

LRESULT CALLBACK WorkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;  // closing only hides
    case WM_DESTROY: OnDestroy(); break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);  // the class is Unicode
}
