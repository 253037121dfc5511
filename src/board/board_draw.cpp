// Board drawing: entered digits, the erase of the entry boxes and the history lines,
// all into the back buffer; the screen is reached only through WM_PAINT.
#include <cstdio>

#include "board.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "win/app_records.h"
#include "win/gdi.h"

namespace {

void PrepareText(HDC dc, HFONT font, COLORREF colour)
{
    // The font stays selected: the back buffer's DC only ever draws text in our fonts.
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
}

} // namespace

void DrawEntryDigit(int n, int d)
{
    const HDC dc = MainWindowState.backBuffer.dc;
    PrepareText(dc, MainWindowState.entryFont.get(), EntryTextColour);
    char text[12];
    std::snprintf(text, sizeof text, "%d", d);
    TextOutA(dc, EntryDigitX(n), EntryDigitY, text, 1);
}

void EraseEntryBoxes()
{
    const HDC dc = MainWindowState.backBuffer.dc;
    const unique_hbrush brush(CreateSolidBrush(EntryGreen));
    const select_scope selected(dc, brush.get());
    // Each fill covers only the green inside of its box, never the rose round the corners.
    for (int n = 1; n <= 4; ++n) {
        const BoardRect inside = EntryBoxInside(n);
        PatBlt(dc, inside.left, inside.top, inside.Width(), inside.Height(), PATCOPY);
    }
}

void DrawHistoryLine(int n)
{
    const HDC dc = MainWindowState.backBuffer.dc;
    PrepareText(dc, MainWindowState.historyFont.get(), HistoryTextColour);
    TextOutA(dc, HistoryX, HistoryY(n), GameState.historyLines[n].data(), 16);
}

void InvalidateMainWindow()
{
    InvalidateRect(MainWindowState.window, nullptr, FALSE);
}
