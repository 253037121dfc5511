// Board drawing: entered digits, the erase of the entry boxes and the history lines,
// all into the back buffer; the screen is reached only through WM_PAINT.
#include <cstdio>

#include "app/app.h"
#include "app/gdi.h"
#include "board.h"
#include "game/effects.h"
#include "game/game_state.h"

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
    PrepareText(dc, MainWindowState.entryFont, EntryTextColour);
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
    for (int x = 33; x < 173; x += 35)
        PatBlt(dc, x, 97, 29, 45, PATCOPY);
}

void DrawHistoryLine(int n)
{
    const HDC dc = MainWindowState.backBuffer.dc;
    PrepareText(dc, MainWindowState.historyFont, HistoryTextColour);
    TextOutA(dc, HistoryX, HistoryY(n), GameState.historyLines[n].data(), 16);
}

void InvalidateMainWindow()
{
    InvalidateRect(MainWindowState.window, nullptr, FALSE);
}
