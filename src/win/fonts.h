#pragma once
// The fonts the game asks for by name.
#include <windows.h>

// A font for Japanese text: face is a CP932 name, the charset SHIFTJIS_CHARSET, so
// that where the face is missing the font mapper picks a Japanese one that is there.
HFONT CreateJapaneseFont(int height, int weight, const char* face);
// Arial in the default charset, for the board's digits.
HFONT CreateArialFont(int height, int width, int weight);
