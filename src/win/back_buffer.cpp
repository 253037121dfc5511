#include "back_buffer.h"

void BackBuffer::Make(HDC compatibleWith, int newWidth, int newHeight)
{
    Release();
    width = newWidth;
    height = newHeight;
    dc = CreateCompatibleDC(compatibleWith);
    bitmap = CreateCompatibleBitmap(compatibleWith, width, height);
    // The DC's first bitmap is not kept: DeleteDC takes it with the DC.
    SelectObject(dc, bitmap);
}

void BackBuffer::Release()
{
    // The DC goes first, so that the bitmap is no longer selected when it is deleted.
    if (dc)
        DeleteDC(dc);
    if (bitmap)
        DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    width = height = 0;
}

void BackBuffer::Paint(HDC target, const RECT& update) const
{
    BitBlt(target, update.left, update.top, update.right - update.left, update.bottom - update.top, dc, update.left,
           update.top, SRCCOPY);
}
