// The Help menu's window side: the shell's "open" verb, the About box and the
// one-point help dialog that carries out the paging of help_pages.
#include "help.h"

#include <windows.h>

#include <shellapi.h>

#include "help_pages.h"
#include "resource.h"
#include "win/beside_exe.h"
#include "win/dialogs.h"
#include "win/fonts.h"
#include "win/late_dll.h"
#include "win/wide_text.h"

int32_t helpPage = 0;
unique_hfont HelpFont;

void OpenBesideExe(const char* name)
{
    char path[MAX_PATH];
    // A cut path could name some other file: open nothing rather than that.
    if (GetPathBesideExe(path, name))
        late::ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenHomePage()
{
    late::ShellExecuteA(nullptr, "open", HomePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowAboutDialog()
{
    ShowGameDialog(IDD_ABOUT, AboutDialogProc);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterOnDesktop(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only OK closes the box; Escape (IDCANCEL) leaves it open.
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void ShowOnePointHelp()
{
    ShowGameDialog(IDD_ONEPOINT, OnePointHelpDialogProc);
}

namespace {

void ShowHelpView(HWND dialog, const HelpView& view)
{
    helpPage = view.page;
    SetGameText(dialog, IDC_HELP_TEXT, view.text);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_NEXT), view.nextEnabled);
    EnableWindow(GetDlgItem(dialog, IDC_HELP_BACK), view.backEnabled);
}

void OnOnePointHelpInit(HWND dialog)
{
    HelpFont.reset(CreateJapaneseFont(16, 600, "ＭＳ Ｐゴシック"));
    SendDlgItemMessageA(dialog, IDC_HELP_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(HelpFont.get()), TRUE);
    CenterOnDesktop(dialog);
    // Every opening starts at the introduction, wherever the last one ended.
    ShowHelpView(dialog, HelpViewOf(0));
}

// True when the command was one of the dialog's own buttons.
bool OnOnePointHelpCommand(HWND dialog, int id)
{
    switch (id) {
    case IDC_HELP_NEXT: ShowHelpView(dialog, PressHelpButton(helpPage, HelpButton::Next)); return true;
    case IDC_HELP_BACK: ShowHelpView(dialog, PressHelpButton(helpPage, HelpButton::Back)); return true;
    case IDOK:
    case IDCANCEL:
        HelpFont.reset();
        EndDialog(dialog, 1);
        return true;
    default: return false;
    }
}

} // namespace

INT_PTR CALLBACK OnePointHelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnOnePointHelpInit(dialog);
        return TRUE;
    case WM_COMMAND:
        return OnOnePointHelpCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
        // White text area; the DC's colours are left as they are.
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    default:
        return FALSE;
    }
}
