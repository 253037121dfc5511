#include "dialogs.h"

#include "app_records.h"
#include "wide_text.h"

void ShowGameDialog(int dialogId, DLGPROC procedure)
{
    if (GameTextsAreWide())
        DialogBoxParamW(AppInfo.instance, MAKEINTRESOURCEW(dialogId), MainWindowState.window, procedure, 0);
    else
        DialogBoxParamA(AppInfo.instance, MAKEINTRESOURCEA(dialogId), MainWindowState.window, procedure, 0);
}

int CenterOnDesktop(HWND window)
{
    RECT desktop, rect;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = (desktop.right - width) / 2;
    const int y = (desktop.bottom - height) / 2;
    SetWindowPos(window, HWND_TOP, x, y, width, height, SWP_HIDEWINDOW);
    return 0;
}
