// Benchmark of the built game under Wine, side by side with Wine's own Minesweeper
// started the same way: launch-to-ready time, private memory, GDI and USER objects
// at start and after many games, GO-to-repainted-row time, executable size, and the
// time the review's analysis takes.
// Prints a table; figures, not verdicts, except that objects must not pile up.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "board/board_layout.h"
#include "e2e.h"
#include "resource.h"
#include "review/review.h"

using namespace e2e;
namespace {

// <chrono> does not compile with the Shift-JIS execution character set; the
// performance counter is what it would use anyway.
struct Clock {
    static long long now()
    {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return t.QuadPart;
    }
};

double Ms(long long ticks)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// "low-high" of the sorted values from the fraction from to the fraction to.
std::string Spread(std::vector<double> v, double from, double to)
{
    if (v.empty())
        return "-";
    std::sort(v.begin(), v.end());
    char text[40];
    std::snprintf(text, sizeof text, "%.0f-%.0f", v[static_cast<size_t>(from * static_cast<double>(v.size() - 1))],
                  v[static_cast<size_t>(to * static_cast<double>(v.size() - 1))]);
    return text;
}

SIZE_T PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine leaves PrivateUsage at 0; the pagefile usage is the committed private memory.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Starts exe and waits until it is ready for the player: idle for input, its main
// window visible and answering messages.
struct Launch {
    double ms = -1;
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
};

Launch LaunchAndWait(const std::string& exe, const std::string& dir)
{
    Launch l;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"";
    const auto t0 = Clock::now();
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &l.info))
        return l;
    WaitForInputIdle(l.info.hProcess, 20000);
    HWND found = nullptr;
    WaitUntil([&] {
        ForEachTopLevelWindow(l.info.dwProcessId, [&](HWND w) {
            if (IsWindowVisible(w) && !GetWindow(w, GW_OWNER))
                found = w;
            return found == nullptr;
        });
        return found != nullptr;
    }, 20000, 2);
    if (found) {
        DWORD_PTR r;
        SendMessageTimeoutA(found, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r);
        l.ms = Ms(Clock::now() - t0);
        l.window = found;
    }
    return l;
}

void Close(Launch& l)
{
    if (l.window)
        PostMessageA(l.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(l.info.hProcess, 8000) != WAIT_OBJECT_0)
        TerminateProcess(l.info.hProcess, 1);
    CloseHandle(l.info.hProcess);
    CloseHandle(l.info.hThread);
}

// One whole game through the window: nine misses and a tenth guess that ends it,
// the result dialog answered with OK, then New game.
bool PlayOneGame(HWND main)
{
    DWORD_PTR r;
    for (int guess = 0; guess < 10; ++guess) {
        for (int d = 0; d < 4; ++d)
            SendMessageTimeoutA(main, WM_COMMAND, IDC_DIGIT_BASE + (guess + d * 2) % 9, 0, SMTO_NORMAL, 5000, &r);
        if (guess < 9 && GetWindowLongA(main, GWL_STYLE) & WS_DISABLED)
            break;
        PostMessageA(main, WM_COMMAND, IDC_GO, 0);
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
        const HWND dialog = FindWindowA("#32770", "判定 - Velquin");
        if (dialog) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitUntil([&] { return !IsWindow(dialog); }, 5000, 1);
            break;
        }
    }
    SendMessageTimeoutA(main, WM_COMMAND, IDM_NEWGAME, 0, SMTO_NORMAL, 5000, &r);
    return IsWindow(main) != FALSE;
}

// The review, as the dialog runs it, of a ten-guess game whose every guess left as
// many secrets as a guess could there (3024, 840, 580, 400, 220, 160, 120, 80, 40, 24).
std::vector<double> TimeReviews(int count)
{
    const Secret secret{9, 4, 1, 7};
    const Guess guesses[10] = {{1, 2, 3, 4}, {1, 2, 4, 3}, {2, 1, 3, 4}, {1, 3, 2, 4}, {2, 3, 4, 1},
                               {3, 4, 1, 2}, {1, 4, 3, 2}, {1, 3, 4, 2}, {1, 2, 3, 5}, {1, 6, 7, 3}};
    std::array<JudgedGuess, 10> judged{};
    for (int k = 0; k < 10; ++k)
        judged[k] = {guesses[k], Judge(secret, guesses[k])};
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        const auto t0 = Clock::now();
        const GameReview review = ReviewGame(secret, judged.data(), 10);
        ms.push_back(review.rows[9].before == 24 ? Ms(Clock::now() - t0) : -1);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 1000;
    // Enough launches for a median that a busy moment of the machine does not move.
    const int launches = 15;
    char systemDir[MAX_PATH];
    GetSystemDirectoryA(systemDir, MAX_PATH);
    const std::string winemine = std::string(systemDir) + "\\winemine.exe";
    char benchPath[MAX_PATH];
    GetModuleFileNameA(nullptr, benchPath, MAX_PATH);
    std::string emptyDir = benchPath;
    emptyDir.erase(emptyDir.find_last_of('\\'));
    const std::string empty = emptyDir + "\\velquin_empty_window.exe";

    Game game;  // a fresh game folder with a settings file, so no first-run dialog
    const std::string exe = game.dir() + "\\Velquin.exe";
    if (!game.WaitForMainWindow()) {
        std::printf("benchmark: the game did not start\n");
        return 1;
    }
    game.Quit();

    // The three programs take turns, each round starting with the next one, so that
    // a busy moment of the machine falls on all of them alike.
    std::vector<double> ours, theirs, floor;
    SIZE_T oursMem = 0, theirsMem = 0;
    int theirsGdi = -1, theirsUser = -1;
    for (int i = 0; i < launches; ++i)
        for (int turn = 0; turn < 3; ++turn) {
            switch ((i + turn) % 3) {
            case 0: {
                Launch a = LaunchAndWait(exe, game.dir());
                ours.push_back(a.ms);
                Close(a);
                break;
            }
            case 1: {
                Launch b = LaunchAndWait(winemine, systemDir);
                theirs.push_back(b.ms);
                if (i == launches - 1) {
                    Sleep(300);
                    theirsMem = PrivateBytes(b.info.hProcess);
                    theirsGdi = GdiObjectCount(b.info.hProcess);
                    theirsUser = UserWindowCount(b.info.dwProcessId);
                }
                Close(b);
                break;
            }
            default: {
                Launch c = LaunchAndWait(empty, emptyDir);
                floor.push_back(c.ms);
                Close(c);
                break;
            }
            }
        }

    Launch run = LaunchAndWait(exe, game.dir());
    Sleep(300);
    oursMem = PrivateBytes(run.info.hProcess);
    const int gdiStart = GdiObjectCount(run.info.hProcess);
    const int userStart = UserWindowCount(run.info.dwProcessId);

    // GO click to repainted history row, through real mouse input.
    std::vector<double> goMs;
    const POINT origin = ClientToScreenPoint(run.window, 0, 0);
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR r;
        SendMessageTimeoutA(run.window, WM_COMMAND, IDM_NEWGAME, 0, SMTO_NORMAL, 5000, &r);
        for (int d : {0, 1, 2, 3})
            SendMessageTimeoutA(run.window, WM_COMMAND, IDC_DIGIT_BASE + (d + i) % 9, 0, SMTO_NORMAL, 5000, &r);
        UpdateWindow(run.window);
        Sleep(100);
        const HDC screen = GetDC(nullptr);
        const POINT go{origin.x + GoKeyRect.CentreX(), origin.y + GoKeyRect.CentreY()};
        MouseDown(go.x, go.y);
        // Timed from the release as Wine has it: under X the mouse waits for that.
        MouseUp(go.x, go.y);
        const auto t0 = Clock::now();
        double ms = -1;
        WaitUntil([&] {
            for (int x = 250; x < 350; x += 3)
                for (int y = 45; y < 72; y += 3)
                    if (GetPixel(screen, origin.x + x, origin.y + y) == HistoryTextColour) {
                        ms = Ms(Clock::now() - t0);
                        return true;
                    }
            return false;
        }, 3000, 1);
        ReleaseDC(nullptr, screen);
        goMs.push_back(ms);
    }

    // The first game makes what the system caches on first use (dialog, tooltip and
    // font objects); growth is counted from there.
    int played = PlayOneGame(run.window) ? 1 : 0;
    Sleep(200);
    const int gdiWarm = GdiObjectCount(run.info.hProcess);
    const int userWarm = UserWindowCount(run.info.dwProcessId);
    // Wine fills caches of its own over the first few dozen games (DCs, IME and
    // tooltip helpers); the counts must then stay where they are.
    const int settle = std::max(1, games / 2);
    int gdiMid = -1, userMid = -1;
    const auto t0 = Clock::now();
    for (; played < games; ++played) {
        if (played == settle) {
            Sleep(200);  // let the window repaint, as it does before the last count
            gdiMid = GdiObjectCount(run.info.hProcess);
            userMid = UserWindowCount(run.info.dwProcessId);
        }
        if (!PlayOneGame(run.window))
            break;
    }
    const double gamesMs = Ms(Clock::now() - t0);
    Sleep(200);
    const int gdiEnd = GdiObjectCount(run.info.hProcess);
    const int userEnd = UserWindowCount(run.info.dwProcessId);
    const SIZE_T memEnd = PrivateBytes(run.info.hProcess);
    Close(run);

    const std::vector<double> reviewMs = TimeReviews(21);

    const double mineMedian = Median(theirs), oursMedian = Median(ours);
    std::printf("benchmark (Wine, virtual desktop %dx%d)\n", GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN));
    std::printf("%-44s %14s %14s %14s\n", "", "Velquin", "winemine", "empty window");
    std::printf("%-44s %14.1f %14.1f %14.1f\n", ("launch to ready, median of " + std::to_string(launches) + " (ms)").c_str(),
                oursMedian, mineMedian, Median(floor));
    std::printf("%-44s %14s %14s %14s\n", "launch to ready, middle half (ms)", Spread(ours, 0.25, 0.75).c_str(),
                Spread(theirs, 0.25, 0.75).c_str(), Spread(floor, 0.25, 0.75).c_str());
    std::printf("%-44s %14s %14s %14s\n", "launch to ready, fastest-slowest (ms)", Spread(ours, 0, 1).c_str(),
                Spread(theirs, 0, 1).c_str(), Spread(floor, 0, 1).c_str());
    std::printf("%-44s %14.2f\n", "launch ratio Velquin / winemine", mineMedian > 0 ? oursMedian / mineMedian : 0);
    std::printf("%-44s %14.0f %14.0f\n", "private memory after start (KiB)", oursMem / 1024.0, theirsMem / 1024.0);
    std::printf("%-44s %14d %14d\n", "GDI objects at start", gdiStart, theirsGdi);
    std::printf("%-44s %14d\n", "GDI objects after the first game", gdiWarm);
    std::printf("%-44s %14d\n", ("GDI objects after " + std::to_string(settle) + " games").c_str(), gdiMid);
    std::printf("%-44s %14d\n", "GDI objects after the games", gdiEnd);
    std::printf("%-44s %14d %14d\n", "USER windows at start", userStart, theirsUser);
    std::printf("%-44s %14d\n", "USER windows after the first game", userWarm);
    std::printf("%-44s %14d\n", ("USER windows after " + std::to_string(settle) + " games").c_str(), userMid);
    std::printf("%-44s %14d\n", "USER windows after the games", userEnd);
    std::printf("%-44s %14.0f\n", "private memory after the games (KiB)", memEnd / 1024.0);
    std::printf("%-44s %14d\n", "games played through the window", played);
    std::printf("%-44s %14.2f\n", "mean time per game (ms)", played ? gamesMs / played : 0);
    std::printf("%-44s %14.1f\n", "GO click to repainted row, median (ms)", Median(goMs));
    std::printf("%-44s %14lld %14lld\n", "executable size (bytes)", FileSize(exe), FileSize(winemine));
    std::printf("%-44s %14.2f\n", "review of a ten-guess game, median of 21 (ms)", Median(reviewMs));
    std::printf("%-44s %14.2f\n", "review, slowest of 21 (ms)", *std::max_element(reviewMs.begin(), reviewMs.end()));

    bool ok = played == games;
    if (gdiMid >= 0 && gdiEnd != gdiMid) {
        std::printf("benchmark: GDI objects grew by %d over the last %d games\n", gdiEnd - gdiMid, played - settle);
        ok = false;
    }
    if (userMid >= 0 && userEnd != userMid) {
        std::printf("benchmark: USER windows grew by %d over the last %d games\n", userEnd - userMid, played - settle);
        ok = false;
    }
    std::printf("benchmark: %s\n", ok ? "objects flat" : "FAILED");
    return ok ? 0 : 1;
}
