// The work window played with the real mouse: tiles dragged by Wine's move loop into
// the slots, refused by a held slot, pushed out of the slot row, and sent home when
// the window is closed and opened again.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "e2e.h"
#include "resource.h"

using namespace e2e;

namespace {

constexpr std::array<POINT, 9> Homes{{
    {23, 93}, {67, 93}, {111, 93}, {155, 93}, {5, 144}, {48, 144}, {91, 144}, {134, 144}, {177, 144},
}};
// Where the mouse takes hold of a tile: near its top, so that the button goes up over
// the client area even for a tile below the slot row (Wine's move loop ends only on
// WM_LBUTTONUP; released over the frame, it would go on with the next drag).
constexpr POINT Grip{20, 10};

class WorkWindowGame {
public:
    Game game;
    HWND work = nullptr;
    std::array<HWND, 9> tiles{};

    bool Open()
    {
        if (!game.WaitForMainWindow())
            return false;
        game.Send(IDM_WORKWINDOW);
        WaitUntil([&] { return (work = game.FindWindowOfClass("Work Window")) != nullptr; });
        game.Settle();
        return work != nullptr;
    }
    // Tile k is the one standing on home k while all are at home.
    bool FindTiles()
    {
        for (HWND child = GetWindow(work, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const POINT at = At(child);
            for (int k = 0; k < 9; ++k)
                if (at.x == Homes[k].x && at.y == Homes[k].y)
                    tiles[k] = child;
        }
        for (HWND tile : tiles)
            if (!tile)
                return false;
        return true;
    }
    POINT At(HWND tile) const
    {
        RECT r;
        GetWindowRect(tile, &r);
        MapWindowPoints(nullptr, work, reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top};
    }
    POINT At(int k) const { return At(tiles[k]); }
    struct Leg {
        POINT corner;  // client point where the tile's top-left should go
        int steps = 10;
    };
    // Takes tile k by its grip and moves the mouse along the legs, each in its own
    // number of steps; releases at the end of the last. Each step waits until the
    // move loop has taken it (the tile moves, unless a snap holds it in place):
    // Wine merges mouse moves that wait in the queue, and a push acts on the step
    // before the last.
    void Drag(int k, std::initializer_list<Leg> legs) const
    {
        const POINT start = At(k);
        POINT from = ClientToScreenPoint(work, start.x + Grip.x, start.y + Grip.y);
        MouseDown(from.x, from.y);
        WaitUntil([&] { return game.InMoveLoop(); }, 3000);
        for (const Leg& leg : legs) {
            const POINT to = ClientToScreenPoint(work, leg.corner.x + Grip.x, leg.corner.y + Grip.y);
            for (int i = 1; i <= leg.steps; ++i) {
                const POINT before = At(k);
                const POINT step{from.x + (to.x - from.x) * i / leg.steps, from.y + (to.y - from.y) * i / leg.steps};
                const auto moved = [&] { const POINT now = At(k); return now.x != before.x || now.y != before.y; };
                MouseMoveTo(step.x, step.y);
                WaitUntil(moved, 2000, 5);
            }
            from = to;
        }
        MouseUp(from.x, from.y);
        WaitUntil([&] { return !game.InMoveLoop(); }, 3000);
        game.Settle();
    }
    // Tile k shows its whole face on the screen: nothing of the background is
    // painted over it. Compared with the face bitmap in the game's own resources.
    bool ShowsItsFace(int k)
    {
        game.Settle();
        Sleep(100);
        const Screenshot shot = CaptureScreen();
        const HMODULE exe = LoadLibraryExA((game.dir() + "\\Velquin.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        const HBITMAP face = LoadBitmapA(exe, MAKEINTRESOURCEA(IDB_TILE_BASE + k + 1));
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, face);
        RECT r;
        GetWindowRect(tiles[k], &r);
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 41; ++x)
                wrong += shot.At(r.left + x, r.top + y) != GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(face);
        FreeLibrary(exe);
        return wrong == 0;
    }
    void ExpectAt(int k, int x, int y, int line) const
    {
        const POINT at = At(k);
        EXPECT_TRUE(at.x == x && at.y == y) << "tile " << k << " (digit " << k + 1 << ") at " << at.x << ","
                                            << at.y << ", expected " << x << "," << y << " (line " << line << ")";
        RECT r;
        GetWindowRect(tiles[k], &r);
        EXPECT_EQ(r.right - r.left, 41);
        EXPECT_EQ(r.bottom - r.top, 48);
        EXPECT_TRUE(IsWindowEnabled(tiles[k])) << "tile " << k << " (line " << line << ")";
    }
    void ExpectAllHome(int line) const
    {
        for (int k = 0; k < 9; ++k)
            ExpectAt(k, Homes[k].x, Homes[k].y, line);
    }
};

TEST(WorkWindowE2E, DragsSnapAreRefusedArePushedAndCloseSendsHome)
{
    WorkWindowGame w;
    ASSERT_TRUE(w.Open());
    ASSERT_TRUE(w.FindTiles());
    RECT main, work;
    GetWindowRect(w.game.main(), &main);
    GetWindowRect(w.work, &work);
    // The centred main window is right of 224 on this screen: the work window goes left of it.
    ASSERT_GT(main.left, 224);
    EXPECT_EQ(work.left, main.left - 254);
    EXPECT_EQ(work.top, main.top);
    EXPECT_EQ(work.right - work.left, 244);
    EXPECT_EQ(work.bottom - work.top, 390);
    // Its own frame: a sizing popup with a close box, owned by the main window, whose
    // background is never painted over its tiles.
    EXPECT_EQ(GetWindow(w.work, GW_OWNER), w.game.main());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w.work, GWL_STYLE)),
              static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_VISIBLE |
                                 WS_CLIPSIBLINGS));
    CaptureScreen().Save("work-window-open");

    // Digit 1 into slot 0: let go at (12, 302), inside the snap square.
    w.Drag(0, {{{12, 302}}});
    w.ExpectAt(0, 10, 300, __LINE__);
    CaptureScreen().Save("work-window-snapped");

    // Digit 2 brought above the row, then in one step onto slot 0: refused, it stays.
    w.Drag(1, {{{12, 230}}, {{13, 301}, 1}});
    w.Drag(1, {});  // a press and release without a move changes nothing
    w.ExpectAt(1, 13, 301, __LINE__);
    w.ExpectAt(0, 10, 300, __LINE__);
    CaptureScreen().Save("work-window-refused");

    // Wine activates the tile before it reports the move, so a push acts on the drop
    // point of the step before: digits 3 and 4 make two steps in the row against slot 0
    // and are pushed up, and down, at the x of the first.
    w.Drag(2, {{{30, 270}}, {{34, 280}, 1}});
    w.ExpectAt(2, 30, 252, __LINE__);
    w.Drag(3, {{{40, 335}}, {{44, 340}, 1}});
    w.ExpectAt(3, 40, 348, __LINE__);
    // Against an empty slot nothing pushes. (The way there passes no snap square: a
    // snap disables the tile, which ends the drag on Windows and, now and then, on Wine.)
    w.Drag(4, {{{130, 250}}, {{120, 320}}, {{124, 322}, 1}});
    w.ExpectAt(4, 124, 322, __LINE__);
    CaptureScreen().Save("work-window-pushed");
    EXPECT_TRUE(w.ShowsItsFace(2)) << "the pushed tile is painted over by the background";

    // Slot to slot frees the slot left: digit 2 (lying over digit 1) goes into slot 2,
    // digit 1 into slot 1, digit 2 in one step into slot 0, digit 5 then into slot 2.
    w.Drag(1, {{{60, 240}}, {{108, 302}, 1}});
    w.ExpectAt(1, 110, 300, __LINE__);
    w.Drag(0, {{{62, 302}}});
    w.ExpectAt(0, 60, 300, __LINE__);
    w.Drag(1, {{{11, 299}, 1}});
    w.ExpectAt(1, 10, 300, __LINE__);
    w.Drag(4, {{{112, 301}, 1}});
    w.ExpectAt(4, 110, 300, __LINE__);
    w.ExpectAt(0, 60, 300, __LINE__);
    CaptureScreen().Save("work-window-slot-to-slot");

    // Closing hides the window and sends every tile home; it opens again the same.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w.work, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_TRUE(IsWindow(w.work));
    EXPECT_FALSE(IsWindowVisible(w.work));
    EXPECT_TRUE(w.game.Running());
    w.game.Send(IDM_WORKWINDOW);
    w.game.Settle();
    EXPECT_TRUE(IsWindowVisible(w.work));
    w.ExpectAllHome(__LINE__);
    CaptureScreen().Save("work-window-reopened");

    // Every slot is free again: digit 9 snaps into slot 0, digit 8 into slot 1.
    w.Drag(8, {{{9, 297}}});
    w.ExpectAt(8, 10, 300, __LINE__);
    w.Drag(7, {{{64, 304}}});
    w.ExpectAt(7, 60, 300, __LINE__);
}

} // namespace
