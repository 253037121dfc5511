// Bad input around the game: damaged, huge, read-only or locked settings files and
// a game folder without its sounds and help. The game must start, play, and quit
// with exit code 0, and never lose what the player had in the file.
#include <gtest/gtest.h>

#include <string>

#include "board_model.h"
#include "e2e.h"
#include "resource.h"

using namespace e2e;

namespace {

// Starts with the ini text as written, plays a guess and a New game, checks the
// board still answers, and quits.
void PlayAndQuit(Game& game, const char* what)
{
    ASSERT_NE(game.WaitForMainWindow(), nullptr) << what;
    Player player(game);
    player.Enter({1, 2, 3, 4});
    EXPECT_TRUE(player.EntryShows({1, 2, 3, 4})) << what;
    player.PressGo();
    game.Send(IDM_NEWGAME);
    game.Send(IDM_SOUND_ON);
    player.PressDigit(5);
    EXPECT_TRUE(player.EntryShows({5})) << what;
    DWORD code = 1;
    ASSERT_TRUE(game.Quit(&code)) << what;
    EXPECT_EQ(code, 0u) << what;
}

std::string Garbage(size_t size, unsigned seed)
{
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return out;
}

} // namespace

TEST(BadInput, BinaryGarbageSettingsFile)
{
    const std::string garbage = Garbage(4096, 7);
    GameOptions options;
    options.ini = garbage.c_str();  // stops at the first NUL: still binary noise
    Game game(options);
    PlayAndQuit(game, "garbage ini");
    EXPECT_NE(ReadFileText(game.IniPath()).find("SOUND=1"), std::string::npos) << "the setting is still saved";
}

TEST(BadInput, HugeSettingsFileKeepsItsContent)
{
    std::string huge = "[Notes]\r\n";
    for (int i = 0; i < 60000; ++i)
        huge += "line" + std::to_string(i) + "=" + std::string(40, 'x') + "\r\n";
    huge += "[Config]\r\nSOUND=0\r\n";
    GameOptions options;
    options.ini = huge.c_str();
    Game game(options);
    PlayAndQuit(game, "huge ini");
    const std::string after = ReadFileText(game.IniPath());
    EXPECT_NE(after.find("line59999="), std::string::npos) << "the player's other lines survive";
    EXPECT_NE(after.find("SOUND=1"), std::string::npos);
}

// Whether a read-only file may be written is for the system to say:
// the game writes its choice exactly when the system lets this test open it for writing.
TEST(BadInput, ReadOnlySettingsFileIsWrittenOnlyWhereTheSystemAllows)
{
    GameOptions options;
    options.ini = "[Config]\r\nSOUND=0\r\n";
    Game game(options);
    SetFileAttributesA(game.IniPath().c_str(), FILE_ATTRIBUTE_READONLY);
    PlayAndQuit(game, "read-only ini");
    const HANDLE probe =
        CreateFileA(game.IniPath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool writable = probe != INVALID_HANDLE_VALUE;
    if (writable)
        CloseHandle(probe);
    SetFileAttributesA(game.IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    // Where it may, the record of the game played follows the settings.
    const std::string text = ReadFileText(game.IniPath());
    EXPECT_EQ(text.substr(0, text.find("[Record]")), writable ? "[Config]\r\nSOUND=1\r\n" : "[Config]\r\nSOUND=0\r\n");
    EXPECT_EQ(text.find("[Record]\r\nPlayed=1\r\n") != std::string::npos, writable) << text;
}

TEST(BadInput, LockedSettingsFileNeitherCrashesNorHangs)
{
    GameOptions options;
    options.ini = "[Config]\r\nSOUND=0\r\n";
    Game game(options);
    // Held open with no sharing while the game starts, plays and quits.
    const HANDLE lock = CreateFileA(game.IniPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    HWND main = game.WaitForMainWindow(6000);
    if (!main) {
        // A file that cannot be read may count as missing: then the first-run dialog asks.
        const HWND dialog = game.WaitForDialog("設定", 3000);
        ASSERT_NE(dialog, nullptr) << "neither the game nor the first-run dialog appeared";
        ClickDialogButton(dialog, IDCANCEL);
        main = game.WaitForMainWindow();
    }
    ASSERT_NE(main, nullptr);
    game.Send(IDM_NEWGAME);
    if (const HWND dialog = game.WaitForDialog("設定", 1500)) {
        ClickDialogButton(dialog, IDCANCEL);
        WaitUntil([&] { return !IsWindow(dialog); });
    }
    DWORD code = 1;
    EXPECT_TRUE(game.Quit(&code));
    EXPECT_EQ(code, 0u);
    CloseHandle(lock);
    EXPECT_EQ(ReadFileText(game.IniPath()), "[Config]\r\nSOUND=0\r\n") << "the locked file is untouched";
}

// (That a missing sound rings no default sound is the Win32 tests' part: they see the flags.)
TEST(BadInput, MissingSoundsAndHelpFilesOpenNoWindowAndTheGamePlaysOn)
{
    GameOptions options;
    options.ini = "[Config]\r\nSOUND=1\r\n";
    options.withSoundsAndHelp = false;
    Game game(options);
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    const int windowsBefore = UserWindowCount(game.pid());
    game.Send(IDM_HELPFILE);
    game.Send(IDM_WORKWINDOW_HELP);
    game.Settle();
    EXPECT_EQ(UserWindowCount(game.pid()), windowsBefore) << "no error box for a missing help file";
    PlayAndQuit(game, "no sounds or help");
}
