// Monkey test: random player actions against the real game, mostly posted or sent
// messages with a share of real mouse input. After each batch the game must be
// alive and show what it was sent: the digits of the entry and one row per judged
// guess. At the end the GDI and USER object counts must be flat.
// Usage: velquin_monkey.exe [ACTIONS] [SEED]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "board_model.h"
#include "e2e.h"
#include "resource.h"

using namespace e2e;

namespace {

struct Model {
    std::vector<int> entered;
    std::vector<Code> rows;
    bool over = false;
    void Reset()
    {
        entered.clear();
        rows.clear();
        over = false;
    }
    void Digit(int d)
    {
        if (over || entered.size() >= 4)
            return;
        for (int e : entered)
            if (e == d)
                return;
        entered.push_back(d);
    }
    void Clear()
    {
        if (!over)
            entered.clear();
    }
    bool Go()  // true when the guess is judged
    {
        if (over || entered.size() != 4)
            return false;
        rows.push_back({entered[0], entered[1], entered[2], entered[3]});
        entered.clear();
        if (rows.size() == 10)
            over = true;
        return true;
    }
};

struct Counts {
    int dialogs = 0, games = 0, wins = 0, losses = 0, drags = 0, realClicks = 0, posted = 0;
};

// GCC 12 warns falsely about std::string concatenation here; format instead.
std::string Format(const char* format, int value)
{
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

DWORD_PTR SendCommand(HWND main, int id, UINT timeoutMs = 5000)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(main, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL, timeoutMs, &r);
    return r;
}

// Closes a dialog of the game, trying Escape first where the dialog must ignore it.
bool AnswerDialog(Game& game, const char* caption, bool escapeMustStay)
{
    const HWND dialog = game.WaitForDialog(caption, 4000);
    if (!dialog)
        return false;
    if (escapeMustStay) {
        SendMessageTimeoutA(dialog, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, 2000, nullptr);
        if (!IsWindow(dialog))
            return false;
    }
    ClickDialogButton(dialog, IDOK);
    return WaitUntil([&] { return !IsWindow(dialog); }, 4000);
}

} // namespace

int main(int argc, char** argv)
{
    const int actions = argc > 1 ? std::atoi(argv[1]) : 2000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u;
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    GameOptions options;
    options.ini = "[Config]\r\nSOUND=1\r\n";
    Game game(options);
    if (!game.WaitForMainWindow()) {
        std::printf("monkey: the game did not start\n");
        return 1;
    }
    const HWND main = game.main();
    Player player(game);
    Model model;
    Counts counts;
    std::string failure;
    int gdiMid = -1, userMid = -1;

    auto check = [&](int done) {
        if (!game.Running() || !IsWindow(main)) {
            failure = "the game died";
            return;
        }
        PostMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // hide a tooltip over the rows
        MouseMoveTo(2, 2);
        Sleep(30);
        game.Settle();
        const Screenshot shot = CaptureScreen();
        if (!player.EntryShows(model.entered, &shot))
            failure = "the entry boxes do not show the digits sent";
        for (size_t n = 0; n < 10 && failure.empty(); ++n) {
            int s = 0, b = 0;
            if (n < model.rows.size() ? !player.ReadRow(static_cast<int>(n), model.rows[n], s, b, &shot)
                                      : !player.RowIsEmpty(static_cast<int>(n), &shot))
                failure = Format("history row %d does not show what was judged", static_cast<int>(n));
        }
        if (!failure.empty()) {
            CaptureScreen().Save("monkey-failure");
            failure += Format(" (after %d actions)", done);
        }
    };

    for (int done = 0; done < actions && failure.empty(); ++done) {
        const int roll = pick(100);
        if (roll < 40) {
            const int d = 1 + pick(9);
            if (pick(10) == 0) {  // a real click on the key
                game.ClickClient(DigitKeyRect(d - 1).CentreX(), DigitKeyRect(d - 1).CentreY());
                ++counts.realClicks;
                Sleep(40);
                game.Settle();
            } else {
                SendCommand(main, IDC_DIGIT_BASE + d - 1);
                ++counts.posted;
            }
            model.Digit(d);
        } else if (roll < 44) {
            SendCommand(main, IDC_CLEAR);
            model.Clear();
        } else if (roll < 63) {
            // GO opens the modal result dialog at the end of a game, so a send may not return.
            DWORD_PTR r = 0;
            const bool returned =
                SendMessageTimeoutA(main, WM_COMMAND, IDC_GO, 0, SMTO_NORMAL, 400, &r) != 0;
            const bool judged = model.Go();
            if (!returned) {
                const HWND dialog = game.WaitForDialog("判定 - Velquin", 3000);
                const std::string headline = dialog ? DialogItemText(dialog, IDC_RESULT_HEADLINE) : "";
                if (!judged || !AnswerDialog(game, "判定 - Velquin", true)) {
                    failure = "an unexpected or stuck result dialog";
                    break;
                }
                ++counts.dialogs;
                model.over = true;
                (headline == "おめでとうございます" ? counts.wins : counts.losses)++;
            } else if (judged && model.rows.size() == 10) {
                failure = "no result dialog after the tenth guess";
            }
        } else if (roll < 64) {
            SendCommand(main, IDM_NEWGAME);
            model.Reset();
            ++counts.games;
        } else if (roll < 69) {
            SendCommand(main, pick(2) ? IDM_SOUND_ON : IDM_SOUND_OFF);
        } else if (roll < 84) {
            const int x = pick(480), y = pick(420);
            if (pick(5) == 0) {
                const POINT p = ClientToScreenPoint(main, x, y);
                MouseMoveTo(p.x, p.y);
            } else {
                PostMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            }
        } else if (roll < 88) {
            SendCommand(main, IDM_WORKWINDOW);
        } else if (roll < 90) {
            if (const HWND work = game.FindWindowOfClass("Work Window"))
                SendMessageTimeoutA(work, WM_CLOSE, 0, 0, SMTO_NORMAL, 3000, nullptr);
        } else if (roll < 95) {
            const HWND work = game.FindWindowOfClass("Work Window");
            if (work) {
                // A random tile to a random place in the work window, released there.
                HWND tile = nullptr;
                for (int k = pick(9); k >= 0; --k)
                    tile = FindWindowExA(work, tile, "Num Window", nullptr);
                RECT r;
                if (tile && GetWindowRect(tile, &r)) {
                    RECT c;
                    GetClientRect(work, &c);
                    const POINT to = ClientToScreenPoint(work, 20 + pick(std::max(1L, c.right - 40)),
                                                         20 + pick(std::max(1L, c.bottom - 40)));
                    Drag({r.left + 20, r.top + 24}, to, 6, 10);
                    ++counts.drags;
                    game.Settle();
                }
            }
        } else if (roll < 97) {
            game.Post(IDM_ONEPOINT);
            const HWND help = game.WaitForDialog("ワンポイントヘルプ", 4000);
            if (!help) {
                failure = "the one-point help did not open";
                break;
            }
            for (int i = pick(7); i > 0; --i)
                SendMessageTimeoutA(help, WM_COMMAND, pick(2) ? IDC_HELP_NEXT : IDC_HELP_BACK, 0, SMTO_NORMAL, 2000,
                                    nullptr);
            ClickDialogButton(help, pick(2) ? IDOK : IDCANCEL);
            WaitUntil([&] { return !IsWindow(help); }, 4000);
            ++counts.dialogs;
        } else {
            game.Post(IDM_ABOUT);
            if (!AnswerDialog(game, "バージョン情報", true)) {
                failure = "the About box misbehaved";
                break;
            }
            ++counts.dialogs;
        }
        if ((done + 1) % 50 == 0 || done + 1 == actions)
            check(done + 1);
        if ((done + 1) % 1000 == 0) {
            std::printf("monkey: %d actions, %d new games, %d wins, %d losses, %d dialogs, %d drags, GDI %d, USER %d\n",
                        done + 1, counts.games, counts.wins, counts.losses, counts.dialogs, counts.drags,
                        GdiObjectCount(game.process()), UserWindowCount(game.pid()));
            std::fflush(stdout);
        }
        if (done + 1 == actions / 2) {
            game.Settle();
            Sleep(200);
            gdiMid = GdiObjectCount(game.process());
            userMid = UserWindowCount(game.pid());
        }
    }

    game.Settle();
    Sleep(200);
    const int gdiEnd = GdiObjectCount(game.process());
    const int userEnd = UserWindowCount(game.pid());
    CaptureScreen().Save("monkey-end");
    DWORD code = 1;
    const bool quit = game.Quit(&code, 10000);
    std::printf("monkey: %d actions, seed %u: %d new games, %d wins, %d losses, %d dialogs, %d drags, %d real clicks\n",
                actions, seed, counts.games, counts.wins, counts.losses, counts.dialogs, counts.drags,
                counts.realClicks);
    std::printf("monkey: GDI objects %d at the middle, %d at the end; USER windows %d, %d\n", gdiMid, gdiEnd, userMid,
                userEnd);
    if (failure.empty() && (!quit || code != 0))
        failure = "the game did not quit cleanly";
    if (failure.empty() && gdiMid >= 0 && gdiEnd - gdiMid > 8)
        failure = Format("GDI objects grew by %d", gdiEnd - gdiMid);
    if (failure.empty() && userEnd > userMid + 2)
        failure = Format("USER windows grew by %d", userEnd - userMid);
    std::printf("monkey: %s\n", failure.empty() ? "passed" : ("FAILED: " + failure).c_str());
    std::printf("%d passed, %d failed\n", failure.empty() ? 1 : 0, failure.empty() ? 0 : 1);
    return failure.empty() ? 0 : 1;
}
