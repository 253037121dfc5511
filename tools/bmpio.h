#pragma once
// Minimal writer and reader for the three picture formats that the resource
// compiler takes: palette BMP (4 and 8 bits), CUR and ICO with one 4-bit
// 32 x 32 image and an AND mask. Header-only so the tests can share the reader.

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace velquin::img {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 16 colours of the standard Windows palette, in palette order.
inline const std::vector<Rgb>& StandardPalette() {
    static const std::vector<Rgb> pal = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    return pal;
}

// A palette picture, top row first. mask (icons and cursors only): 1 = transparent.
struct Indexed {
    int width = 0, height = 0, bpp = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> index;
    std::vector<uint8_t> mask;
    int hotX = 0, hotY = 0;

    uint8_t At(int x, int y) const { return index[size_t(y) * width + x]; }
    Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
    bool Transparent(int x, int y) const { return !mask.empty() && mask[size_t(y) * width + x]; }
};

namespace detail {
inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}
inline uint32_t Get16(const std::vector<uint8_t>& v, size_t at) {
    return at + 2 <= v.size() ? uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 : 0;
}
inline uint32_t Get32(const std::vector<uint8_t>& v, size_t at) {
    return Get16(v, at) | Get16(v, at + 2) << 16;
}
inline size_t RowBytes(int width, int bpp) { return ((size_t(width) * bpp + 31) / 32) * 4; }

// BITMAPINFOHEADER, palette and bottom-up pixel rows; with a mask, the AND
// plane follows and the height field counts both planes (icon image form).
inline void PutDib(std::vector<uint8_t>& out, const Indexed& pic, bool withMask) {
    const size_t row = RowBytes(pic.width, pic.bpp);
    const size_t maskRow = RowBytes(pic.width, 1);
    const size_t pixels = row * pic.height + (withMask ? maskRow * pic.height : 0);
    Put32(out, 40);
    Put32(out, uint32_t(pic.width));
    Put32(out, uint32_t(withMask ? pic.height * 2 : pic.height));
    Put16(out, 1);
    Put16(out, uint16_t(pic.bpp));
    Put32(out, 0);  // BI_RGB
    Put32(out, uint32_t(pixels));
    Put32(out, withMask ? 0 : 2835);  // 72 dpi for plain bitmaps
    Put32(out, withMask ? 0 : 2835);
    Put32(out, withMask ? 0 : uint32_t(pic.palette.size()));
    Put32(out, 0);
    for (const Rgb& c : pic.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = pic.height - 1; y >= 0; --y) {
        std::vector<uint8_t> bytes(row, 0);
        for (int x = 0; x < pic.width; ++x) {
            const uint8_t i = pic.At(x, y);
            if (pic.bpp == 8) bytes[x] = i;
            else bytes[x / 2] |= uint8_t((x % 2 == 0) ? i << 4 : i);
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    if (!withMask) return;
    for (int y = pic.height - 1; y >= 0; --y) {
        std::vector<uint8_t> bytes(maskRow, 0);
        for (int x = 0; x < pic.width; ++x)
            if (pic.Transparent(x, y)) bytes[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
}

inline std::optional<Indexed> GetDib(const std::vector<uint8_t>& in, size_t at, size_t pixelsAt,
                                     bool withMask) {
    Indexed pic;
    if (Get32(in, at) != 40 || Get16(in, at + 12) != 1 || Get32(in, at + 16) != 0) return std::nullopt;
    pic.width = int(Get32(in, at + 4));
    const int32_t rawHeight = int32_t(Get32(in, at + 8));
    pic.bpp = int(Get16(in, at + 14));
    if (rawHeight <= 0 || pic.width <= 0 || (pic.bpp != 4 && pic.bpp != 8)) return std::nullopt;
    pic.height = withMask ? rawHeight / 2 : rawHeight;
    uint32_t colours = Get32(in, at + 32);
    if (colours == 0) colours = 1u << pic.bpp;
    const size_t palAt = at + 40;
    if (palAt + 4 * colours > in.size()) return std::nullopt;
    for (uint32_t i = 0; i < colours; ++i)
        pic.palette.push_back({in[palAt + 4 * i + 2], in[palAt + 4 * i + 1], in[palAt + 4 * i]});
    if (pixelsAt == 0) pixelsAt = palAt + 4 * colours;
    const size_t row = RowBytes(pic.width, pic.bpp);
    const size_t maskRow = RowBytes(pic.width, 1);
    if (pixelsAt + row * pic.height + (withMask ? maskRow * pic.height : 0) > in.size()) return std::nullopt;
    pic.index.assign(size_t(pic.width) * pic.height, 0);
    for (int y = 0; y < pic.height; ++y) {
        const uint8_t* src = &in[pixelsAt + row * (pic.height - 1 - y)];
        for (int x = 0; x < pic.width; ++x) {
            const uint8_t i = pic.bpp == 8 ? src[x] : uint8_t((x % 2 == 0) ? src[x / 2] >> 4 : src[x / 2] & 15);
            if (i >= pic.palette.size()) return std::nullopt;
            pic.index[size_t(y) * pic.width + x] = i;
        }
    }
    if (withMask) {
        const size_t maskAt = pixelsAt + row * pic.height;
        pic.mask.assign(size_t(pic.width) * pic.height, 0);
        for (int y = 0; y < pic.height; ++y) {
            const uint8_t* src = &in[maskAt + maskRow * (pic.height - 1 - y)];
            for (int x = 0; x < pic.width; ++x)
                pic.mask[size_t(y) * pic.width + x] = (src[x / 8] >> (7 - x % 8)) & 1;
        }
    }
    return pic;
}
}  // namespace detail

inline std::vector<uint8_t> EncodeBmp(const Indexed& pic) {
    std::vector<uint8_t> dib;
    detail::PutDib(dib, pic, false);
    const uint32_t pixelsAt = 14 + 40 + 4 * uint32_t(pic.palette.size());
    std::vector<uint8_t> out = {'B', 'M'};
    detail::Put32(out, uint32_t(14 + dib.size()));
    detail::Put32(out, 0);
    detail::Put32(out, pixelsAt);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

// One-image .ico (cursor = false) or .cur (cursor = true, hot spot in the directory entry).
inline std::vector<uint8_t> EncodeIconFile(const Indexed& pic, bool cursor) {
    std::vector<uint8_t> dib;
    detail::PutDib(dib, pic, true);
    std::vector<uint8_t> out;
    detail::Put16(out, 0);
    detail::Put16(out, cursor ? 2 : 1);
    detail::Put16(out, 1);
    out.push_back(uint8_t(pic.width));
    out.push_back(uint8_t(pic.height));
    out.push_back(uint8_t(pic.palette.size() < 256 ? pic.palette.size() : 0));
    out.push_back(0);
    detail::Put16(out, cursor ? uint16_t(pic.hotX) : 1);
    detail::Put16(out, cursor ? uint16_t(pic.hotY) : uint16_t(pic.bpp));
    detail::Put32(out, uint32_t(dib.size()));
    detail::Put32(out, 6 + 16);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

inline std::optional<Indexed> DecodeBmp(const std::vector<uint8_t>& in) {
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M' || detail::Get32(in, 2) != in.size()) return std::nullopt;
    return detail::GetDib(in, 14, detail::Get32(in, 10), false);
}

// Reads the first image of a .ico or .cur; isCursor tells which of the two it was.
inline std::optional<Indexed> DecodeIconFile(const std::vector<uint8_t>& in, bool& isCursor) {
    if (in.size() < 22 || detail::Get16(in, 0) != 0 || detail::Get16(in, 4) < 1) return std::nullopt;
    const uint32_t type = detail::Get16(in, 2);
    if (type != 1 && type != 2) return std::nullopt;
    isCursor = type == 2;
    const uint32_t size = detail::Get32(in, 14), at = detail::Get32(in, 18);
    if (size_t(at) + size > in.size()) return std::nullopt;
    auto pic = detail::GetDib(in, at, 0, true);
    if (pic && isCursor) {
        pic->hotX = int(detail::Get16(in, 10));
        pic->hotY = int(detail::Get16(in, 12));
    }
    if (pic && (pic->width != in[6] || pic->height != in[7])) return std::nullopt;
    return pic;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

}  // namespace velquin::img
