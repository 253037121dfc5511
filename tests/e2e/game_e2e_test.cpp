// The game played as a player plays it: mouse clicks on the keypad, menu commands,
// the result dialog read across processes, the board read back from the screen and
// compared with the same text drawn here on the same board picture in the same font.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>
#include <ctime>
#include <set>
#include <string>

#include "board_model.h"
#include "e2e.h"
#include "game/secret.h"
#include "resource.h"
#include "review/review.h"
#include "solver.h"

using namespace e2e;

namespace {



std::string Digits(const Code& c)
{
    return std::to_string(c[0]) + std::to_string(c[1]) + std::to_string(c[2]) + std::to_string(c[3]);
}

struct Result {
    HWND dialog = nullptr;
    std::string headline, answer;
};

Result WaitForResult(Game& game)
{
    Result r;
    r.dialog = game.WaitForDialog("判定 - Velquin", 8000);
    if (r.dialog) {
        r.headline = DialogItemText(r.dialog, IDC_RESULT_HEADLINE);
        r.answer = DialogItemText(r.dialog, IDC_RESULT_ANSWER);
    }
    return r;
}

// After GO: waits until the judged row reads as a score or the result dialog opens.
// The row can reach the screen before the dialog does, so a win or a tenth guess
// goes on to wait for the dialog.
bool AwaitJudgement(Game& game, const Player& player, int row, const Code& guess, int& strikes, int& balls,
                    Result& result)
{
    const bool judged = WaitUntil(
        [&] {
            if (game.FindWindowOfClass("#32770")) {
                result = WaitForResult(game);
                return true;
            }
            return player.ReadRow(row, guess, strikes, balls);
        },
        6000, 50);
    if (judged && !result.dialog && (strikes == 4 || row == 9))
        result = WaitForResult(game);
    return judged;
}

// The events on a main window's client object, as a reader out of the game's process
// gets them (Wine hands them over in reverse order): "focus 11", "name 11" (a change of
// the part a reader is at), "live 3" (a change while another window has the focus).
std::set<std::string> HeardEvents;
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    const char* kind = event == EVENT_OBJECT_FOCUS ? "focus " : event == EVENT_OBJECT_NAMECHANGE ? "name " : "live ";
    if (object == OBJID_CLIENT && std::string(name) == "Parent Window" &&
        (event == EVENT_OBJECT_FOCUS || event == EVENT_OBJECT_NAMECHANGE || event == 0x8019))
        HeardEvents.insert(kind + std::to_string(child));
}

// A cell of a list view in the game's process: the item record and its text live there.
std::string ListCellText(const Game& game, HWND list, int row, int column)
{
    struct Cell {
        LVITEMW item;
        wchar_t text[64];
    } cell{};
    auto* remote = static_cast<Cell*>(VirtualAllocEx(game.process(), nullptr, sizeof cell, MEM_COMMIT, PAGE_READWRITE));
    cell.item.iSubItem = column;
    cell.item.pszText = remote->text;
    cell.item.cchTextMax = 64;
    WriteProcessMemory(game.process(), remote, &cell, sizeof cell, nullptr);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 5000, &length);
    ReadProcessMemory(game.process(), remote, &cell, sizeof cell, nullptr);
    VirtualFreeEx(game.process(), remote, 0, MEM_RELEASE);
    char text[128] = {};
    WideCharToMultiByte(932, 0, cell.text, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

} // namespace

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
    // A fixed frame: it can be minimised, neither resized nor maximised.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(main, GWL_STYLE)),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE | WS_CLIPSIBLINGS));
    Player player(game);
    for (int n = 0; n < 10; ++n)
        EXPECT_TRUE(player.RowIsEmpty(n)) << "row " << n;
    EXPECT_TRUE(player.EntryShows({}));
    CaptureScreen().Save("game-start");
    game.Post(IDM_QUIT);
    DWORD code = 1;
    ASSERT_TRUE(game.WaitForExit(&code, 8000));
    EXPECT_EQ(code, 0u);
}

// The solver reads each score off the screen and wins; the dialog names the secret,
// Escape does not close it, OK does, and the finished board stays until New game.
TEST(Game, WonByReadingTheBoard)
{
    Game game;
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    Player player(game);
    solver::Player solver;

    // Entering, a refused repeat, Clear, and entering again show in the boxes.
    player.PressDigit(4);
    player.PressDigit(4);
    player.PressDigit(7);
    EXPECT_TRUE(player.EntryShows({4, 7}));
    player.PressClear();
    EXPECT_TRUE(player.EntryShows({}));

    Result result;
    std::vector<JudgedGuess> judged;
    int row = 0;
    for (; row < 10 && !result.dialog; ++row) {
        const Code guess = solver.Guess();
        player.Enter(guess);
        ASSERT_TRUE(player.EntryShows({guess[0], guess[1], guess[2], guess[3]})) << "row " << row;
        if (row == 1)
            CaptureScreen().Save("game-in-progress");
        player.PressGo();
        int strikes = -1, balls = -1;
        ASSERT_TRUE(AwaitJudgement(game, player, row, guess, strikes, balls, result))
            << "row " << row << " does not read as any score";
        judged.push_back({guess, result.dialog ? Score{4, 0} : Score{strikes, balls}});
        if (result.dialog)
            break;
        ASSERT_TRUE(solver.Feed(strikes, balls));
    }
    ASSERT_NE(result.dialog, nullptr) << "no win within ten guesses";
    EXPECT_EQ(result.headline, "おめでとうございます");
    EXPECT_EQ(result.answer, "こたえは " + Digits(solver.Guess()) + " でした");
    EXPECT_FALSE(IsWindowEnabled(game.main())) << "the dialog is modal";
    EXPECT_EQ(OwnedAndCentred(result.dialog, game.main()), "");
    CaptureScreen().Save("game-won");
    const std::string won = "Played=1\r\nWon=1\r\nStreak=1\r\nBestStreak=1\r\n";
    const std::string winIn = "Win" + std::to_string(row + 1) + "=1\r\n";
    EXPECT_NE(ReadFileText(game.IniPath()).find(won), std::string::npos) << "a kill now must find the win in";
    EXPECT_NE(ReadFileText(game.IniPath()).find(winIn), std::string::npos) << ReadFileText(game.IniPath());

    TapKey(VK_ESCAPE);
    Sleep(150);
    EXPECT_TRUE(IsWindowVisible(result.dialog)) << "Escape must not close the result";
    ClickDialogButton(result.dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(result.dialog); }));
    int s = 0, b = 0;
    EXPECT_TRUE(player.ReadRow(row, solver.Guess(), s, b));
    EXPECT_EQ(s, 4);

    // The record dialog from the Game menu, its bar of this win in the highlight colour.
    game.Post(IDM_RECORD);
    const HWND record = game.WaitForDialog("成績");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(OwnedAndCentred(record, game.main()), "");
    std::string texts;
    for (int id = IDC_RECORD_PLAYED; id <= IDC_RECORD_LINE_BASE + 10; ++id)
        texts += DialogItemText(record, id) + "|";
    std::string lines;
    for (int k = 1; k <= 10; ++k)
        lines += std::to_string(k) + "回 " + (k == row + 1 ? "1|" : "0|");
    EXPECT_EQ(texts, "プレイ回数 1|勝ち 1|勝率 100%|現在の連勝 1|最長連勝 1|平均 " + std::to_string(row + 1) + ".0 回|" + lines);
    CaptureScreen().Save("record-dialog");
    // Tab reaches リセット, and Yes on its question writes the zeros at once.
    TapKey(VK_TAB);
    TapKey(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(record); })) << "no question";
    TapKey('Y');
    EXPECT_TRUE(WaitUntil([&] { return DialogItemText(record, IDC_RECORD_PLAYED) == "プレイ回数 0"; }));
    EXPECT_NE(ReadFileText(game.IniPath()).find("Played=0\r\nWon=0\r\nStreak=0\r\nBestStreak=0\r\n"),
              std::string::npos);
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(record); })) << "Escape closes the record";
    // The review of the game won, row by row as the analysis has it; the keyboard
    // starts on the list, Tab reaches OK, Escape closes.
    game.Post(IDM_REVIEW);
    const HWND review = game.WaitForDialog("感想戦");
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(OwnedAndCentred(review, game.main()), "");
    const GameReview expected = ReviewGame(solver.Guess(), judged.data(), static_cast<int>(judged.size()));
    const HWND list = GetDlgItem(review, IDC_REVIEW_LIST);
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), expected.rowCount);
    for (int k = 0; k < expected.rowCount; ++k)
        for (int c = 0; c < ReviewColumnCount; ++c)
            EXPECT_EQ(ListCellText(game, list, k, c), ReviewCellText(expected, k, c).data()) << k << ", " << c;
    int line = 0;
    for (int id : {IDC_REVIEW_ANSWER, IDC_REVIEW_NARROWED, IDC_REVIEW_COMPUTER})
        EXPECT_EQ(DialogItemText(review, id), ReviewLineText(expected, line++).data());
    CaptureScreen().Save("review");
    const auto focused = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(review, nullptr), &info) ? info.hwndFocus : nullptr;
    };
    EXPECT_TRUE(WaitUntil([&] { return focused() == list; }));
    TapKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return focused() == GetDlgItem(review, IDOK); }));
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(review); }));

    // Nothing is accepted after the win, until New game clears the board.
    player.PressDigit(9);
    EXPECT_TRUE(player.EntryShows({}));
    game.Send(IDM_NEWGAME);
    for (int n = 0; n <= row; ++n)
        EXPECT_TRUE(player.RowIsEmpty(n)) << "row " << n << " after New game";
    player.PressDigit(9);
    EXPECT_TRUE(player.EntryShows({9}));
}

// Ten misses lose: the dialog names a secret drawn from the start time's seed,
// and every row on screen carries that secret's score for its guess.
TEST(Game, LostOnTheTenthGuessShowsTheSecret)
{
    const auto before = static_cast<uint32_t>(std::time(nullptr));
    Game game;
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    const auto after = static_cast<uint32_t>(std::time(nullptr));
    std::set<Code> candidates;
    for (uint32_t t = before; t <= after; ++t)
        candidates.insert(SecretFromSeed(t));

    Player player(game);
    std::vector<Code> guesses;
    for (const Code& c : solver::AllCodes())
        if (!candidates.count(c) && guesses.size() < 10)
            guesses.push_back(c);

    Result result;
    std::vector<std::pair<int, int>> scores;
    for (int row = 0; row < 10; ++row) {
        player.Enter(guesses[row]);
        player.PressGo();
        int s = -1, b = -1;
        ASSERT_TRUE(AwaitJudgement(game, player, row, guesses[row], s, b, result)) << "row " << row;
        if (row < 9) {
            ASSERT_EQ(result.dialog, nullptr) << "the game ended early at row " << row;
            scores.emplace_back(s, b);
        }
    }
    ASSERT_NE(result.dialog, nullptr);
    EXPECT_EQ(result.headline, "残念でした");
    CaptureScreen().Save("game-lost");
    ClickDialogButton(result.dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(result.dialog); }));
    int s = -1, b = -1;
    ASSERT_TRUE(player.ReadRow(9, guesses[9], s, b));
    scores.emplace_back(s, b);

    const Code* secret = nullptr;
    for (const Code& c : candidates)
        if (result.answer == "こたえは " + Digits(c) + " でした")
            secret = &c;
    ASSERT_NE(secret, nullptr) << "the answer is no secret of the seeds " << before << ".." << after;
    for (int row = 0; row < 10; ++row) {
        int32_t strikes = 0, balls = 0;
        JudgeGuess(*secret, guesses[row], strikes, balls);
        EXPECT_EQ(scores[row], std::make_pair(static_cast<int>(strikes), static_cast<int>(balls))) << "row " << row;
    }
    // Lost: the keypad does nothing until New game.
    player.PressDigit(guesses[0][0]);
    EXPECT_TRUE(player.EntryShows({}));
}

// A whole game typed: digits from both keyboards and full-width ones (typed, and as an
// input method's whole character), a used digit refused, Clear by each of its keys,
// GO by Enter, with a button or the work window holding the focus. The Enter that
// opens the result does not close it, held down and repeating; a fresh press does.
// A screen reader in this process hears the game and reads its rows.
TEST(Game, PlayedToItsEndFromTheKeyboard)
{
    const auto before = static_cast<uint32_t>(std::time(nullptr));
    Game game;
    const HWND main = game.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    std::set<Code> secrets;
    for (auto t = before; t <= static_cast<uint32_t>(std::time(nullptr)); ++t)
        secrets.insert(SecretFromSeed(t));
    std::vector<Code> guesses;
    for (const Code& c : solver::AllCodes())
        if (!secrets.count(c) && guesses.size() < 10)
            guesses.push_back(c);
    Player player(game);
    const auto shows = [&](const std::vector<int>& d) { return WaitUntil([&] { return player.EntryShows(d); }); };
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    // The input method is off for the game's thread: no input-method window of its own.
    int imeWindows = 0;
    ForEachTopLevelWindow(game.pid(), [&](HWND w) {
        char name[8] = {};
        imeWindows += GetClassNameA(w, name, sizeof name) && lstrcmpA(name, "IME") == 0;
        return true;
    });
    EXPECT_EQ(imeWindows, 0);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, 0x8019, nullptr, RecordEvent, game.pid(), 0,
                                               WINEVENT_OUTOFCONTEXT);

    TapKey('4');
    TapKey(VK_NUMPAD4);
    TapKey(VK_NUMPAD7);
    EXPECT_TRUE(shows({4, 7}));
    TapKey(VK_BACK);
    EXPECT_TRUE(shows({}));
    player.PressDigit(1);
    TypeCharacter(0xFF12);  // ２
    EXPECT_TRUE(shows({1, 2}));
    TapKey(VK_DELETE);
    EXPECT_TRUE(shows({}));
    SendMessageW(main, WM_IME_CHAR, 0xFF13, 1);  // ３, sent to the window procedure as an input method does
    EXPECT_TRUE(shows({3}));
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(shows({}));

    game.Send(IDM_WORKWINDOW);
    const HWND work = game.FindWindowOfClass("Work Window");
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == work; }));
    std::vector<std::pair<int, int>> scores(10);
    for (int row = 0; row < 10; ++row) {
        const Code& g = guesses[row];
        for (int k = 0; k < 4; ++k)
            TapKey(static_cast<WORD>((k % 2 ? VK_NUMPAD0 : '0') + g[k]));
        ASSERT_TRUE(shows({g[0], g[1], g[2], g[3]})) << "row " << row;
        if (row < 9) {
            TapKey(VK_RETURN);
            auto& [s, b] = scores[row];
            ASSERT_TRUE(WaitUntil([&] { return player.ReadRow(row, g, s, b); })) << "row " << row;
        }
    }
    // The last row is judged in the main window.
    PostMessageA(work, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    KeyDown(VK_RETURN);
    const Result result = WaitForResult(game);
    ASSERT_NE(result.dialog, nullptr);
    EXPECT_EQ(result.headline, "残念でした");
    CaptureScreen().Save("game-typed");
    KeyDown(VK_RETURN);  // its auto-repeat
    // Space pushes OK only after the repeat has been handled, so it shows the dialog open.
    KeyDown(VK_SPACE);
    const HWND ok = GetDlgItem(result.dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED; })) << "closed by the repeat";
    KeyUp(VK_RETURN);
    KeyDown(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(result.dialog); })) << "a fresh Enter must close it";
    KeyUp(VK_RETURN);
    KeyUp(VK_SPACE);

    // A reader in another process heard the entry at every key, a clicked button's too,
    // the window itself taking the focus back (the system's event) and the part said
    // again, each row judged in the work window as a live region, and the last row; and
    // it reads every row as the board shows it.
    std::set<std::string> heard{"focus 0", "focus 10", "focus 11", "name 11", "live 11"};
    for (int row = 1; row <= 9; ++row)
        heard.insert("live " + std::to_string(row));
    EXPECT_TRUE(WaitUntil([&] {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        return HeardEvents == heard;
    })) << ::testing::PrintToString(HeardEvents);
    UnhookWinEvent(hook);
    ASSERT_TRUE(player.ReadRow(9, guesses[9], scores[9].first, scores[9].second));
    // 64-bit Wine 8 passes no object between processes (E_NOINTERFACE, while the
    // game's own process reads the same object): only the 32-bit game is read here.
    if (sizeof(void*) != 4)
        return;
    CoInitialize(nullptr);
    IAccessible* board = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(main, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&board)), S_OK);
    for (int row = 0; row < 10; ++row) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = row + 1;
        BSTR name = nullptr;
        board->get_accName(child, &name);
        char text[128] = {};
        WideCharToMultiByte(932, 0, name ? name : L"", -1, text, sizeof text, nullptr, nullptr);
        SysFreeString(name);
        const Code& g = guesses[row];
        char spoken[128];
        std::snprintf(spoken, sizeof spoken, "%d回目 %d %d %d %d、%dストライク %dボール", row + 1, g[0], g[1], g[2], g[3],
                      scores[row].first, scores[row].second);
        EXPECT_STREQ(text, spoken) << "row " << row;
    }
    board->Release();
    CoUninitialize();
}

TEST(Game, NewGameInTheMiddleOfAGuessStartsClean)
{
    Game game;
    ASSERT_NE(game.WaitForMainWindow(), nullptr);
    Player player(game);
    player.Enter({1, 2, 3, 4});
    player.PressGo();
    player.PressDigit(5);
    player.PressDigit(6);
    player.PressDigit(7);
    EXPECT_TRUE(player.EntryShows({5, 6, 7}));
    game.Send(IDM_NEWGAME);
    EXPECT_TRUE(player.EntryShows({}));
    EXPECT_TRUE(player.RowIsEmpty(0));
    EXPECT_NE(ReadFileText(game.IniPath()).find("Played=1\r\nWon=0\r\nStreak=0\r\n"), std::string::npos)
        << "abandoned after a judged guess: lost";
    player.PressDigit(5);  // the digits of the abandoned guess are free again
    player.PressDigit(6);
    EXPECT_TRUE(player.EntryShows({5, 6}));
    // Clicks outside every button change nothing.
    game.ClickClient(300, 20);
    game.ClickClient(100, 30);
    EXPECT_TRUE(player.EntryShows({5, 6}));
}

// The sound choice reaches the file only when the game closes, here by the
// caption's close box, which quits like the menu with exit code 0.
TEST(Game, SoundChoiceIsSavedWhenTheCloseBoxQuits)
{
    Game game;
    const HWND main = game.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    game.Send(IDM_SOUND_ON);
    EXPECT_NE(ReadFileText(game.IniPath()).find("SOUND=0"), std::string::npos) << "not written before exit";
    RECT r;
    GetWindowRect(main, &r);
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    const int button = GetSystemMetrics(SM_CXSIZE);
    Click(r.right - frame - button / 2 - 1, r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
    DWORD code = 1;
    ASSERT_TRUE(game.WaitForExit(&code, 8000)) << "the close box did not end the game";
    EXPECT_EQ(code, 0u);
    EXPECT_NE(ReadFileText(game.IniPath()).find("SOUND=1"), std::string::npos) << ReadFileText(game.IniPath());
}

// The hints as a player meets them with the real mouse: resting over the S and over
// the B column shows a tip with its lines kept (so the maximum width is in force)
// and the hint cursor, which is neither the board's arrow nor the tiles' hand;
// elsewhere no tip shows.
TEST(Game, HintsShowOverTheScoreColumnsOnly)
{
    Game game;
    const HWND main = game.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const auto cursor = [] {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        return info.hCursor;
    };
    HCURSOR arrow = nullptr;
    // Two moves, the second once the game has taken the first (its cursor tells:
    // the board's arrow, or another over a column or a tile): Wine merges moves
    // that wait in the queue, and its tooltip starts to show only on a later move.
    const auto restAt = [&](HWND window, int x, int y, bool arrowThere) {
        const POINT p = ClientToScreenPoint(window, x, y);
        MouseMoveTo(p.x - 3, p.y);
        if (arrow)
            WaitUntil([&] { return (cursor() == arrow) == arrowThere; }, 3000);
        MouseMoveTo(p.x, p.y);
        game.Settle();
        return cursor();
    };
    const auto tip = [&] { return game.FindWindowOfClass("tooltips_class32"); };
    arrow = restAt(main, 300, 200, true);
    RECT rect[2];
    HCURSOR hint[2];
    const char* const texts[2] = {"  S：ストライク\n数字と位置（けた）が正しいと\nカウントされます",
                                  "  B：ボール\n位置（けた）が違っていて\n数字だけが正しいと\nカウントされます"};
    for (int column = 0; column < 2; ++column) {
        hint[column] = restAt(main, column == 0 ? 390 : 440, 150 + 50 * column, false);
        ASSERT_TRUE(WaitUntil([&] { return tip() != nullptr; }, 3000)) << "no tip over column " << column;
        EXPECT_EQ(WindowText(tip()), texts[column]);
        // Without a maximum width Windows draws a tip on one line (Wine keeps the breaks anyway).
        EXPECT_EQ(SendMessageA(tip(), TTM_GETMAXTIPWIDTH, 0, 0), 200);
        GetWindowRect(tip(), &rect[column]);
        CaptureScreen().Save(column == 0 ? "hint-strike" : "hint-ball");
        restAt(main, 300, 200, true);
        EXPECT_TRUE(WaitUntil([&] { return tip() == nullptr; }, 2000)) << "the tip stays outside the columns";
    }
    // Three lines and four: one line of text apart, each narrower than the whole text on one line.
    EXPECT_GT(rect[1].bottom - rect[1].top, rect[0].bottom - rect[0].top + 8);
    EXPECT_LT(rect[1].right - rect[1].left, 240);
    EXPECT_NE(hint[0], arrow);
    EXPECT_EQ(hint[0], hint[1]);
    // Resting outside, no tip comes back. Wine's tooltip starts its show timer for
    // a move it relays while it is active and shows nothing, and deactivating does
    // not stop that timer: the first move out can still bring a tip up once. A
    // second rest takes it down, and from then on none may show.
    WaitUntil([&] { return tip() != nullptr; }, 500);
    restAt(main, 310, 210, true);
    EXPECT_TRUE(WaitUntil([&] { return tip() == nullptr; }, 2000));
    EXPECT_FALSE(WaitUntil([&] { return tip() != nullptr; }, 500)) << "a tip shows outside the columns";
    game.Send(IDM_WORKWINDOW);
    const HWND work = game.FindWindowOfClass("Work Window");
    ASSERT_NE(work, nullptr);
    EXPECT_NE(restAt(work, 30, 100, false), hint[0]) << "the tiles keep their own hand";
}
