#pragma once
// Small owners for GDI handles whose lifetime fits a scope or a record.
#include <windows.h>

#include <utility>

template <typename Handle>
class unique_gdiobj {
public:
    unique_gdiobj() = default;
    explicit unique_gdiobj(Handle h) : h_(h) {}
    unique_gdiobj(const unique_gdiobj&) = delete;
    unique_gdiobj& operator=(const unique_gdiobj&) = delete;
    unique_gdiobj(unique_gdiobj&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    unique_gdiobj& operator=(unique_gdiobj&& o) noexcept
    {
        reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~unique_gdiobj() { reset(); }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void reset(Handle h = nullptr)
    {
        if (h_)
            DeleteObject(h_);
        h_ = h;
    }

private:
    Handle h_ = nullptr;
};

using unique_hbitmap = unique_gdiobj<HBITMAP>;
using unique_hbrush = unique_gdiobj<HBRUSH>;
using unique_hfont = unique_gdiobj<HFONT>;

// A memory device context, deleted with its scope.
class unique_memdc {
public:
    explicit unique_memdc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    unique_memdc(const unique_memdc&) = delete;
    unique_memdc& operator=(const unique_memdc&) = delete;
    ~unique_memdc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back at the end of the scope.
class select_scope {
public:
    select_scope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    select_scope(const select_scope&) = delete;
    select_scope& operator=(const select_scope&) = delete;
    ~select_scope()
    {
        if (old_)
            SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC / ReleaseDC as a scope.
class window_dc {
public:
    explicit window_dc(HWND window) : window_(window), dc_(GetDC(window)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    ~window_dc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
