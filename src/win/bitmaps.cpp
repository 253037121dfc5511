#include "bitmaps.h"

#include "app_records.h"
#include "gdi.h"

void BlitBitmapResource(HDC dc, int id, int x, int y)
{
    const unique_memdc source(dc);
    const unique_hbitmap bitmap(LoadBitmapA(AppInfo.instance, MAKEINTRESOURCEA(id)));
    BITMAP info{};
    GetObjectA(bitmap.get(), sizeof info, &info);
    const select_scope selected(source.get(), bitmap.get());
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
}
