// The S and B columns explain themselves in a tooltip while the mouse rests over them.
#include <windows.h>

#include <commctrl.h>

#include "app/app.h"
#include "board.h"

const char* const StrikeHintText = "  S：ストライク\n数字と位置（けた）が正しいと\nカウントされます";
const char* const BallHintText = "  B：ボール\n位置（けた）が違っていて\n数字だけが正しいと\nカウントされます";

HintZone HintZoneAt(unsigned x, unsigned y)
{
    const unsigned short ux = static_cast<unsigned short>(x), uy = static_cast<unsigned short>(y);
    if (uy < 10 || uy > 400)
        return HintZone::None;
    if (ux >= 375 && ux <= 410)
        return HintZone::Strike;
    if (ux >= 420 && ux <= 455)
        return HintZone::Ball;
    return HintZone::None;
}

void OnMouseMove(unsigned x, unsigned y)
{
    const HWND tooltip = MainWindowState.hintTooltip;
    const HintZone zone = HintZoneAt(x, y);
    if (zone == HintZone::None) {
        SendMessageA(tooltip, TTM_ACTIVATE, FALSE, 0);
        return;
    }
    SetCursor(MainWindowState.hintCursor);
    HintTool.lpszText = const_cast<char*>(zone == HintZone::Strike ? StrikeHintText : BallHintText);
    // The tool is added once per tooltip window; later moves only change its text,
    // so the tool list does not grow with every mouse move.
    if (!MainWindowState.hintToolAdded) {
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&HintTool));
        MainWindowState.hintToolAdded = true;
    } else {
        SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&HintTool));
    }
    RECT margin{5, 5, 5, 5};
    SendMessageA(tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 200);
    SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 100);
    SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
}
