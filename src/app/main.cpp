// The entry point: fill the application record, register the classes, create,
// centre and show the main window, and run the message loop.
#include <windows.h>

#include "app.h"
#include "win/dialogs.h"
#include "win/late_dll.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    // Before any DLL is loaded by name: from the system folder, not from the game's.
    late::SearchSystemFolderOnly();
    AppInfo.title = AppTitle;
    AppInfo.settingsFileName = SettingsFileName;
    AppInfo.helpFileName = HelpFileName;
    AppInfo.instance = instance;

    // The game takes no text: with the input method off for this thread, before its
    // first window, a digit typed in any input mode (kana too) plays at once instead of
    // waiting in a composition for Enter. From Windows Vista on this covers the text
    // services too; on XP they are switched off by a call of their own.
    late::ImmDisableIME(0);
    late::ImmDisableTextFrameService(0);

    RegisterWindowClasses(instance);
    // WM_CREATE, and with it a first-run settings dialog, runs inside this call.
    const HWND window = CreateMainWindow();
    CenterOnDesktop(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        if (PlayKeypadKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
