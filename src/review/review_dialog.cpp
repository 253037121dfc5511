// The review dialog: one list row per judged guess and three lines under the list,
// filled from the game's judged rows when it opens. The list view is the common
// controls' own, registered by the main window's creation step; it is driven by
// its messages alone.
#include "review_dialog.h"

#include <commctrl.h>

#include "game/game_state.h"
#include "resource.h"
#include "review.h"
#include "win/dialogs.h"
#include "win/wide_text.h"

namespace {

constexpr const char* ReviewMenuText = "感想戦";
// In dialog units; together as wide as the list inside its border.
constexpr int ColumnWidths[ReviewColumnCount] = {18, 30, 34, 52, 26, 58};
constexpr int LineControls[] = {IDC_REVIEW_ANSWER, IDC_REVIEW_NARROWED, IDC_REVIEW_COMPUTER};

// A list view message whose record carries a text: the W form with the text as
// UTF-16 where the game's texts are wide, else the A form with the bytes (which
// the list view only reads).
template <typename RecordW, typename RecordA, typename Fill>
void SendWithText(HWND list, UINT messageW, UINT messageA, WPARAM wParam, const char* text, Fill fill)
{
    if (GameTextsAreWide()) {
        WideText wide(text);
        RecordW record{};
        fill(record);
        record.pszText = wide.data();
        SendMessageW(list, messageW, wParam, reinterpret_cast<LPARAM>(&record));
    } else {
        RecordA record{};
        fill(record);
        record.pszText = const_cast<char*>(text);
        SendMessageA(list, messageA, wParam, reinterpret_cast<LPARAM>(&record));
    }
}

void FillList(HWND dialog, HWND list, const GameReview& review)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < ReviewColumnCount; ++c) {
        RECT width{0, 0, ColumnWidths[c], 0};
        MapDialogRect(dialog, &width);
        SendWithText<LVCOLUMNW, LVCOLUMNA>(list, LVM_INSERTCOLUMNW, LVM_INSERTCOLUMNA, c, ReviewColumnTitles[c],
                                           [&](auto& column) {
                                               column.mask = LVCF_WIDTH | LVCF_TEXT;
                                               column.cx = width.right;
                                           });
    }
    for (int row = 0; row < review.rowCount; ++row)
        for (int c = 0; c < ReviewColumnCount; ++c)
            SendWithText<LVITEMW, LVITEMA>(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                                           c == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, c == 0 ? 0 : row,
                                           ReviewCellText(review, row, c).data(), [&](auto& item) {
                                               item.mask = LVIF_TEXT;
                                               item.iItem = row;
                                               item.iSubItem = c;
                                           });
    // The keyboard and a reader start on the first row.
    LVITEMW first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
}

void OnReviewInit(HWND dialog)
{
    CenterOnDesktop(dialog);
    const GameReview review = ReviewGame(GameState.secret, GameState.judged.data(), GameState.guessCount);
    FillList(dialog, GetDlgItem(dialog, IDC_REVIEW_LIST), review);
    for (int line = 0; line < 3; ++line)
        SetGameText(dialog, LineControls[line], ReviewLineText(review, line).data());
}

} // namespace

void AddReviewMenuItem(HMENU menu)
{
    InsertGameMenuItem(menu, IDM_RECORD, IDM_REVIEW, ReviewMenuText, MF_GRAYED);
}

void UpdateReviewMenuItem(HMENU menu)
{
    EnableMenuItem(menu, IDM_REVIEW, MF_BYCOMMAND | (GameDecided() ? MF_ENABLED : MF_GRAYED));
}

void OnReviewCommand(HMENU menu)
{
    // A missing item reads as -1, greyed too.
    if (GetMenuState(menu, IDM_REVIEW, MF_BYCOMMAND) & MF_GRAYED)
        return;
    ShowGameDialog(IDD_REVIEW, ReviewDialogProc);
}

INT_PTR CALLBACK ReviewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OnReviewInit(dialog);
        return TRUE;
    case WM_COMMAND:
        // OK, Enter and Escape close it.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
