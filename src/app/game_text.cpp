#include "game_text.h"

#include <algorithm>

#include "app.h"

namespace {
constexpr UINT GameCodePage = 932;
} // namespace

bool GameTextsAreWide()
{
    return IsValidCodePage(GameCodePage) != FALSE;
}

WideText::WideText(const char* cp932)
{
    // One byte never makes more than one UTF-16 unit, so as many bytes as the buffer
    // has units always fit; the last unit stays the terminator.
    const int capacity = static_cast<int>(text_.size()) - 1;
    const int bytes = std::min(lstrlenA(cp932), capacity);
    MultiByteToWideChar(GameCodePage, 0, cp932, bytes, text_.data(), capacity);
}

void SetGameText(HWND dialog, int control, const char* text)
{
    if (GameTextsAreWide())
        SetDlgItemTextW(dialog, control, WideGameText(text).c_str());
    else
        SetDlgItemTextA(dialog, control, text);
}

HFONT CreateJapaneseFont(int height, int weight, const char* face)
{
    if (GameTextsAreWide())
        return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, WideGameText(face).c_str());
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

void ShowGameDialog(int dialogId, DLGPROC procedure)
{
    if (GameTextsAreWide())
        DialogBoxParamW(AppInfo.instance, MAKEINTRESOURCEW(dialogId), MainWindowState.window, procedure, 0);
    else
        DialogBoxParamA(AppInfo.instance, MAKEINTRESOURCEA(dialogId), MainWindowState.window, procedure, 0);
}
