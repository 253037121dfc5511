// The player's record in the settings file, the game's effects that count it, and
// the record dialog with its bars.
#include "record.h"

#include <cstdio>

#include "game/effects.h"
#include "resource.h"
#include "settings/settings.h"
#include "win/app_records.h"
#include "win/dialogs.h"
#include "win/wide_text.h"

RecordStateRecord RecordState;

namespace {

void WriteRecordValue(int key, int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WriteSettingString(RecordSection, RecordKeyNames[key], text, AppInfo.settingsFileName);
    RecordState.stored[key] = value;
}

// Writes what changed, in the order that a process dying halfway cannot miscount.
// A folder that cannot be written keeps the record in memory for this run.
void SaveRecord(const RecordValues& next)
{
    RecordStateRecord& state = RecordState;
    // Keys the file lacks come first, in reading order, with the values they stand for.
    for (int key = 0; key < RecordKeyCount; ++key)
        if (state.stored[key] < 0)
            WriteRecordValue(key, state.values[key]);
    for (const int key : RecordWriteOrder)
        if (next[key] != state.stored[key])
            WriteRecordValue(key, next[key]);
    state.values = next;
}

void LoadRecordOnce()
{
    RecordStateRecord& state = RecordState;
    if (state.loaded)
        return;
    state.loaded = true;
    for (int key = 0; key < RecordKeyCount; ++key) {
        char text[16];
        ReadSettingString(RecordSection, RecordKeyNames[key], text, sizeof text, AppInfo.settingsFileName);
        state.stored[key] = ParseRecordValue(text);
        state.values[key] = state.stored[key] < 0 ? 0 : state.stored[key];
    }
    // Only a repair or a game left open is written back; reading alone writes nothing.
    const RecordValues loaded = LoadRecord(state.stored);
    if (loaded != state.values)
        SaveRecord(loaded);
}

void ShowRecordTexts(HWND dialog)
{
    const auto texts = RecordTexts(RecordState.values);
    for (int line = 0; line < static_cast<int>(texts.size()); ++line)
        SetGameText(dialog, IDC_RECORD_PLAYED + line, texts[line].data());
    for (int k = 1; k <= RecordMaxGuesses; ++k)
        InvalidateRect(GetDlgItem(dialog, IDC_RECORD_BAR_BASE + k), nullptr, TRUE);
}

// In system colours, so that a high-contrast scheme holds.
void DrawRecordBar(const DRAWITEMSTRUCT& item)
{
    const int k = static_cast<int>(item.CtlID) - IDC_RECORD_BAR_BASE;
    RECT bar = item.rcItem;
    FillRect(item.hDC, &bar, GetSysColorBrush(COLOR_BTNFACE));
    bar.right = bar.left + RecordBarLength(RecordState.values, k, bar.right - bar.left);
    FillRect(item.hDC, &bar, GetSysColorBrush(k == RecordState.lastWin ? COLOR_HIGHLIGHT : COLOR_BTNTEXT));
}

bool PlayerConfirmsReset(HWND dialog)
{
    const char* question = "成績をリセットしますか？";
    const char* caption = "成績";
    const UINT type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
    if (GameTextsAreWide())
        return MessageBoxW(dialog, WideGameText(question).c_str(), WideGameText(caption).c_str(), type) == IDYES;
    return MessageBoxA(dialog, question, caption, type) == IDYES;
}

void OnRecordReset(HWND dialog)
{
    if (!PlayerConfirmsReset(dialog))
        return;
    RecordValues next = RecordState.values;
    ResetRecord(next);
    SaveRecord(next);
    ShowRecordTexts(dialog);
}

} // namespace

void RecordGameOpened()
{
    LoadRecordOnce();
    RecordValues next = RecordState.values;
    OpenRecordedGame(next);
    SaveRecord(next);
}

void RecordGameEnded(int guesses)
{
    LoadRecordOnce();
    RecordValues next = RecordState.values;
    SettleRecordedGame(next, guesses);
    SaveRecord(next);
    if (guesses > 0)
        RecordState.lastWin = guesses;
}

void AbandonRecordedGame()
{
    if (RecordState.loaded && RecordState.values[RecordOpen] != 0)
        RecordGameEnded(0);
}

void AddRecordMenuItem(HMENU menu)
{
    InsertGameMenuItem(menu, IDM_WORKWINDOW, IDM_RECORD, "成績");
}

void ShowRecordDialog()
{
    ShowGameDialog(IDD_RECORD, RecordDialogProc);
}

INT_PTR CALLBACK RecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        LoadRecordOnce();
        CenterOnDesktop(dialog);
        ShowRecordTexts(dialog);
        return TRUE;
    case WM_DRAWITEM:
        DrawRecordBar(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_RECORD_RESET: OnRecordReset(dialog); return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, 1); return TRUE;
        default: return FALSE;
        }
    default:
        return FALSE;
    }
}
