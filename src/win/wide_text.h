#pragma once
// The game's own texts are code page 932 bytes. Converted to UTF-16 with code page
// 932 named and passed to the W calls, they read as the Japanese they are on a
// system of any ANSI code page. Where code page 932 is not installed (Windows XP
// without East Asian support) the A calls show them as the system reads them.
// File and folder paths are not game texts and never come here.
#include <windows.h>

#include <array>

// A game text as UTF-16, in a buffer that holds every text of the game (the longest,
// a help page, has 200 bytes); a longer one is cut, never overflows.
class WideText {
public:
    explicit WideText(const char* cp932);
    const wchar_t* c_str() const { return text_.data(); }
    wchar_t* data() { return text_.data(); }

private:
    std::array<wchar_t, 512> text_{};
};

// True where code page 932 is installed: the game's texts go through the W calls.
bool GameTextsAreWide();
// text, CP932, as UTF-16 (an empty text where it cannot be converted).
inline WideText WideGameText(const char* text)
{
    return WideText(text);
}

// The W or A twin of each call that shows a game text.
void SetGameText(HWND dialog, int control, const char* text);
// An item added at run time to the pop-up of menu that holds the command after,
// right below it, with flags (MF_GRAYED...) beside MF_STRING; nothing where no
// pop-up holds after.
void InsertGameMenuItem(HMENU menu, UINT after, UINT command, const char* text, UINT flags = 0);
