#pragma once
// Bitmap resources drawn as they are.
#include <windows.h>

// Copies bitmap resource id to (x, y) of dc at its own size.
void BlitBitmapResource(HDC dc, int id, int x, int y);
