// The first-run dialog that asks where the game should put shortcuts to itself.
#include "settings.h"

#include <windows.h>

#include <shlobj.h>

#include "resource.h"
#include "win/app_records.h"
#include "win/dialogs.h"

namespace {

struct ShortcutRow {
    int control;
    int32_t ShellLinkFlagsRecord::*flag;
    int csidl;
};
// OK works through the rows in this order.
constexpr ShortcutRow ShortcutRows[] = {
    {IDC_SET_STARTUP, &ShellLinkFlagsRecord::startup, CSIDL_STARTUP},
    {IDC_SET_DESKTOP, &ShellLinkFlagsRecord::desktop, CSIDL_DESKTOP},
    {IDC_SET_STARTMENU, &ShellLinkFlagsRecord::startMenu, CSIDL_PROGRAMS},
};

void OnInitDialog(HWND dialog)
{
    CenterOnDesktop(dialog);
    for (const ShortcutRow& row : ShortcutRows)
        CheckDlgButton(dialog, row.control, static_cast<UINT>(ShellLinkFlags.*row.flag));
}

// A shortcut that cannot be made still leaves its flag at 1: the player asked for it.
void OnOk(HWND dialog)
{
    for (const ShortcutRow& row : ShortcutRows) {
        if (IsDlgButtonChecked(dialog, row.control) == BST_CHECKED) {
            ShellLinkFlags.*row.flag = 1;
            CreateAppShortcut(GetParent(dialog), AppInfo.title, row.csidl);
        } else {
            ShellLinkFlags.*row.flag = 0;
        }
    }
    SaveShellLinkFlags(AppInfo.settingsFileName);
    EndDialog(dialog, 1);
}

} // namespace

void ShowSettingsDialog()
{
    ShowGameDialog(IDD_SETTINGS, SettingsDialogProc);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
