// The game played as a player plays it: mouse clicks on the keypad, menu commands,
// the result dialog read across processes, the board read back from the screen.
#include <gtest/gtest.h>

#include "e2e.h"
#include "resource.h"

using namespace e2e;

TEST(Game, StartsCentredAndQuitsByMenuWithExitCodeZero)
{
    Game game;
    const HWND main = game.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(main), "Velquin");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 480);
    EXPECT_EQ(r.bottom - r.top, 453);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 480) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 453) / 2);
    CaptureScreen().Save("game-start");
    game.Post(IDM_QUIT);
    DWORD code = 1;
    ASSERT_TRUE(game.WaitForExit(&code, 8000));
    EXPECT_EQ(code, 0u);
}
