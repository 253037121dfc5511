// The result dialog: the headline and the answer line of a finished game.
#include "effects.h"
#include "game_state.h"
#include "resource.h"
#include "result_dialog.h"
#include "win/dialogs.h"
#include "win/fonts.h"
#include "win/wide_text.h"

namespace {

// Lives from the dialog's WM_INITDIALOG to its OK.
HFONT ResultFont = nullptr;

INT_PTR CALLBACK ResultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ResultFont = CreateJapaneseFont(30, 600, "ＭＳ Ｐ明朝");
        SendDlgItemMessageA(dialog, IDC_RESULT_HEADLINE, WM_SETFONT, reinterpret_cast<WPARAM>(ResultFont), TRUE);
        SendDlgItemMessageA(dialog, IDC_RESULT_ANSWER, WM_SETFONT, reinterpret_cast<WPARAM>(ResultFont), TRUE);
        CenterOnDesktop(dialog);
        SetGameText(dialog, IDC_RESULT_HEADLINE, GameState.resultHeadline.data());
        SetGameText(dialog, IDC_RESULT_ANSWER, GameState.resultAnswer.data());
        NameResultForReader(dialog);
        return TRUE;
    case WM_COMMAND:
        // Only OK closes the dialog; Escape (IDCANCEL) leaves it open.
        if (LOWORD(wParam) == IDOK) {
            DeleteObject(ResultFont);
            ResultFont = nullptr;
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowResultDialog()
{
    ShowGameDialog(IDD_RESULT, ResultDialogProc);
}
