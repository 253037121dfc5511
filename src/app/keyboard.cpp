// Keyboard play: the keys of the keypad reach the main window as the commands its
// buttons send, whichever of the game's windows has the focus.
#include <windows.h>

#include "app.h"
#include "board/key_commands.h"
#include "resource.h"

namespace {

// Set in a key message's lParam while the key was already down: an auto-repeat.
constexpr LPARAM KeyRepeat = static_cast<LPARAM>(KF_REPEAT) << 16;

// The bytes of a double-byte character typed into one of the game's windows. A
// character typed as itself and an input method's whole character (WM_IME_CHAR, which
// DefWindowProcA turns into two) both come as two WM_CHAR messages, lead byte first.
bool IsLeadByteOfSystem(int byte)
{
    return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
}
DoubleByteJoiner TypedCharacters(IsLeadByteOfSystem);

// GO sent by Enter can open the result dialog while that Enter is still held down,
// and its auto-repeat would press the dialog's default button at once. Until the
// Enter comes up, the dialog does not see it go down.
bool EnterHeld = false;

LRESULT CALLBACK HoldBackEnter(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->wParam == VK_RETURN) {
        if (message->message == WM_KEYUP)
            EnterHeld = false;
        else if (message->message == WM_KEYDOWN && EnterHeld)
            return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Exactly what the button sends when it is clicked.
void SendButtonCommand(HWND main, int command)
{
    const HWND button = GetDlgItem(main, command);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

int CommandOf(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN: return CommandForKeyDown(static_cast<int>(message.wParam));
    case WM_CHAR: {
        const int character = TypedCharacters.Feed(static_cast<int>(message.wParam & 0xFF));
        return character < 0 ? NoCommand : CommandForChar(character);
    }
    default: return NoCommand;
    }
}

} // namespace

bool PlayKeypadKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR)
        return false;
    // The main window, its buttons, the work window and its tiles. Dialogs and menus
    // run message loops of their own and keep their keys.
    const HWND main = MainWindowState.window;
    if (!main || GetAncestor(message.hwnd, GA_ROOTOWNER) != main)
        return false;
    const int command = CommandOf(message);
    if (command == NoCommand || (message.lParam & KeyRepeat))
        return false;
    if (command != IDC_GO) {
        SendButtonCommand(main, command);
        return true;
    }
    EnterHeld = true;
    const HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, HoldBackEnter, nullptr, GetCurrentThreadId());
    SendButtonCommand(main, command);
    UnhookWindowsHookEx(hook);
    return true;
}
