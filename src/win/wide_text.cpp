#include "wide_text.h"

#include <algorithm>

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

void InsertGameMenuItem(HMENU menu, UINT after, UINT command, const char* text, UINT flags)
{
    for (int p = 0; p < GetMenuItemCount(menu); ++p) {
        const HMENU popup = GetSubMenu(menu, p);
        for (int i = 0; popup && i < GetMenuItemCount(popup); ++i) {
            if (GetMenuItemID(popup, i) != after)
                continue;
            flags |= MF_BYPOSITION | MF_STRING;
            if (GameTextsAreWide())
                InsertMenuW(popup, i + 1, flags, command, WideGameText(text).c_str());
            else
                InsertMenuA(popup, i + 1, flags, command, text);
            return;
        }
    }
}
