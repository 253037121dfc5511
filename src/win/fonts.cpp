#include "fonts.h"

#include "wide_text.h"

HFONT CreateJapaneseFont(int height, int weight, const char* face)
{
    if (GameTextsAreWide())
        return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, WideGameText(face).c_str());
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HFONT CreateArialFont(int height, int width, int weight)
{
    return CreateFontA(height, width, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
}
