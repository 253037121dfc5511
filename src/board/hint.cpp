// The S and B columns explain themselves in a tooltip while the mouse rests over them.
#include <windows.h>

#include <commctrl.h>

#include "board.h"
#include "resource.h"
#include "win/app_records.h"
#include "win/wide_text.h"

const char* const StrikeHintText = "  S：ストライク\n数字と位置（けた）が正しいと\nカウントされます";
const char* const BallHintText = "  B：ボール\n位置（けた）が違っていて\n数字だけが正しいと\nカウントされます";

TOOLINFOA HintTool;

namespace {

// The tooltip keeps its own copy of the text, so it need not outlive the message.
void SendHintText(HWND tooltip, const char* text, bool add)
{
    if (!GameTextsAreWide()) {
        HintTool.lpszText = const_cast<char*>(text);
        SendMessageA(tooltip, add ? TTM_ADDTOOLA : TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&HintTool));
        return;
    }
    WideText wide = WideGameText(text);
    // The same record, of the same 44 bytes, with the text as UTF-16.
    TOOLINFOW tool{HintTool.cbSize, HintTool.uFlags, HintTool.hwnd,  HintTool.uId,
                   HintTool.rect,   HintTool.hinst,  wide.data(), HintTool.lParam, nullptr};
    SendMessageW(tooltip, add ? TTM_ADDTOOLW : TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace

HintZone HintZoneAt(unsigned x, unsigned y)
{
    // The mouse messages carry 16-bit coordinates.
    const int ux = static_cast<unsigned short>(x), uy = static_cast<unsigned short>(y);
    if (StrikeColumn.Contains(ux, uy))
        return HintZone::Strike;
    if (BallColumn.Contains(ux, uy))
        return HintZone::Ball;
    return HintZone::None;
}

void CreateHintTooltip(HWND window)
{
    MainWindowStateRecord& state = MainWindowState;
    state.hintCursor = LoadCursorA(AppInfo.instance, MAKEINTRESOURCEA(IDCUR_HINT));
    // New game makes a new tooltip; the one it replaces would only linger unused.
    if (state.hintTooltip)
        DestroyWindow(state.hintTooltip);
    state.hintTooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, AppInfo.instance, nullptr);
    state.hintToolAdded = false;
    GetClientRect(window, &HintTool.rect);
    HintTool.cbSize = HintToolSize;
    HintTool.uFlags = TTF_SUBCLASS;
    HintTool.hwnd = window;
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
    // The tool is added once per tooltip window; later moves only change its text,
    // so the tool list does not grow with every mouse move.
    SendHintText(tooltip, zone == HintZone::Strike ? StrikeHintText : BallHintText, !MainWindowState.hintToolAdded);
    MainWindowState.hintToolAdded = true;
    RECT margin{5, 5, 5, 5};
    SendMessageA(tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 200);
    SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 100);
    SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
}
