// The portable distribution, unzipped into a clean folder, is a whole game: a first
// start asks about shortcuts, then the game plays with its help beside it and
// saves its settings in that folder. Runs when VELQUIN_DIST_DIR names the folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "board_model.h"
#include "e2e.h"
#include "resource.h"

using namespace e2e;

TEST(Distribution, RunsFromTheUnzippedFolder)
{
    const char* dist = std::getenv("VELQUIN_DIST_DIR");
    if (!dist || !*dist)
        GTEST_SKIP() << "VELQUIN_DIST_DIR is not set";
    const std::string dir = ToWindowsPath(dist);
    for (const char* file : {"Velquin.exe", "21.wav", "PIN1.wav", "FAN2.wav", "DOWN1.wav", "whuf.WAV",
                             "help\\VelquinandDorrimat.htm", "help\\workwindow.htm", "README-ja.txt", "README-en.txt"})
        EXPECT_NE(GetFileAttributesA((dir + "\\" + file).c_str()), INVALID_FILE_ATTRIBUTES) << file;
    ASSERT_EQ(GetFileAttributesA((dir + "\\velquin.ini").c_str()), INVALID_FILE_ATTRIBUTES) << "not a clean folder";

    GameOptions options;
    options.runInPlace = dir;
    options.workingDir = ScratchDir();
    Game game(options);
    const HWND settings = game.WaitForDialog("設定", 10000);
    ASSERT_NE(settings, nullptr) << "a first start asks about shortcuts";
    CaptureScreen().Save("dist-first-run");
    ClickDialogButton(settings, IDCANCEL);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    Player player(game);
    player.Enter({9, 8, 7});
    EXPECT_TRUE(player.EntryShows({9, 8, 7}));
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileText(dir + "\\velquin.ini"), "[Config]\r\nSOUND=0\r\n");
    DeleteFileA((dir + "\\velquin.ini").c_str());
}
