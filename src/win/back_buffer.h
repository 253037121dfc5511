#pragma once
// A window's picture off screen: everything is drawn here, and WM_PAINT copies the
// update rectangle out. The main window's holds the board, the work window's its
// background.
#include <windows.h>

struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;  // selected into dc for the buffer's whole life
    int width = 0;
    int height = 0;

    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer() { Release(); }

    // A buffer of width x height compatible with compatibleWith (a window's DC, or
    // the screen's for null); a buffer already made is released first.
    void Make(HDC compatibleWith, int newWidth, int newHeight);
    void Release();
    // Copies the update rectangle of a paint from the same place in the buffer.
    void Paint(HDC target, const RECT& update) const;
};
