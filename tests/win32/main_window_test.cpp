// The main window against the real platform: the faces each event leaves on the
// keypad, what the board drawing leaves in the back buffer, centring, hint zones.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>

#include "app/app.h"
#include "board/board.h"
#include "board/board_layout.h"
#include "board/keypad.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/sound_switch.h"
#include "gdi_count.h"
#include "help/help.h"
#include "help/help_pages.h"
#include "resource.h"
#include "review/review.h"
#include "sound_log.h"
#include "win/dialogs.h"
#include "win/late_dll.h"
#include "workwin/tile_slots.h"
#include "workwin/work_window.h"

namespace {

std::string BesideTestExe(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

BOOL CALLBACK CountOwnedTooltips(HWND w, LPARAM count)
{
    char cls[64];
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && GetWindow(w, GW_OWNER) == MainWindowState.window)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// What a reader gets as the name of child of object, code page 932, or the error.
std::string NameOf(IAccessible* object, LONG child)
{
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR text = nullptr;
    const HRESULT result = object->get_accName(id, &text);
    char out[128] = {};
    WideCharToMultiByte(932, 0, text ? text : L"", -1, out, sizeof out, nullptr, nullptr);
    SysFreeString(text);
    return result == S_OK ? std::string(out) : "error " + std::to_string(result);
}

// Answers the modal dialogs the game opens: a timer running inside the dialog's
// own message loop reads its two texts, font and place (and, once a reader has asked,
// what it says for the answer line), tries Escape (which must not close it), then
// presses OK.
struct DialogAnswer {
    std::string caption, headline, answer, spoken;
    std::wstring wide[4];  // caption, headline, answer, help text, as UTF-16
    LOGFONTW logFont{};
    HFONT font = nullptr;
    RECT rect{};
    bool survivedEscape = false;
    int seen = 0;
    std::vector<std::string> review;  // the review's titles and rows, cells joined by '|', then its lines
    bool reviewGreyed = false;        // the review's menu item while this dialog was up
};
DialogAnswer LastDialog;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND dialog = FindWindowA("#32770", nullptr);
    if (!dialog || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId() || !IsWindowVisible(dialog))
        return;
    char text[128];
    GetWindowTextA(dialog, text, sizeof text);
    LastDialog.caption = text;
    GetDlgItemTextA(dialog, IDC_RESULT_HEADLINE, text, sizeof text);
    LastDialog.headline = text;
    GetDlgItemTextA(dialog, IDC_RESULT_ANSWER, text, sizeof text);
    LastDialog.answer = text;
    LastDialog.font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, IDC_RESULT_HEADLINE, WM_GETFONT, 0, 0));
    GetObjectW(LastDialog.font, sizeof LastDialog.logFont, &LastDialog.logFont);
    const HWND items[] = {dialog, GetDlgItem(dialog, IDC_RESULT_HEADLINE), GetDlgItem(dialog, IDC_RESULT_ANSWER),
                          GetDlgItem(dialog, IDC_HELP_TEXT)};
    for (int i = 0; i < 4; ++i) {
        wchar_t wide[512] = {};
        SendMessageW(items[i], WM_GETTEXT, 512, reinterpret_cast<LPARAM>(wide));  // through the window's own procedure
        LastDialog.wide[i] = wide;
    }
    GetWindowRect(dialog, &LastDialog.rect);
    IAccessible* line = nullptr;
    if (GetModuleHandleA("oleacc.dll"))
        late::AccessibleObjectFromWindow(items[2], OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&line));
    if (line) {
        LastDialog.spoken = NameOf(line, CHILDID_SELF);
        line->Release();
    }
    LastDialog.reviewGreyed = GetMenuState(MainWindowState.menu, IDM_REVIEW, MF_BYCOMMAND) & MF_GRAYED;
    const HWND list = GetDlgItem(dialog, IDC_REVIEW_LIST);
    for (int row = -1; list && row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        std::string cells;
        for (int c = 0; c < ReviewColumnCount; ++c) {
            char cell[64] = {};
            LVCOLUMNA title{};
            LVITEMA item{};
            title.mask = LVCF_TEXT;
            item.iSubItem = c;
            title.pszText = item.pszText = cell;
            title.cchTextMax = item.cchTextMax = sizeof cell;
            if (row < 0)
                SendMessageA(list, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&title));
            else
                SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            cells += (c ? "|" : "") + std::string(cell);
        }
        LastDialog.review.push_back(cells);
    }
    for (int id : {IDC_REVIEW_ANSWER, IDC_REVIEW_NARROWED, IDC_REVIEW_COMPUTER})
        if (GetDlgItemTextA(dialog, id, text, sizeof text))
            LastDialog.review.push_back(text);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    LastDialog.survivedEscape = IsWindow(dialog) && IsWindowVisible(dialog);
    ++LastDialog.seen;
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
}

// One hidden main window for the whole suite, built by the real creation step.
class MainWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A settings file beside the test program, so the creation step is not a first run.
        FILE* f = std::fopen(BesideTestExe("velquin.ini").c_str(), "wb");
        if (f) {
            std::fputs("[Config]\r\nSOUND=1\r\n", f);
            std::fclose(f);
        }
        if (!MainWindowState.window) {
            CreateMainWindow();
            startMarks = {Checked(IDM_SOUND_ON), Checked(IDM_SOUND_OFF)};
        }
        ASSERT_NE(MainWindowState.window, nullptr);
    }
    void SetUp() override
    {
        timer_ = SetTimer(nullptr, 0, 30, AnswerDialog);
        LastDialog = {};
        SoundOn = 0;
        NewGame();
        GameState.secret = {1, 2, 3, 4};
        SoundLog.clear();
    }

    void TearDown() override { KillTimer(nullptr, timer_); }
    UINT_PTR timer_ = 0;
    // The sound items' check marks (on, off) right after the suite's start-up.
    static inline std::pair<bool, bool> startMarks;

    static bool Checked(int id) { return (GetMenuState(MainWindowState.menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    static int FaceOf(HWND button)
    {
        const auto shown = reinterpret_cast<HBITMAP>(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        for (int id = IDB_KEY_USED_BASE + 1; id <= IDB_CLEAR_IDLE; ++id)
            if (Keypad.faces[id - IDB_KEY_USED_BASE - 1] == shown)
                return id;
        return 0;
    }
    // Faces of the nine digits, then GO, then Clear.
    static std::string Faces()
    {
        std::string out;
        for (HWND b : Keypad.digitButtons)
            out += std::to_string(FaceOf(b)) + " ";
        return out + std::to_string(FaceOf(Keypad.goButton)) + " " + std::to_string(FaceOf(Keypad.clearButton));
    }
    static std::string RestingWith(std::initializer_list<int> usedDigits, int go, int clear)
    {
        std::string out;
        for (int i = 0; i < 9; ++i) {
            int face = IDB_KEY_NORMAL_BASE + 1 + i;
            for (int d : usedDigits)
                if (d == i + 1)
                    face = IDB_KEY_USED_BASE + 1 + i;
            out += std::to_string(face) + " ";
        }
        return out + std::to_string(go) + " " + std::to_string(clear);
    }
    static void Judge(std::initializer_list<int> digits)
    {
        for (int d : digits)
            PressDigit(d);
        SubmitGuess();
    }
    static COLORREF Back(int x, int y) { return GetPixel(MainWindowState.backBuffer.dc, x, y); }
};

TEST_F(MainWindow, KeypadStandsWhereThePlayerExpectsIt)
{
    const struct {
        HWND button;
        int id, x, y, w, h;
    } expected[] = {
        {Keypad.digitButtons[0], 100, 10, 155, 55, 55}, {Keypad.digitButtons[4], 104, 70, 215, 55, 55},
        {Keypad.digitButtons[6], 106, 10, 275, 55, 55}, {Keypad.digitButtons[8], 108, 130, 275, 55, 55},
        {Keypad.goButton, 109, 100, 345, 95, 50},       {Keypad.clearButton, 110, 4, 345, 95, 50},
    };
    for (const auto& e : expected) {
        RECT r;
        GetWindowRect(e.button, &r);
        MapWindowPoints(nullptr, MainWindowState.window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(GetDlgCtrlID(e.button), e.id);
        EXPECT_EQ(r.left, e.x) << e.id;
        EXPECT_EQ(r.top, e.y) << e.id;
        EXPECT_EQ(r.right - r.left, e.w) << e.id;
        EXPECT_EQ(r.bottom - r.top, e.h) << e.id;
        EXPECT_TRUE(GetWindowLongA(e.button, GWL_STYLE) & BS_BITMAP);
        EXPECT_TRUE(IsWindowEnabled(e.button));
    }
}

TEST_F(MainWindow, FacesFollowEveryEvent)
{
    EXPECT_EQ(Faces(), RestingWith({}, IDB_GO_IDLE, IDB_CLEAR_IDLE));
    PressDigit(3);
    EXPECT_EQ(Faces(), RestingWith({3}, IDB_GO_IDLE, IDB_CLEAR_ACTIVE));
    PressDigit(7);
    PressDigit(1);
    EXPECT_EQ(Faces(), RestingWith({3, 7, 1}, IDB_GO_IDLE, IDB_CLEAR_ACTIVE));
    PressDigit(7);  // refused: nothing changes
    EXPECT_EQ(Faces(), RestingWith({3, 7, 1}, IDB_GO_IDLE, IDB_CLEAR_ACTIVE));
    PressDigit(9);
    EXPECT_EQ(Faces(), RestingWith({3, 7, 1, 9}, IDB_GO_READY, IDB_CLEAR_ACTIVE));
    ClearEntry();
    EXPECT_EQ(Faces(), RestingWith({}, IDB_GO_IDLE, IDB_CLEAR_IDLE));

    PressDigit(5);
    PressDigit(6);
    ClearEntry();  // two digits: GO was idle and stays so
    EXPECT_EQ(Faces(), RestingWith({}, IDB_GO_IDLE, IDB_CLEAR_IDLE));

    for (int d : {5, 6, 7, 8})
        PressDigit(d);
    SubmitGuess();
    EXPECT_EQ(Faces(), RestingWith({}, IDB_GO_IDLE, IDB_CLEAR_IDLE));
    EXPECT_EQ(GameState.digitUsed, (std::array<int32_t, 9>{}));

    PressDigit(2);
    PressDigit(4);
    PressDigit(6);
    NewGame();  // New game in the middle of a guess
    EXPECT_EQ(Faces(), RestingWith({}, IDB_GO_IDLE, IDB_CLEAR_IDLE));
}

TEST_F(MainWindow, NewGameRebuildsOnlyWhatItMust)
{
    const HWND go = Keypad.goButton, tooltipBefore = MainWindowState.hintTooltip;
    const HFONT history = MainWindowState.historyFont.get(), entry = MainWindowState.entryFont.get();
    const HWND work = WorkWindowState.window, tile = WorkWindowState.tiles[4];
    ShowWorkWindow();
    MoveWindow(tile, 10, 300, TileWidth, TileHeight, TRUE);  // into slot 0
    NewGame();
    NewGame();
    // A shown work window stays shown, and New game itself sends its tiles home.
    EXPECT_TRUE(IsWindowVisible(work));
    RECT r;
    GetWindowRect(tile, &r);
    MapWindowPoints(nullptr, work, reinterpret_cast<POINT*>(&r), 1);
    EXPECT_EQ(r.left, WorkWindowState.homePositions[4].x);
    EXPECT_EQ(r.top, WorkWindowState.homePositions[4].y);
    EXPECT_EQ(TileSlots.slotTile[0], NoTile);
    SendMessageA(work, WM_CLOSE, 0, 0);
    EXPECT_EQ(Keypad.goButton, go);
    EXPECT_EQ(MainWindowState.historyFont.get(), history);
    EXPECT_EQ(MainWindowState.entryFont.get(), entry);
    EXPECT_EQ(WorkWindowState.window, work);
    EXPECT_NE(MainWindowState.hintTooltip, tooltipBefore);
    EXPECT_FALSE(IsWindow(tooltipBefore)) << "the tooltip New game replaces is destroyed";
    int tooltips = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountOwnedTooltips, reinterpret_cast<LPARAM>(&tooltips));
    EXPECT_EQ(tooltips, 1);
    const HMENU game = GetSubMenu(MainWindowState.menu, 0);
    char text[32] = {};
    GetMenuStringA(game, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::make_tuple(GetMenuItemCount(game), GetMenuItemID(game, 2), std::string(text)),
              std::make_tuple(6, static_cast<UINT>(IDM_RECORD), std::string("成績"))) << "added once, after the work window";
}

TEST_F(MainWindow, EntryDigitsAndEraseTouchOnlyTheGreenBoxes)
{
    std::array<std::array<COLORREF, 480>, 150> before{};
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            before[y][x] = Back(x, y);
    for (int d : {1, 5, 6, 3})
        PressDigit(d);
    // Each digit is drawn in dark green inside its own box.
    for (int n = 1; n <= 4; ++n) {
        int dark = 0;
        for (int y = 96; y <= 143; ++y)
            for (int x = 32 + 35 * (n - 1); x <= 63 + 35 * (n - 1); ++x)
                dark += Back(x, y) == EntryTextColour;
        EXPECT_GT(dark, 40) << "box " << n;
    }
    ClearEntry();
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inFill = y >= 97 && y <= 141 && x >= 33 && x <= 166 && (x - 33) % 35 <= 28;
            if (!inFill) {
                ASSERT_EQ(Back(x, y), before[y][x]) << "erase reached outside a fill at " << x << "," << y;
            } else {
                ASSERT_EQ(Back(x, y), EntryGreen) << x << "," << y;
            }
            if (before[y][x] == RGB(191, 63, 95)) {
                ASSERT_EQ(Back(x, y), before[y][x]) << "rose pixel changed at " << x << "," << y;
            }
        }
}

TEST_F(MainWindow, HistoryLinesLandInTheirRows)
{
    for (int i = 0; i < 9; ++i) {
        for (int d : {5, 6, 7, 8})
            PressDigit(d);
        SubmitGuess();
    }
    // The tenth line, 1 2 3 9 scoring three strikes, at y 366: everything it
    // changes lies in its own row, from y 366 down.
    PressDigit(1);
    PressDigit(2);
    PressDigit(3);
    PressDigit(9);
    std::vector<COLORREF> before;
    for (int y = 300; y < 410; ++y)
        for (int x = 198; x < 473; ++x)
            before.push_back(Back(x, y));
    SubmitGuess();
    int top = 1000, bottom = -1, right = -1;
    size_t i = 0;
    for (int y = 300; y < 410; ++y)
        for (int x = 198; x < 473; ++x, ++i)
            if (Back(x, y) != before[i]) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                right = std::max(right, x);
            }
    EXPECT_GE(top, 366);
    EXPECT_LE(bottom, 366 + 35);
    EXPECT_GT(right, 377) << "the strike count reaches the S column";
    EXPECT_STREQ(GameState.historyLines[9].data(), "1 2 3 9    3   0");
    // The loss was announced, and Escape did not close the announcement.
    EXPECT_EQ(LastDialog.seen, 1);
    EXPECT_EQ(LastDialog.caption, "判定 - Velquin");
    EXPECT_EQ(LastDialog.headline, "残念でした");
    EXPECT_EQ(LastDialog.answer, "こたえは 1234 でした");
    EXPECT_TRUE(LastDialog.survivedEscape);
    EXPECT_EQ(SoundLog, std::vector<std::string>{}) << "heard with the sound off";
}

TEST_F(MainWindow, WinIsAnnouncedAndTheBoardKeepsItsHistory)
{
    for (int d : {1, 5, 6, 3})
        PressDigit(d);
    SubmitGuess();
    for (int d : {1, 2, 3, 4})
        PressDigit(d);
    SubmitGuess();
    EXPECT_EQ(LastDialog.seen, 1);
    EXPECT_EQ(LastDialog.headline, "おめでとうございます");
    EXPECT_EQ(LastDialog.answer, "こたえは 1234 でした");
    EXPECT_TRUE(LastDialog.survivedEscape);
    PressDigit(5);  // nothing is accepted until New game
    EXPECT_EQ(GameState.enteredCount, 0);
    NewGame();
    PressDigit(5);
    EXPECT_EQ(GameState.enteredCount, 1);
    // The announcement stood at the desktop's centre, and its font went with it.
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT& r = LastDialog.rect;
    EXPECT_EQ(r.left, (desktop.right - (r.right - r.left)) / 2) << "centred";
    EXPECT_EQ(r.top, (desktop.bottom - (r.bottom - r.top)) / 2) << "centred";
    ASSERT_NE(LastDialog.font, nullptr);
    EXPECT_EQ(GetObjectType(LastDialog.font), 0u) << "the result font outlived its dialog";

    // Game after game, every result dialog gives back all it made. The count starts
    // after one more game: the first New game's drawing fills Wine's caches.
    int gdi = -1;
    for (int game = 0; game < 4; ++game) {
        if (game == 1)
            gdi = GdiObjectCount(GetCurrentProcess());
        NewGame();
        GameState.secret = {1, 2, 3, 4};
        for (int d : {1, 2, 3, 4})
            PressDigit(d);
        SubmitGuess();
    }
    ASSERT_GT(gdi, 0) << "no count of GDI objects";
    EXPECT_EQ(LastDialog.seen, 5);
    EXPECT_EQ(GdiObjectCount(GetCurrentProcess()), gdi);
}

TEST_F(MainWindow, PaintCopiesTheUpdateRectangleFromTheSamePlaceInTheBuffer)
{
    const HWND w = MainWindowState.window;
    ShowWindow(w, SW_SHOWNOACTIVATE);
    UpdateWindow(w);
    // A red block in blue in the back buffer; the update rectangle reaches 5 pixels
    // past the block on every side. (Outside it BeginPaint clips: nothing to see.)
    const HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 100, 100}, block{10, 10, 20, 30}, part{5, 5, 25, 35};
    FillRect(MainWindowState.backBuffer.dc, &all, blue);
    FillRect(MainWindowState.backBuffer.dc, &block, red);
    DeleteObject(blue);
    DeleteObject(red);
    InvalidateRect(w, &part, FALSE);
    UpdateWindow(w);
    GdiFlush();
    const HDC dc = GetDC(w);
    const struct {
        int x, y;
        COLORREF colour;
    } points[] = {{10, 10, RGB(255, 0, 0)}, {19, 29, RGB(255, 0, 0)}, {20, 29, RGB(0, 0, 255)},
                  {9, 10, RGB(0, 0, 255)},  {15, 30, RGB(0, 0, 255)}, {5, 5, RGB(0, 0, 255)},
                  {24, 34, RGB(0, 0, 255)}};
    for (const auto& p : points)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.x << "," << p.y;
    ReleaseDC(w, dc);
    ShowWindow(w, SW_HIDE);
}

TEST_F(MainWindow, HintZonesAndOneToolWhateverTheMouseDoes)
{
    EXPECT_EQ(HintZoneAt(375, 10), HintZone::Strike);
    EXPECT_EQ(HintZoneAt(410, 400), HintZone::Strike);
    EXPECT_EQ(HintZoneAt(411, 200), HintZone::None);
    EXPECT_EQ(HintZoneAt(419, 200), HintZone::None);
    EXPECT_EQ(HintZoneAt(420, 10), HintZone::Ball);
    EXPECT_EQ(HintZoneAt(455, 400), HintZone::Ball);
    EXPECT_EQ(HintZoneAt(430, 401), HintZone::None);
    EXPECT_EQ(HintZoneAt(400, 9), HintZone::None);
    EXPECT_EQ(HintZoneAt(374, 100), HintZone::None);
    EXPECT_EQ(HintZoneAt(0x10000 + 380, 100), HintZone::Strike) << "coordinates are 16-bit";

    const HWND w = MainWindowState.window;
    for (int i = 0; i < 300; ++i) {
        const int x = (i % 3 == 0) ? 380 : (i % 3 == 1) ? 430 : 100;
        SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, 20 + i));
    }
    EXPECT_EQ(SendMessageA(MainWindowState.hintTooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    // The tool's text follows the column under the mouse.
    char text[256] = {};
    TOOLINFOA ti{};
    ti.cbSize = HintToolSize;
    ti.hwnd = w;
    ti.lpszText = text;
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(440, 100));
    SendMessageA(MainWindowState.hintTooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, BallHintText);
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(390, 100));
    SendMessageA(MainWindowState.hintTooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, StrikeHintText);
    EXPECT_EQ(SendMessageA(MainWindowState.hintTooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100) << "the hint's delay";
    // A new game's tooltip starts with one tool too.
    NewGame();
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(390, 100));
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(391, 100));
    EXPECT_EQ(SendMessageA(MainWindowState.hintTooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

// The review opens only on a decided game, however its command arrives, and lists
// every judged guess with what it left.
TEST_F(MainWindow, ReviewWaitsForTheDecisionThenListsEachGuess)
{
    const HWND w = MainWindowState.window;
    const auto greyed = [] { return (GetMenuState(MainWindowState.menu, IDM_REVIEW, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    const HMENU game = GetSubMenu(MainWindowState.menu, 0);
    const int items = GetMenuItemCount(game);
    int at = 0;
    while (at < items && GetMenuItemID(game, at) != IDM_REVIEW)
        ++at;
    EXPECT_EQ(GetMenuItemID(game, at - 1), static_cast<UINT>(IDM_RECORD));
    for (const Guess& guess : {Guess{5, 6, 7, 8}, Guess{1, 2, 4, 3}, Guess{1, 2, 3, 4}}) {
        EXPECT_TRUE(greyed());
        PostMessageA(w, WM_COMMAND, IDM_REVIEW, 0);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&m);
        EXPECT_EQ(LastDialog.seen, 0) << "a review before the game is decided";
        for (int d : guess)
            SendMessageA(w, WM_COMMAND, IDC_DIGIT_BASE + d - 1, 0);
        SendMessageA(w, WM_COMMAND, IDC_GO, 0);
    }
    EXPECT_TRUE(LastDialog.reviewGreyed) << "while the result is up";
    EXPECT_FALSE(greyed());
    SendMessageA(w, WM_COMMAND, IDM_REVIEW, 0);
    ASSERT_EQ(LastDialog.seen, 2);
    EXPECT_EQ(LastDialog.caption, "感想戦");
    EXPECT_EQ(LastDialog.review,
              (std::vector<std::string>{"回|予想|判定|候補|合う|最善手", "1|5678|0S 0B|3024→120|○|1234 (最大 840)",
                                        "2|1243|2S 2B|120→6|○|1235 (最大 42)", "3|1234|4S 0B|6→1|○|1245 (最大 3)",
                                        "こたえ 1234", "候補が1つになったのは 3回目", "コンピュータなら 1 回"}));
    EXPECT_FALSE(LastDialog.survivedEscape) << "Escape closes the review";
    NewGame();
    EXPECT_TRUE(greyed());
    EXPECT_EQ(GetMenuItemCount(game), items) << "added once";
}

// The events on the main window's client object, as an out-of-context hook in a
// reader's process gets them: "focus 11", "name 11" (a change of the part a reader is
// at), "live 11" (a change while another window has the focus); 0 the window itself.
using Events = std::vector<std::string>;
Events ReaderEvents;
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    const char* kind = event == EVENT_OBJECT_FOCUS ? "focus " : event == EVENT_OBJECT_NAMECHANGE ? "name " : "live ";
    if (window == MainWindowState.window && object == OBJID_CLIENT &&
        (event == EVENT_OBJECT_FOCUS || event == EVENT_OBJECT_NAMECHANGE || event == 0x8019))
        ReaderEvents.push_back(kind + std::to_string(child));
}
// The events since the last call: every message waiting is handled, the hook's among them.
Events Heard()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&m);
    return std::exchange(ReaderEvents, {});
}

TEST_F(MainWindow, ReaderGetsTheBoardOnItsFirstRequestAndHearsEveryMove)
{
    const HWND w = MainWindowState.window;
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, 0x8019, nullptr, RecordEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    SetFocus(Keypad.goButton);
    SetFocus(w);
    EXPECT_EQ(Heard(), (Events{"focus 0", "focus 11"})) << "the system's event for the window, then the part";
    Judge({1, 5, 6, 3});
    EXPECT_EQ(Heard(), (Events{"name 11", "name 11", "name 11", "name 11", "focus 1"}))
        << "the entry at each digit, then the judged row";
    // Nothing of the reader ran before it asked. On Windows a reader is also any UI
    // Automation client, the system's own among them, which asks through the same message.
    EXPECT_EQ(GetModuleHandleA("oleacc.dll"), nullptr) << "loaded before a reader asked";
    IAccessible* board = nullptr;
    ASSERT_EQ(late::AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&board)),
              S_OK);
    const auto name = [&](LONG child) { return NameOf(board, child); };
    long count = 0;
    board->get_accChildCount(&count);
    EXPECT_EQ(count, 10 + 1 + 11) << "the rows, the entry, the keypad";
    EXPECT_EQ(name(1), "1回目 1 5 6 3、1ストライク 1ボール");
    EXPECT_EQ(name(2), "2回目 まだ");
    EXPECT_EQ(name(23), "error " + std::to_string(E_INVALIDARG));
    VARIANT focus{};
    board->get_accFocus(&focus);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, 1) << "the object's focus is the row said";
    // The board's own order, which the standard object, knowing only windows, lacks.
    const auto go = [&](long direction, LONG from) {
        VARIANT start{}, end{};
        start.vt = VT_I4;
        start.lVal = from;
        board->accNavigate(direction, start, &end);
        if (end.vt == VT_DISPATCH)
            end.pdispVal->Release();
        return end.vt == VT_I4 ? std::to_string(end.lVal) : end.vt == VT_DISPATCH ? "button" : "none";
    };
    EXPECT_EQ((Events{go(NAVDIR_FIRSTCHILD, 0), go(NAVDIR_NEXT, 1), go(NAVDIR_NEXT, 11), go(NAVDIR_PREVIOUS, 1),
                      go(NAVDIR_LASTCHILD, 0)}),
              (Events{"1", "11", "button", "none", "button"}));
    POINT row1{RowRect(0).CentreX(), RowRect(0).CentreY()};
    ClientToScreen(w, &row1);
    VARIANT hit{};
    board->accHitTest(row1.x, row1.y, &hit);
    EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, 1) << "row 1 under the pointer";
    SendMessageA(w, WM_KEYDOWN, VK_END, 0);
    board->get_accFocus(&focus);
    EXPECT_EQ(focus.lVal, 11) << "End reviews the entry";
    Heard();

    // A pressed button gives the focus back; refused keys say the entry as it is.
    SendMessageA(Keypad.digitButtons[6], BM_CLICK, 0, 0);
    EXPECT_EQ(GetFocus(), w) << "the board keeps the keyboard focus";
    SendMessageA(w, WM_COMMAND, MAKEWPARAM(IDC_DIGIT_BASE + 7, BN_CLICKED), reinterpret_cast<LPARAM>(Keypad.digitButtons[7]));
    Judge({7, 9});  // 7 refused, then GO with three digits
    EXPECT_EQ(Heard(), (Events{"focus 0", "focus 11", "name 11", "name 11", "name 11", "name 11"}));
    EXPECT_EQ(name(11), "入力 7 8 9");
    SendMessageA(w, WM_KEYDOWN, VK_HOME, 0);
    NewGame();
    board->get_accFocus(&focus);
    EXPECT_EQ(focus.lVal, 11) << "a new game starts at the entry";
    EXPECT_EQ(Heard(), (Events{"focus 1", "focus 11"}));
    VARIANT row{};
    row.vt = VT_I4;
    row.lVal = 1;
    EXPECT_EQ(board->accSelect(SELFLAG_TAKEFOCUS, row), S_OK);
    EXPECT_EQ(Heard(), (Events{"focus 1"})) << "a reader moved to row 1";
    // The result dialog's answer line reads with the deciding row, its digits spaced.
    GameState.secret = {1, 2, 3, 4};
    Judge({1, 2, 3, 4});
    EXPECT_EQ(LastDialog.answer, "こたえは 1234 でした");
    EXPECT_EQ(LastDialog.spoken, "1回目 1 2 3 4、4ストライク 0ボール、こたえは 1 2 3 4 でした");
    UnhookWinEvent(hook);
    board->Release();
    // What a reader says for each keypad button.
    const char* const keys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "GO", "Clear"};
    for (int k = 0; k < 11; ++k) {
        late::AccessibleObjectFromWindow(GetDlgItem(w, IDC_DIGIT_BASE + k), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&board));
        ASSERT_NE(board, nullptr);
        EXPECT_EQ(name(CHILDID_SELF), keys[k]);
        board->Release();
    }
    ShowWindow(w, SW_HIDE);
}

// Run alone by the test command as on a Western system (LANG=C.UTF-8): every text of
// the game's own reads back as UTF-16, the way the screen and a screen reader get it.
TEST_F(MainWindow, OnCodePage1252EveryTextReadsAsTheJapaneseItIs)
{
    ASSERT_NE(GetACP(), 932u) << "this case stands for a system of another code page";
    const auto japanese = [](const char* cp932) {
        wchar_t wide[512] = {};
        MultiByteToWideChar(932, 0, cp932, -1, wide, 512);
        return std::wstring(wide);
    };
    Judge({1, 2, 3, 4});
    EXPECT_EQ(LastDialog.wide[0], japanese("判定 - Velquin")) << "the dialog template's caption";
    EXPECT_EQ(LastDialog.wide[1], japanese("おめでとうございます"));
    EXPECT_EQ(LastDialog.wide[2], japanese("こたえは 1234 でした"));
    EXPECT_EQ(LastDialog.logFont.lfFaceName, japanese("ＭＳ Ｐ明朝"));
    EXPECT_EQ(LastDialog.logFont.lfCharSet, SHIFTJIS_CHARSET);
    ShowOnePointHelp();
    EXPECT_EQ(LastDialog.wide[3], japanese(HelpIntroduction));
    wchar_t text[512] = {};
    SendMessageW(WorkWindowState.window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(text, japanese("作業用ウィンドウ"));
    TOOLINFOW tool{HintToolSize, 0, MainWindowState.window, 0, {}, nullptr, text, 0, nullptr};
    SendMessageW(MainWindowState.window, WM_MOUSEMOVE, 0, MAKELPARAM(390, 100));
    SendMessageW(MainWindowState.hintTooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(text, japanese(StrikeHintText));
}

TEST_F(MainWindow, SoundSwitchSetsTheMarksOutlivesNewGameAndDecidesEveryEffect)
{
    const HMENU menu = MainWindowState.menu;
    ASSERT_EQ(menu, GetMenu(MainWindowState.window));
    EXPECT_EQ(startMarks, std::make_pair(true, false)) << "the file's SOUND=1 on the menu from the start";
    SendMessageA(MainWindowState.window, WM_COMMAND, IDM_SOUND_ON, 0);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_TRUE(Checked(IDM_SOUND_ON));
    EXPECT_FALSE(Checked(IDM_SOUND_OFF));
    SendMessageA(MainWindowState.window, WM_COMMAND, IDM_SOUND_OFF, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_FALSE(Checked(IDM_SOUND_ON));
    EXPECT_TRUE(Checked(IDM_SOUND_OFF));
    CheckSoundMenu(menu, 2);  // any non-zero value counts as on
    EXPECT_TRUE(Checked(IDM_SOUND_ON));
    EXPECT_FALSE(Checked(IDM_SOUND_OFF));
    EXPECT_FALSE(GetMenuState(menu, IDM_SOUND_ON, MF_BYCOMMAND) & MF_GRAYED);
    // The high word of a command is ignored, and unknown ids change nothing.
    SendMessageA(MainWindowState.window, WM_COMMAND, MAKEWPARAM(IDM_SOUND_ON, 1), 0);
    EXPECT_EQ(SoundOn, 1);
    SendMessageA(MainWindowState.window, WM_COMMAND, 12345, 0);
    SendMessageA(MainWindowState.window, WM_COMMAND, IDC_DIGIT_BASE - 1, 0);
    SendMessageA(MainWindowState.window, WM_COMMAND, IDC_CLEAR + 1, 0);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(GameState.enteredCount, 0);

    // New game keeps the player's last choice, and has saved it.
    for (const int choice : {0, 1}) {
        SendMessageA(MainWindowState.window, WM_COMMAND, choice ? IDM_SOUND_ON : IDM_SOUND_OFF, 0);
        NewGame();
        EXPECT_EQ(SoundOn, choice);
        EXPECT_EQ(Checked(IDM_SOUND_ON), choice == 1);
        EXPECT_EQ(GetPrivateProfileIntA("Config", "SOUND", -1, BesideTestExe("velquin.ini").c_str()), choice);
    }

    // Each effect asynchronous, without a module and without the system's default sound.
    const DWORD flags = SND_ASYNC | SND_NODEFAULT;
    const std::string digit = Played("21.wav", flags);
    GameState.secret = {1, 2, 3, 4};
    Judge({1, 1, 5, 6, 3});  // the repeated 1 is refused, and silent
    Judge({1, 2, 3, 4});
    EXPECT_EQ(SoundLog, (std::vector<std::string>{digit, digit, digit, digit, Played("PIN1.wav", flags), digit, digit,
                                                  digit, digit, Played("FAN2.wav", flags)}));
    NewGame();
    GameState.secret = {1, 2, 3, 4};
    for (int guess = 0; guess < 10; ++guess)
        Judge({5, 6, 7, 8});
    EXPECT_EQ(std::count(SoundLog.begin(), SoundLog.end(), Played("PIN1.wav", flags)), 1 + 9);
    EXPECT_EQ(SoundLog.back(), Played("DOWN1.wav", flags));

    // Only exactly 1 is on: nothing at all is heard with 0 or 2.
    for (const int off : {0, 2}) {
        SoundOn = off;
        NewGame();
        SoundLog.clear();
        GameState.secret = {1, 2, 3, 4};
        Judge({1, 5, 6, 3});
        Judge({1, 2, 3, 4});
        EXPECT_EQ(LastDialog.headline, "おめでとうございます");
        EXPECT_EQ(SoundLog, std::vector<std::string>{}) << "SoundOn " << off;
    }
    SoundOn = 0;
}

TEST(WindowClasses, CursorsIconsAndBrushes)
{
    const HINSTANCE instance = AppInfo.instance;
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(icon, nullptr);
    const struct {
        const char* name;
        HICON icon;
        HCURSOR cursor;
        HBRUSH brush;
    } classes[] = {
        {MainWindowClass, icon, arrow, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)},
        {WorkWindowClass, icon, arrow, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
        {TileWindowClass, nullptr, LoadCursorA(instance, MAKEINTRESOURCEA(IDCUR_HAND)),
         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
    };
    for (const auto& c : classes) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(instance, c.name, &wc)) << c.name;
        EXPECT_EQ(wc.hIcon, c.icon) << c.name;
        EXPECT_EQ(wc.hCursor, c.cursor) << c.name;
        EXPECT_EQ(wc.hbrBackground, c.brush) << c.name;
    }
}

TEST(CenterOnDesktop, CentresTruncatingAndHides)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const struct {
        int w, h;
    } sizes[] = {{480, 453}, {481, 454}, {desktop.right + 101, desktop.bottom + 51}};
    for (const auto& s : sizes) {
        const HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 5, 5, s.w, s.h, nullptr, nullptr,
                                       nullptr, nullptr);
        EXPECT_EQ(CenterOnDesktop(w), 0);
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_EQ(r.left, (desktop.right - s.w) / 2);
        EXPECT_EQ(r.top, (desktop.bottom - s.h) / 2);
        EXPECT_EQ(r.right - r.left, s.w);
        EXPECT_FALSE(IsWindowVisible(w));
        if (s.w > desktop.right) {
            EXPECT_LT(r.left, 0);
            EXPECT_LE(std::abs(-r.left - (r.right - desktop.right)), 1) << "overhangs both edges equally";
        }
        DestroyWindow(w);
    }
    if (desktop.right == 1024 && desktop.bottom == 768) {
        const HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 480, 453, nullptr, nullptr, nullptr, nullptr);
        CenterOnDesktop(w);
        RECT r;
        GetWindowRect(w, &r);
        EXPECT_EQ(r.left, 272);
        EXPECT_EQ(r.top, 157);
        DestroyWindow(w);
    }
}

} // namespace
