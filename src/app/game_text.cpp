#include "game_text.h"

#include "app.h"

namespace {
constexpr UINT GameCodePage = 932;
} // namespace

bool GameTextsAreWide()
{
    return IsValidCodePage(GameCodePage) != FALSE;
}

std::wstring WideGameText(const char* text)
{
    const int length = MultiByteToWideChar(GameCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(GameCodePage, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));  // the terminator stays the string's own
    return wide;
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
