// The main window: its creation step (re-run by New game), painting from the back
// buffer, clean-up, and the dispatch of every menu and keypad command.
#include "app.h"

#include <windows.h>

#include "board/board.h"
#include "board/keypad.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "help/help.h"
#include "reader/board_reader.h"
#include "record/record.h"
#include "resource.h"
#include "review/review_dialog.h"
#include "settings/settings.h"
#include "win/bitmaps.h"
#include "win/fonts.h"
#include "win/late_dll.h"
#include "workwin/work_window.h"

AppInfoRecord AppInfo;
MainWindowStateRecord MainWindowState;

namespace {

// The board picture in a desktop-sized buffer.
void CreateBackBuffer(HWND window)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const window_dc windowDc(window);
    MainWindowState.backBuffer.Make(windowDc.get(), desktop.right, desktop.bottom);
    BlitBitmapResource(MainWindowState.backBuffer.dc, IDB_BOARD, 0, 0);
}

LRESULT OnCreate(HWND window)
{
    MainWindowStateRecord& state = MainWindowState;
    state.window = window;
    late::InitCommonControls();
    CreateBackBuffer(window);
    InitSettings();
    if (!state.menu) {
        state.menu = GetMenu(window);
        CheckSoundMenu(state.menu, SoundOn);
        // The record's and the review's items, added once: menu 101 stays as it is.
        AddRecordMenuItem(state.menu);
        AddReviewMenuItem(state.menu);
    }
    if (!Keypad.goButton)
        CreateKeypad(window);
    if (!state.historyFont)
        state.historyFont.reset(CreateArialFont(35, 0, 600));
    if (!state.entryFont)
        state.entryFont.reset(CreateArialFont(50, 20, 900));
    if (!WorkWindowState.window)
        CreateWorkWindow(window);
    CreateHintTooltip(window);
    CreateTiles();
    ResetGame();
    UpdateReviewMenuItem(state.menu);
    return 0;
}

void OnPaint(HWND window)
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    MainWindowState.backBuffer.Paint(dc, ps.rcPaint);
    EndPaint(window, &ps);
}

void OnDestroy()
{
    MainWindowStateRecord& state = MainWindowState;
    state.backBuffer.Release();
    state.historyFont.reset();
    state.entryFont.reset();
    SaveSoundSetting();
    AbandonRecordedGame();
    ReleaseBoardReader();
    PostQuitMessage(0);
}

void SetSound(int on)
{
    SoundOn = on;
    CheckSoundMenu(MainWindowState.menu, on);
}

// A button takes the focus when it is pressed (a click, a reader's action); the board
// takes it back, so that the arrow keys and a screen reader stay with the board. Before
// the game's step: the system's focus event comes first, the changed part's last. Keys
// typed into the work window leave the focus there.
void TakeFocusFromKeypad(HWND window)
{
    if (IsChild(window, GetFocus()))
        SetFocus(window);
}

void OnCommand(HWND window, int id)
{
    if (id >= IDC_DIGIT_BASE && id <= IDC_CLEAR)
        TakeFocusFromKeypad(window);
    if (id >= IDC_DIGIT_BASE && id <= IDC_DIGIT_BASE + 8) {
        PressDigit(id - IDC_DIGIT_BASE + 1);
        return;
    }
    switch (id) {
    case IDC_GO:
        SubmitGuess();
        UpdateReviewMenuItem(MainWindowState.menu);  // a decided game: once its result has closed
        break;
    case IDC_CLEAR: ClearEntry(); break;
    case IDM_QUIT: SendMessageA(window, WM_CLOSE, 0, 0); break;
    case IDM_HELPFILE: OpenBesideExe(AppInfo.helpFileName); break;
    case IDM_ABOUT: ShowAboutDialog(); break;
    case IDM_HOMEPAGE: OpenHomePage(); break;
    case IDM_NEWGAME: NewGame(); break;
    case IDM_SOUND_ON: SetSound(1); break;
    case IDM_SOUND_OFF: SetSound(0); break;
    case IDM_ONEPOINT: ShowOnePointHelp(); break;
    case IDM_WORKWINDOW: ShowWorkWindow(); break;
    case IDM_WORKWINDOW_HELP: OpenBesideExe(WorkWindowHelpFileName); break;
    case IDM_RECORD: ShowRecordDialog(); break;
    case IDM_REVIEW: OnReviewCommand(MainWindowState.menu); break;
    default: break;
    }
}

} // namespace

void RegisterWindowClasses(HINSTANCE instance)
{
    const HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = instance;

    wc.lpfnWndProc = MainWindowProc;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    wc.lpszClassName = MainWindowClass;
    wc.hIconSm = icon;
    RegisterClassExA(&wc);

    // A Unicode class: only such a window draws its UTF-16 caption, and answers
    // WM_GETTEXT with it, on a system whose ANSI code page is not 932.
    WNDCLASSEXW work{};
    work.cbSize = sizeof work;
    work.style = wc.style;
    work.hInstance = instance;
    work.lpfnWndProc = WorkWindowProc;
    work.hIcon = icon;
    work.hCursor = wc.hCursor;
    work.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    work.lpszClassName = WorkWindowClassW;
    RegisterClassExW(&work);

    wc.lpfnWndProc = TileProc;
    wc.lpszMenuName = nullptr;
    wc.hIconSm = nullptr;
    wc.hIcon = nullptr;
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDCUR_HAND));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = TileWindowClass;
    RegisterClassExA(&wc);
}

HWND CreateMainWindow()
{
    return CreateWindowExA(0, MainWindowClass, AppInfo.title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           CW_USEDEFAULT, CW_USEDEFAULT, MainWindowWidth, MainWindowHeight, nullptr, nullptr,
                           AppInfo.instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_LBUTTONDOWN: return 0;
    case WM_KEYDOWN:
        BrowseBoard(static_cast<int>(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETOBJECT: return OnGetObject(window, wParam, lParam);
    case WM_SETFOCUS:
    case WM_EXITMENULOOP: BoardGetsFocus(window); return DefWindowProcA(window, message, wParam, lParam);
    case SayBoardAgainMessage: SayBoardAgain(); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void NewGame()
{
    const HWND window = MainWindowState.window;
    AbandonRecordedGame();
    RestoreKeypad(GameState.enteredCount);
    SaveSoundSetting();
    MainWindowState.backBuffer.Release();
    SendTilesHome();
    SendMessageA(window, WM_CREATE, 0, 0);
    InvalidateRect(window, nullptr, FALSE);
    AnnounceEntry();  // not the last game's row the reader was at
}

void CheckSoundMenu(HMENU menu, int soundOn)
{
    if (soundOn != 0) {
        CheckMenuItem(menu, IDM_SOUND_OFF, MF_BYCOMMAND | MF_UNCHECKED);
        CheckMenuItem(menu, IDM_SOUND_ON, MF_BYCOMMAND | MF_CHECKED);
    } else {
        CheckMenuItem(menu, IDM_SOUND_OFF, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(menu, IDM_SOUND_ON, MF_BYCOMMAND | MF_UNCHECKED);
    }
}
