// The work window and its tiles as real windows: creation, the snap carried out by
// MoveWindow and its nested WM_MOVE, the push, the placement beside the owner, the
// close box, and the background and tile faces on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include <mmsystem.h>

#include "app/app.h"
#include "game/sound_switch.h"
#include "gdi_count.h"
#include "resource.h"
#include "sound_log.h"
#include "workwin/tile_slots.h"
#include "workwin/work_place.h"
#include "workwin/work_window.h"

namespace {

using Holders = std::array<int32_t, SlotCount>;
constexpr Holders Empty{-1, -1, -1, -1};

void Pump()
{
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

RECT ClientRectOf(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ScreenWidth()
{
    const HDC dc = GetWindowDC(GetDesktopWindow());
    const int width = GetDeviceCaps(dc, HORZRES);
    ReleaseDC(GetDesktopWindow(), dc);
    return width;
}

// The work window of the test process: the one a main window made when an earlier
// suite built one, else one owned by a plain window of our own.
class WorkWindow : public ::testing::Test {
protected:
    static inline HWND owner = nullptr;
    static inline RECT ownerWas{};

    static void SetUpTestSuite()
    {
        if (WorkWindowState.window && !IsWindow(WorkWindowState.window))
            WorkWindowState = {};  // its main window is gone
        if (!WorkWindowState.window) {
            const HWND own = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_CAPTION, 0, 0,
                                             MainWindowWidth, MainWindowHeight, nullptr, nullptr, AppInfo.instance,
                                             nullptr);
            CreateWorkWindow(own);
            CreateTiles();
        }
        ASSERT_NE(WorkWindowState.window, nullptr);
        owner = GetWindow(WorkWindowState.window, GW_OWNER);
        GetWindowRect(owner, &ownerWas);
    }
    static void TearDownTestSuite()
    {
        SendMessageA(WorkWindowState.window, WM_CLOSE, 0, 0);
        MoveWindow(owner, ownerWas.left, ownerWas.top, ownerWas.right - ownerWas.left,
                   ownerWas.bottom - ownerWas.top, TRUE);
    }
    void SetUp() override
    {
        SoundOn = 0;
        SendTilesHome();
        SoundLog.clear();
    }

    static HWND Tile(int k) { return WorkWindowState.tiles[k]; }
    static void MoveTile(int k, int x, int y) { MoveWindow(Tile(k), x, y, TileWidth, TileHeight, TRUE); }
    static void ExpectTileAt(int k, int x, int y, int line)
    {
        const RECT r = ClientRectOf(Tile(k));
        EXPECT_TRUE(r.left == x && r.top == y && r.right == x + TileWidth && r.bottom == y + TileHeight)
            << "tile " << k << " at " << r.left << "," << r.top << " " << r.right - r.left << "x"
            << r.bottom - r.top << ", expected " << x << "," << y << " (line " << line << ")";
    }
    static void ExpectAllHome(int line)
    {
        for (int k = 0; k < TileCount; ++k)
            ExpectTileAt(k, WorkWindowState.homePositions[k].x, WorkWindowState.homePositions[k].y, line);
        EXPECT_EQ(TileSlots.slotTile, Empty) << "line " << line;
    }
    static void Place(int left, int top)
    {
        MoveWindow(owner, left, top, MainWindowWidth, MainWindowHeight, TRUE);
    }
};

TEST_F(WorkWindow, CreatedOnceWithNineTilesAtHome)
{
    const HWND window = WorkWindowState.window;
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "作業用ウィンドウ");
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, WorkWindowClass);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                       WS_CLIPCHILDREN),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN);

    const auto tiles = WorkWindowState.tiles;
    for (int k = 0; k < TileCount; ++k) {
        ASSERT_NE(tiles[k], nullptr) << k;
        EXPECT_EQ(GetParent(tiles[k]), window) << k;
        EXPECT_EQ(GetDlgCtrlID(tiles[k]), 127) << k;
        GetClassNameA(tiles[k], text, sizeof text);
        EXPECT_STREQ(text, TileWindowClass) << k;
        const LONG tileStyle = GetWindowLongA(tiles[k], GWL_STYLE);
        EXPECT_EQ(tileStyle & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    }
    ExpectAllHome(__LINE__);

    // The creation step runs again at every New game: nothing new, and the window stays hidden.
    const bool wasVisible = IsWindowVisible(window);
    CreateTiles();
    EXPECT_EQ(WorkWindowState.tiles, tiles);
    EXPECT_EQ(IsWindowVisible(window) != 0, wasVisible);
}

TEST_F(WorkWindow, MoveWindowIntoASnapSquareSnapsToTheExactSlot)
{
    MoveTile(1, 15, 304);
    ExpectTileAt(1, 15, 304, __LINE__);
    MoveTile(2, 14, 305);
    ExpectTileAt(2, 14, 305, __LINE__);
    EXPECT_EQ(TileSlots.snapSoundArmed, 1);

    MoveTile(0, 14, 304);
    ExpectTileAt(0, 10, 300, __LINE__);
    EXPECT_EQ(TileSlots.slotTile, (Holders{0, -1, -1, -1}));
    EXPECT_EQ(TileSlots.snapSoundArmed, 0);
    EXPECT_TRUE(IsWindowEnabled(Tile(0)));

    // Held: the other tile stays where it was put, and its position counts for nothing.
    MoveTile(3, 158, 302);
    MoveTile(3, 12, 302);
    ExpectTileAt(3, 12, 302, __LINE__);
    EXPECT_EQ(TileSlots.slotTile, (Holders{0, -1, -1, 3}));
    EXPECT_EQ(TileSlots.movedTile, 3);

    // Slot to slot: the old slot is freed.
    MoveTile(0, 114, 296);
    ExpectTileAt(0, 110, 300, __LINE__);
    EXPECT_EQ(TileSlots.slotTile, (Holders{-1, -1, 0, 3}));
    EXPECT_TRUE(IsWindowEnabled(Tile(0)));
    EXPECT_EQ(TileSlots.snapSoundArmed, 0);
    EXPECT_EQ(SoundLog, std::vector<std::string>{}) << "snaps heard with the sound off";

    // With the sound on, the first snap after a drop is heard once, without cutting
    // a game sound short.
    SoundOn = 1;
    MoveTile(5, 100, 200);
    MoveTile(5, 64, 296);
    MoveTile(5, 10, 300);
    EXPECT_EQ(SoundLog, std::vector<std::string>{Played("whuf.WAV", SND_ASYNC | SND_NODEFAULT | SND_NOSTOP)});
}

TEST_F(WorkWindow, ChildActivatePushesATileOutOfTheRowBesideAHeldSlot)
{
    MoveTile(0, 60, 300);
    MoveTile(1, 30, 280);
    EXPECT_EQ(TileSlots.dropPoint.x, 30);
    EXPECT_EQ(TileSlots.dropPoint.y, 280);
    SendMessageA(Tile(1), WM_CHILDACTIVATE, 0, 0);
    ExpectTileAt(1, 30, 252, __LINE__);
    EXPECT_TRUE(IsWindowEnabled(Tile(1)));

    MoveTile(2, 90, 330);
    SendMessageA(Tile(2), WM_CHILDACTIVATE, 0, 0);
    ExpectTileAt(2, 90, 348, __LINE__);

    MoveTile(3, 150, 330);  // slots 2 and 3 are empty
    SendMessageA(Tile(3), WM_CHILDACTIVATE, 0, 0);
    ExpectTileAt(3, 150, 330, __LINE__);
    EXPECT_EQ(TileSlots.slotTile, (Holders{-1, 0, -1, -1}));

    // Left of the client area (a negative x in WM_MOVE) the row pushes against slot 0.
    MoveTile(4, 10, 300);
    MoveTile(5, -20, 280);
    SendMessageA(Tile(5), WM_CHILDACTIVATE, 0, 0);
    ExpectTileAt(5, -20, 252, __LINE__);
}

TEST_F(WorkWindow, ShownBesideTheOwnerAndAgainWithEveryTileHome)
{
    const HWND window = WorkWindowState.window;
    SendMessageA(window, WM_CLOSE, 0, 0);
    const int width = ScreenWidth();
    for (const int left : {224, 225}) {
        Place(left, 120);
        RECT before;
        GetWindowRect(window, &before);
        MoveTile(0, 10, 300);
        ShowWorkWindow();
        EXPECT_TRUE(IsWindowVisible(window));
        RECT r;
        GetWindowRect(window, &r);
        if (width >= 800) {
            const WorkWindowPlace place = PlaceWorkWindow(width, left, 120);
            EXPECT_EQ(place.x, left == 224 ? 714 : -29);
            EXPECT_EQ(r.left, place.x);
            EXPECT_EQ(r.top, 120);
            EXPECT_EQ(r.right - r.left, WorkWindowWidth);
            EXPECT_EQ(r.bottom - r.top, WorkWindowHeight);
        } else {
            RECT desktop;
            GetWindowRect(GetDesktopWindow(), &desktop);
            EXPECT_EQ(r.right - r.left, before.right - before.left);
            EXPECT_EQ(r.bottom - r.top, before.bottom - before.top);
            EXPECT_EQ(r.left, (desktop.right - (r.right - r.left)) / 2);
            EXPECT_EQ(r.top, (desktop.bottom - (r.bottom - r.top)) / 2);
        }
        ExpectTileAt(0, 10, 300, __LINE__);  // it was hidden: nothing goes home
        EXPECT_EQ(TileSlots.slotTile, (Holders{0, -1, -1, -1}));

        // Chosen again while shown: beside the owner the tiles go home, centred they stay.
        ShowWorkWindow();
        if (width >= 800) {
            ExpectAllHome(__LINE__);
        } else {
            ExpectTileAt(0, 10, 300, __LINE__);
            EXPECT_EQ(TileSlots.slotTile, (Holders{0, -1, -1, -1}));
        }
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    std::printf("[ screen    ] %d pixels wide\n", width);
}

TEST_F(WorkWindow, CloseHidesAndSendsTilesHomeAndSoDoesSendTilesHome)
{
    const HWND window = WorkWindowState.window;
    Place(224, 100);
    ShowWorkWindow();
    MoveTile(0, 10, 300);
    MoveTile(5, 62, 302);
    MoveTile(8, 170, 320);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    ExpectAllHome(__LINE__);
    EXPECT_EQ(TileSlots.snapSoundArmed, 1);

    ShowWorkWindow();
    MoveTile(4, 110, 300);
    MoveTile(7, 160, 300);
    SendTilesHome();  // as New game does
    EXPECT_TRUE(IsWindowVisible(window));
    ExpectAllHome(__LINE__);
    SendMessageA(window, WM_CLOSE, 0, 0);
}

TEST_F(WorkWindow, BackgroundBandsAndSlotBoxesPaintedOnceForAllShowings)
{
    ShowWorkWindow();
    const BackBuffer& buffer = WorkBackBuffer;
    ASSERT_NE(buffer.dc, nullptr);
    EXPECT_EQ(buffer.width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(buffer.height, GetSystemMetrics(SM_CYSCREEN));
    constexpr COLORREF cyan = RGB(200, 255, 255), pink = RGB(255, 128, 255), yellow = RGB(255, 255, 128),
                       green = RGB(128, 255, 128), slot = RGB(0, 128, 0);
    const struct {
        int x, y;
        COLORREF colour;
    } points[] = {
        {0, 0, pink},    {0, 84, pink},     {0, 85, cyan},     {0, 89, cyan},    {0, 90, yellow}, {0, 199, yellow},
        {0, 200, cyan},  {0, 205, green},   {0, 289, green},   {0, 290, cyan},   {9, 300, cyan},  {10, 300, slot},
        {50, 347, slot}, {51, 300, cyan},   {10, 348, cyan},   {60, 300, slot},  {110, 347, slot}, {200, 300, slot},
        {201, 347, cyan}, {59, 320, cyan},  {buffer.width - 1, 0, pink},         {buffer.width - 1, 300, cyan},
        {buffer.width - 1, buffer.height - 1, cyan},
    };
    for (const auto& p : points)
        EXPECT_EQ(GetPixel(buffer.dc, p.x, p.y), p.colour) << p.x << "," << p.y;
    const int gdi = GdiObjectCount(GetCurrentProcess());
    for (int showing = 0; showing < 3; ++showing) {
        SendMessageA(WorkWindowState.window, WM_CLOSE, 0, 0);
        ShowWorkWindow();
    }
    EXPECT_EQ(GdiObjectCount(GetCurrentProcess()), gdi) << "GDI objects made by showing the window again";
    SendMessageA(WorkWindowState.window, WM_CLOSE, 0, 0);
}

TEST_F(WorkWindow, TheScreenShowsEveryTileFaceAndTheBackgroundWhereATileWas)
{
    Place(224, 100);
    ShowWorkWindow();
    for (const POINT to : {POINT{10, 300}, POINT{160, 300}}) {  // from home into slot 0, then on to slot 3
        MoveTile(6, to.x, to.y);
        UpdateWindow(WorkWindowState.window);
        Pump();
    }
    const HDC screen = GetDC(nullptr);
    POINT client{0, 0};
    ClientToScreen(WorkWindowState.window, &client);
    constexpr COLORREF cyan = RGB(200, 255, 255), yellow = RGB(255, 255, 128), slot = RGB(0, 128, 0);
    const struct {
        int x, y;
        COLORREF colour;
    } left[] = {{91, 144, yellow}, {131, 191, yellow}, {10, 300, slot}, {50, 347, slot}, {9, 300, cyan},
                {51, 347, cyan},   {10, 348, cyan}};
    for (const auto& p : left)
        EXPECT_EQ(GetPixel(screen, client.x + p.x, client.y + p.y), p.colour) << p.x << "," << p.y;
    for (int k = 0; k < TileCount; ++k) {
        const HBITMAP face = LoadBitmapA(AppInfo.instance, MAKEINTRESOURCEA(IDB_TILE_BASE + 1 + k));
        ASSERT_NE(face, nullptr) << k;
        const HDC faceDc = CreateCompatibleDC(screen);
        const HGDIOBJ old = SelectObject(faceDc, face);
        RECT r;
        GetWindowRect(Tile(k), &r);
        int differ = 0;
        for (int y = 0; y < TileHeight; y += 3)
            for (int x = 0; x < TileWidth; x += 3)
                differ += GetPixel(screen, r.left + x, r.top + y) != GetPixel(faceDc, x, y);
        EXPECT_EQ(differ, 0) << "tile " << k;
        SelectObject(faceDc, old);
        DeleteDC(faceDc);
        DeleteObject(face);
    }
    ReleaseDC(nullptr, screen);
    SendMessageA(WorkWindowState.window, WM_CLOSE, 0, 0);
}

} // namespace
