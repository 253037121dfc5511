// Draws every picture of the game: the board, the key, GO and Clear faces, the
// work-window tiles, the two hand cursors and the icon, into the directory
// given as the first argument. All shapes are vector outlines rasterised with
// 8 x 8 supersampling; nothing depends on time or chance, so every run
// writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "bmpio.h"

namespace {

using velquin::img::Indexed;
using velquin::img::Rgb;

constexpr double kPi = 3.14159265358979323846;

struct Pt {
    double x, y;
};

// A thick polyline; ends are round unless butt, joins always round.
struct Stroke {
    std::vector<Pt> pts;
    double r;
    bool buttStart = false, buttEnd = false;
};
struct Ellipse {
    Pt c;
    double rx, ry;
};
struct Polygon {
    std::vector<Pt> pts;
};
using Prim = std::variant<Stroke, Ellipse, Polygon>;

bool Contains(const Stroke& s, Pt p) {
    const double r2 = s.r * s.r;
    const size_t n = s.pts.size();
    if (n == 1) return std::hypot(p.x - s.pts[0].x, p.y - s.pts[0].y) <= s.r;
    for (size_t i = 0; i + 1 < n; ++i) {
        const Pt a = s.pts[i], b = s.pts[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
        if (i == 0 && s.buttStart && t < 0) continue;
        if (i + 2 == n && s.buttEnd && t > 1) continue;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
        if (ex * ex + ey * ey <= r2) return true;
    }
    return false;
}
bool Contains(const Ellipse& e, Pt p) {
    const double u = (p.x - e.c.x) / e.rx, v = (p.y - e.c.y) / e.ry;
    return u * u + v * v <= 1;
}
bool Contains(const Polygon& g, Pt p) {
    bool in = false;
    for (size_t i = 0, j = g.pts.size() - 1; i < g.pts.size(); j = i++) {
        const Pt a = g.pts[i], b = g.pts[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

struct Box {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    void Add(double x, double y, double pad = 0) {
        x0 = std::min(x0, x - pad);
        y0 = std::min(y0, y - pad);
        x1 = std::max(x1, x + pad);
        y1 = std::max(y1, y + pad);
    }
};

// Union of the add primitives minus the union of the cut primitives.
struct Shape {
    std::vector<Prim> add, cut;

    bool Contains(Pt p) const {
        auto hit = [p](const Prim& q) { return std::visit([p](const auto& v) { return ::Contains(v, p); }, q); };
        return std::any_of(add.begin(), add.end(), hit) && std::none_of(cut.begin(), cut.end(), hit);
    }
    Box Bounds() const {
        Box b;
        for (const Prim& q : add) {
            if (auto* s = std::get_if<Stroke>(&q))
                for (Pt p : s->pts) b.Add(p.x, p.y, s->r);
            else if (auto* e = std::get_if<Ellipse>(&q)) {
                b.Add(e->c.x - e->rx, e->c.y - e->ry);
                b.Add(e->c.x + e->rx, e->c.y + e->ry);
            } else
                for (Pt p : std::get<Polygon>(q).pts) b.Add(p.x, p.y);
        }
        return b;
    }
    Shape& operator+=(const Shape& o) {
        add.insert(add.end(), o.add.begin(), o.add.end());
        cut.insert(cut.end(), o.cut.begin(), o.cut.end());
        return *this;
    }
};

// Moves every point of a shape (ellipse centres only, so only for mirrors and half turns).
template <class F>
Shape MapPoints(Shape s, F f) {
    for (auto* list : {&s.add, &s.cut})
        for (Prim& q : *list) {
            if (auto* st = std::get_if<Stroke>(&q))
                for (Pt& p : st->pts) p = f(p);
            else if (auto* e = std::get_if<Ellipse>(&q))
                e->c = f(e->c);
            else
                for (Pt& p : std::get<Polygon>(q).pts) p = f(p);
        }
    return s;
}

// Points of an elliptical arc; angles in degrees, counter-clockwise on screen (y grows down).
std::vector<Pt> Arc(double cx, double cy, double rx, double ry, double from, double to) {
    const int n = std::max(8, int(std::abs(to - from) / 4));
    std::vector<Pt> pts;
    for (int i = 0; i <= n; ++i) {
        const double a = (from + (to - from) * i / n) * kPi / 180;
        pts.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return pts;
}
std::vector<Pt> Cubic(Pt p0, Pt p1, Pt p2, Pt p3, int n = 24) {
    std::vector<Pt> pts;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n, u = 1 - t;
        pts.push_back({u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
                       u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
    }
    return pts;
}
std::vector<Pt> Join(std::initializer_list<std::vector<Pt>> parts) {
    std::vector<Pt> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Shape Line(std::vector<Pt> pts, double r, bool buttStart = true, bool buttEnd = true) {
    Shape s;
    s.add.push_back(Stroke{std::move(pts), r, buttStart, buttEnd});
    return s;
}
Shape Ring(double cx, double cy, double rx, double ry, double r) {
    Shape s;
    s.add.push_back(Ellipse{{cx, cy}, rx + r, ry + r});
    s.cut.push_back(Ellipse{{cx, cy}, rx - r, ry - r});
    return s;
}
Shape Disc(double cx, double cy, double rx, double ry) {
    Shape s;
    s.add.push_back(Ellipse{{cx, cy}, rx, ry});
    return s;
}

// Glyphs are drawn as strokes of half-width r in a box 100 wide, with the
// cap and digit height from y 0 to the baseline at 140, x-height from 40 and
// descenders down to 180. Every glyph is later fitted to its pixel box.

Shape Glyph(char c, double r) {
    switch (c) {
    case '0': return Ring(50, 70, 37, 57, r);
    case '1': return Line({{16, 44}, {56, 13}, {56, 128}}, r, true, false) += Line({{4, 127}, {96, 127}}, r);
    case '2':
        return Line(Join({Arc(50, 43, 36, 30, 162, 0), Cubic({86, 43}, {86, 74}, {52, 92}, {13, 127}), {{100, 127}}}), r);
    case '3':
        return Line(Join({Arc(50, 41, 35, 28, 158, -90), Arc(50, 98.5, 37, 28.5, 90, -158)}), r) +=
               Line({{33, 69.5}, {50, 69.5}}, r, true, false);
    case '4': return Line({{68, 140}, {68, 13}, {13, 95}, {100, 95}}, r);
    case '5': return Line(Join({{{92, 13}, {29, 13}}, Arc(50, 90, 38, 37, 131, -152)}), r);
    case '6':
        return Line(Arc(57, 77, 42, 64, 58, 182), r, true, false) += Ring(51, 89, 38, 38, r);
    case '7': return Line({{6, 13}, {88, 13}, {40, 140}}, r);
    case '8': return Ring(50, 41, 31, 28, r) += Ring(50, 98.5, 37, 28.5, r);
    case '9': return MapPoints(Glyph('6', r), [](Pt p) { return Pt{100 - p.x, 140 - p.y}; });
    case 'S': return Line(Join({Arc(50, 41, 36, 28, 28, 270), Arc(50, 98, 37, 29, 90, -158)}), r);
    case 'B':
        return Line({{13, 0}, {13, 140}}, r) +=
               Line(Join({{{13, 13}}, Arc(50, 41, 31, 28, 90, -90), {{13, 69}}}), r, false, false) +=
               Line(Join({{{13, 69}}, Arc(54, 98, 34, 29, 90, -90), {{13, 127}}}), r, false, false);
    case 'G': return Line(Join({Arc(54, 70, 40, 57, 42, 332), {{90, 80}, {58, 80}}}), r);
    case 'O': return Ring(58, 70, 45, 57, r);
    case 'C': return Line(Arc(54, 70, 40, 57, 45, 315), r);
    case 'V': return Line({{4, -6}, {50, 140}, {96, -6}}, r);
    case 'l': return Line({{50, 0}, {50, 140}}, r);
    case 'i': return Line({{50, 46}, {50, 140}}, r) += Disc(50, 14, r * 1.1, r * 1.1);
    case 'e': return Line({{13, 91}, {87, 91}}, r * 0.8) += Line(Arc(50, 91, 37, 38, 0, 322), r, false, true);
    case 'a': return Ring(46, 90, 33, 37, r) += Line({{79, 40}, {79, 140}}, r);
    case 'r': return Line({{20, 40}, {20, 140}}, r) += Line(Cubic({20, 88}, {24, 60}, {46, 52}, {84, 53}), r);
    case 'n':
        return Line({{15, 40}, {15, 140}}, r) +=
               Line(Join({Cubic({15, 84}, {20, 60}, {36, 53}, {52, 53}), Cubic({52, 53}, {76, 53}, {85, 62}, {85, 86}),
                          {{85, 140}}}),
                    r);
    case 'u': return MapPoints(Glyph('n', r), [](Pt p) { return Pt{100 - p.x, 180 - p.y}; });
    case 'q': return Ring(47, 90, 34, 37, r) += Line({{81, 56}, {81, 180}}, r);
    case '?':
        return Line(Join({Arc(50, 38, 34, 27, 158, -70), {{52, 76}, {50, 92}}}), r) += Disc(50, 124, r * 1.15, r * 1.15);
    }
    return {};
}

// x' = a x + b y + c, y' = d y + e: scale, italic shear and move.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0;
    Pt Apply(Pt p) const { return {a * p.x + b * p.y + c, d * p.y + e}; }
    Pt Invert(Pt q) const {
        const double y = (q.y - e) / d;
        return {(q.x - c - b * y) / a, y};
    }
};

struct Coverage {
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<float> v;
    float At(int x, int y) const {
        x -= x0;
        y -= y0;
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.f : v[size_t(y) * w + x];
    }
};

constexpr int kSuper = 8;

Coverage Rasterise(const Shape& s, const Affine& m) {
    const Box b = s.Bounds();
    Box px;
    for (Pt p : {Pt{b.x0, b.y0}, Pt{b.x1, b.y0}, Pt{b.x0, b.y1}, Pt{b.x1, b.y1}}) {
        const Pt q = m.Apply(p);
        px.Add(q.x, q.y);
    }
    Coverage cov;
    cov.x0 = int(std::floor(px.x0)) - 1;
    cov.y0 = int(std::floor(px.y0)) - 1;
    cov.w = int(std::ceil(px.x1)) + 1 - cov.x0;
    cov.h = int(std::ceil(px.y1)) + 1 - cov.y0;
    cov.v.assign(size_t(cov.w) * cov.h, 0.f);
    for (int y = 0; y < cov.h; ++y)
        for (int x = 0; x < cov.w; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSuper; ++sy)
                for (int sx = 0; sx < kSuper; ++sx) {
                    const Pt q{cov.x0 + x + (sx + 0.5) / kSuper, cov.y0 + y + (sy + 0.5) / kSuper};
                    hits += s.Contains(m.Invert(q));
                }
            cov.v[size_t(y) * cov.w + x] = float(hits) / (kSuper * kSuper);
        }
    return cov;
}

// The exact extent of a shape's ink in its own coordinates, found by sampling.
Box InkBox(const Shape& s) {
    const Box b = s.Bounds();
    Box ink;
    const double step = 0.25;
    for (double y = b.y0; y <= b.y1; y += step)
        for (double x = b.x0; x <= b.x1; x += step)
            if (s.Contains({x, y})) ink.Add(x, y);
    return ink;
}

// Maps the ink box onto the pixel edges x0..x1, y0..y1 (x1, y1 exclusive).
Affine FitBox(const Box& ink, double x0, double y0, double x1, double y1) {
    Affine m;
    m.a = (x1 - x0) / (ink.x1 - ink.x0);
    m.d = (y1 - y0) / (ink.y1 - ink.y0);
    m.c = x0 - m.a * ink.x0;
    m.e = y0 - m.d * ink.y0;
    return m;
}

// Glyph c fitted to the pixel rectangle left..right, top..bottom (inclusive).
Coverage GlyphIn(char c, double r, int left, int top, int right, int bottom) {
    const Shape s = Glyph(c, r);
    return Rasterise(s, FitBox(InkBox(s), left, top, right + 1, bottom + 1));
}

Indexed NewIndexed(int w, int h, uint8_t fill) {
    Indexed p;
    p.width = w;
    p.height = h;
    p.bpp = 4;
    p.palette = velquin::img::StandardPalette();
    p.index.assign(size_t(w) * h, fill);
    return p;
}

enum Std : uint8_t {
    kBlack = 0, kDarkGreen = 2, kGrey = 8, kRed = 9, kGreen = 10, kYellow = 11, kBlue = 12, kCyan = 14, kWhite = 15,
    kTeal = 6, kMagenta = 13
};

// Ink where coverage reaches one half; optionally a softer colour on the thin edge below that.
void Stamp(Indexed& p, const Coverage& c, uint8_t ink, int edge = -1) {
    for (int y = std::max(0, c.y0); y < std::min(p.height, c.y0 + c.h); ++y)
        for (int x = std::max(0, c.x0); x < std::min(p.width, c.x0 + c.w); ++x) {
            const float v = c.At(x, y);
            if (v >= 0.5f) p.index[size_t(y) * p.width + x] = ink;
            else if (edge >= 0 && v >= 0.25f) p.index[size_t(y) * p.width + x] = uint8_t(edge);
        }
}

// An RGB picture that is turned into an 8-bit palette picture at the end.
struct Canvas {
    int w, h;
    std::vector<Rgb> px;
    Canvas(int w_, int h_, Rgb fill) : w(w_), h(h_), px(size_t(w_) * h_, fill) {}
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * w + x] = c;
    }
    Rgb Get(int x, int y) const { return px[size_t(y) * w + x]; }
    void Fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) Set(x, y, c);
    }
    // Blends in 1/16 steps so that the picture keeps well within 256 colours.
    void Blend(const Coverage& c, Rgb ink) {
        for (int y = std::max(0, c.y0); y < std::min(h, c.y0 + c.h); ++y)
            for (int x = std::max(0, c.x0); x < std::min(w, c.x0 + c.w); ++x) {
                const int a = int(std::lround(c.At(x, y) * 16));
                if (a == 0) continue;
                const Rgb o = Get(x, y);
                auto mix = [a](int fg, int bg) { return uint8_t((fg * a + bg * (16 - a) + 8) / 16); };
                Set(x, y, {mix(ink.r, o.r), mix(ink.g, o.g), mix(ink.b, o.b)});
            }
    }
    Indexed ToIndexed() const {
        Indexed p;
        p.width = w;
        p.height = h;
        p.bpp = 8;
        std::map<uint32_t, uint8_t> seen;
        p.index.resize(px.size());
        for (size_t i = 0; i < px.size(); ++i) {
            const uint32_t key = uint32_t(px[i].r) << 16 | uint32_t(px[i].g) << 8 | px[i].b;
            auto it = seen.find(key);
            if (it == seen.end()) {
                if (p.palette.size() == 256) throw std::runtime_error("board needs more than 256 colours");
                it = seen.emplace(key, uint8_t(p.palette.size())).first;
                p.palette.push_back(px[i]);
            }
            p.index[i] = it->second;
        }
        return p;
    }
};

constexpr Rgb kRose{191, 63, 95}, kNavy{0, 0, 128}, kBoxGreen{63, 191, 127}, kField{223, 255, 159},
    kTitleYellow{255, 255, 0}, kTitleRim{255, 255, 63}, kTitleRed{255, 0, 0}, kTitleShadow{160, 0, 0},
    kHeaderCyan{0, 255, 255}, kWhiteRgb{255, 255, 255}, kSeam{220, 16, 32}, kBallShade{214, 218, 232};

// Tops of the circled row numbers: close to, not exactly on, the 36-pixel grid.
constexpr int kRowNumberTop[10] = {44, 81, 115, 152, 187, 223, 259, 296, 332, 367};

void DrawTitle(Canvas& cv) {
    cv.Fill(16, 16, 181, 88, kTitleRim);
    cv.Fill(20, 20, 181, 84, kTitleYellow);
    const std::string title = "Velquin";
    const double scale = 0.205, slant = 0.24, r = 14, gap = 3.4, step = 5.5;
    // Lay the letters out first to centre the staircase in the panel.
    std::vector<Shape> shapes;
    std::vector<Box> inks;
    double width = 0;
    for (char ch : title) {
        shapes.push_back(Glyph(ch, r));
        inks.push_back(InkBox(shapes.back()));
        width += (inks.back().x1 - inks.back().x0) * scale + gap;
    }
    width -= gap;
    double x = 20 + (162 - width) / 2 - 4;
    const double firstBaseline = 50;
    for (size_t i = 0; i < title.size(); ++i) {
        const double baseline = firstBaseline + step * double(i);
        Affine m;
        m.a = scale;
        m.d = scale;
        m.b = -slant * scale;
        m.e = baseline - 140 * scale;
        m.c = x - scale * inks[i].x0 + slant * scale * 140;  // shear about the baseline
        Affine shadow = m;
        shadow.c += 1.6;
        shadow.e += 1.6;
        cv.Blend(Rasterise(shapes[i], shadow), kTitleShadow);
        cv.Blend(Rasterise(shapes[i], m), kTitleRed);
        x += (inks[i].x1 - inks[i].x0) * scale + gap;
    }
}

void DrawBall(Canvas& cv, int left, int top) {
    const double cx = left + 17, cy = top + 17, R = 17;
    const Coverage ball = Rasterise(Disc(cx, cy, R - 1.4, R - 1.4), {});
    cv.Blend(Rasterise(Disc(cx, cy, R, R), {}), kWhiteRgb);
    // A soft shade on the lower right gives the ball some roundness.
    Shape shade = Disc(cx, cy, R - 0.6, R - 0.6);
    shade.cut.push_back(Ellipse{{cx - 2.2, cy - 2.4}, R, R});
    cv.Blend(Rasterise(shade, {}), kBallShade);
    for (int side : {-1, 1}) {
        // Each seam is part of a circle centred outside the ball, bowing towards the middle.
        const double sc = cx + side * 24, sr = 17.5;
        Shape seam;
        std::vector<Pt> pts;
        for (double a = -70; a <= 70; a += 2) {
            const double t = a * kPi / 180;
            const Pt p{sc - side * sr * std::cos(t), cy + sr * std::sin(t)};
            if (std::hypot(p.x - cx, p.y - cy) < R - 1) pts.push_back(p);
        }
        seam += Line(pts, 0.62, false, false);
        // Stitches: short chevrons on both sides of the seam, like the laces of a real ball.
        for (double a = -45; a <= 46; a += 18) {
            const double t = a * kPi / 180;
            const Pt p{sc - side * sr * std::cos(t), cy + sr * std::sin(t)};
            const double nx = -side * std::cos(t), ny = std::sin(t);  // across the seam
            const double tx = -ny * side, ty = nx * side;              // along it, pointing up
            for (int k : {-1, 1}) seam += Line({p, {p.x + nx * 2.1 * k + tx * 1.2, p.y + ny * 2.1 * k - std::abs(ty) * 1.2}}, 0.55, false, false);
        }
        Coverage c = Rasterise(seam, {});
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) c.v[size_t(y) * c.w + x] = std::min(c.v[size_t(y) * c.w + x], ball.At(c.x0 + x, c.y0 + y));
        cv.Blend(c, kSeam);
    }
}

void DrawRowNumber(Canvas& cv, int n) {
    const int top = kRowNumberTop[n];
    const double cx = 207 + 14.5, cy = top + 14.5;
    cv.Blend(Rasterise(Ring(cx, cy, 13.35, 13.35, 1.15), {}), kWhiteRgb);
    const double r = 15;
    if (n < 9) {
        const Shape s = Glyph(char('1' + n), r);
        cv.Blend(Rasterise(s, FitBox(InkBox(s), cx - 4.5, cy - 7.5, cx + 4.5, cy + 7.5)), kWhiteRgb);
    } else {
        const Shape one = Glyph('1', r), zero = Glyph('0', r);
        cv.Blend(Rasterise(one, FitBox(InkBox(one), cx - 8, cy - 7, cx - 1.4, cy + 7)), kWhiteRgb);
        cv.Blend(Rasterise(zero, FitBox(InkBox(zero), cx + 0.2, cy - 7, cx + 7.6, cy + 7)), kWhiteRgb);
    }
}

Canvas DrawBoard() {
    Canvas cv(473, 410, kRose);
    cv.Fill(198, 0, 472, 409, kNavy);
    DrawTitle(cv);
    // Entry boxes: the three pixels nearest each corner stay rose.
    for (auto [x0, x1] : {std::pair{32, 63}, {67, 98}, {102, 133}, {137, 167}}) {
        cv.Fill(x0, 96, x1, 143, kBoxGreen);
        for (int sx : {0, 1})
            for (int sy : {0, 1}) {
                const int cx = sx ? x1 : x0, cy = sy ? 143 : 96, dx = sx ? -1 : 1, dy = sy ? -1 : 1;
                cv.Set(cx, cy, kRose);
                cv.Set(cx + dx, cy, kRose);
                cv.Set(cx, cy + dy, kRose);
            }
    }
    cv.Blend(GlyphIn('S', 15, 386, 13, 403, 32), kHeaderCyan);
    cv.Blend(GlyphIn('B', 15, 429, 13, 445, 32), kHeaderCyan);
    for (int n = 0; n < 10; ++n) {
        cv.Fill(244, 42 + 36 * n, 352, 72 + 36 * n, kField);
        DrawBall(cv, 377, 41 + 36 * n);
        DrawBall(cv, 422, 41 + 36 * n);
        DrawRowNumber(cv, n);
    }
    return cv;
}

// The key glyph box: centred on the 55-pixel button that shows the face's middle.
constexpr int kKeyLeft = 24, kKeyTop = 15, kKeyRight = 50, kKeyBottom = 51;

Indexed KeyFace(int digit, bool used) {
    Indexed p = NewIndexed(76, 65, used ? kGreen : kDarkGreen);
    Stamp(p, GlyphIn(char('0' + digit), 13.5, kKeyLeft, kKeyTop, kKeyRight, kKeyBottom), kBlack,
          used ? kDarkGreen : -1);
    return p;
}

// Lays a word out with one scale, letters gap pixels apart, centred between the
// pixel edges left and right (narrowed if it would not fit), cap top at top.
std::vector<Coverage> Word(const std::string& word, double capHeight, double r, double left, double right, double top,
                           double gap) {
    const double scale = capHeight / 140;
    std::vector<Shape> shapes;
    std::vector<Box> inks;
    double total = -gap;
    for (char ch : word) {
        shapes.push_back(Glyph(ch, r));
        inks.push_back(InkBox(shapes.back()));
        total += (inks.back().x1 - inks.back().x0) * scale + gap;
    }
    const double squeeze = std::min(1.0, (right - left) / total);
    double x = left + (right - left - total * squeeze) / 2;
    std::vector<Coverage> out;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const double w = (inks[i].x1 - inks[i].x0) * scale * squeeze;
        const Box fit{inks[i].x0, 0, inks[i].x1, 140};
        out.push_back(Rasterise(shapes[i], FitBox(fit, x, top, x + w, top + capHeight)));
        x += w + gap * squeeze;
    }
    return out;
}

Indexed WordFace(int w, int h, const std::vector<Coverage>& letters, uint8_t ink, int edge) {
    Indexed p = NewIndexed(w, h, kBlue);
    for (const Coverage& c : letters) Stamp(p, c, ink, edge);
    return p;
}

std::vector<Coverage> GoLetters() {
    // "G O": G on x 21..41, O on x 56..76, cap height y 16..38.
    const Shape g = Glyph('G', 19), o = Glyph('O', 19);
    Box gi = InkBox(g), oi = InkBox(o);
    return {Rasterise(g, FitBox(gi, 21, 16, 42, 39)), Rasterise(o, FitBox(oi, 56, 16, 77, 39))};
}

std::vector<Coverage> ClearLetters() { return Word("Clear", 22, 12.5, 11, 83, 13, 3.4); }

Indexed Tile(int digit) {
    Indexed p = NewIndexed(41, 48, kBlack);
    for (int y = 2; y <= 45; ++y)
        for (int x = 2; x <= 38; ++x) {
            // Highlight on the top and left, shadow on the right and bottom; in the
            // two mixed corners the diagonal through the outer corner splits them.
            const bool top = y <= 3, left = x <= 3, right = x >= 37, bottom = y >= 44;
            uint8_t c = kGreen;
            if (top || left) c = kWhite;
            if (right || bottom) c = kDarkGreen;
            if (top && right) c = (x - 37) + (y - 2) <= 1 ? kWhite : kDarkGreen;
            if (left && bottom) c = (x - 2) + (y - 44) <= 1 ? kWhite : kDarkGreen;
            if (x >= 4 && x <= 36 && y >= 4 && y <= 43) c = kGreen;
            p.index[size_t(y) * 41 + x] = c;
        }
    Stamp(p, GlyphIn(char('0' + digit), 12.5, 10, 8, 30, 40), kBlack, kDarkGreen);
    return p;
}

// The hand: index finger raised with its tip at the hot spot (10, 0), three
// fingers curled over the palm and the thumb along the left side.
Indexed Hand(Rgb skin, bool question) {
    Indexed p;
    p.width = p.height = 32;
    p.bpp = 4;
    p.hotX = 10;
    p.hotY = 0;
    constexpr uint8_t kOutline = 0, kSkin = 1, kNail = 2, kMark = 3;
    p.palette = {{0, 0, 0},       skin,           {255, 200, 200}, {255, 0, 0},
                 {255, 255, 255}, {128, 0, 0},    {0, 128, 0},     {128, 128, 0},
                 {0, 0, 128},     {128, 0, 128},  {0, 128, 128},   {192, 192, 192},
                 {128, 128, 128}, {0, 255, 0},    {0, 0, 255},     {255, 0, 255}};
    p.index.assign(32 * 32, 0);
    p.mask.assign(32 * 32, 1);

    Shape hand = Line({{10.5, 3.6}, {10.5, 18}}, 3.45, false, false);                   // index finger
    hand += Line({{16.1, 14.2}, {16.1, 19}}, 2.75, false, false);                       // middle
    hand += Line({{21.3, 15.0}, {21.3, 19}}, 2.65, false, false);                       // ring
    hand += Line({{26.0, 16.6}, {26.0, 20}}, 2.4, false, false);                        // little
    hand += Line({{4.6, 17.4}, {8.6, 23.5}}, 2.55, false, false);                       // thumb
    Shape palm;
    palm.add.push_back(Polygon{{{7.2, 18}, {28.4, 18}, {28.4, 23}, {25.5, 29}, {24.5, 31.6}, {11.5, 31.6},
                                {10.5, 29}, {7.6, 25}}});
    hand += palm;
    const Coverage cov = Rasterise(hand, {});
    std::vector<bool> border(32 * 32, false);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < 32 && y < 32 && cov.At(x, y) >= 0.5f; };
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!in(x, y)) continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1) || y == 31;
            p.index[size_t(y) * 32 + x] = edge ? kOutline : kSkin;
            border[size_t(y) * 32 + x] = edge;
            p.mask[size_t(y) * 32 + x] = 0;
        }
    // Creases between the curled fingers and under the raised one.
    auto set = [&](int x, int y, uint8_t c) { p.index[size_t(y) * 32 + x] = c; };
    for (int y = 13; y <= 18; ++y) set(13, y, kOutline);
    for (int y = 14; y <= 17; ++y) set(18, y, kOutline);
    for (int y = 16; y <= 18; ++y) set(23, y, kOutline);
    set(9, 23, kOutline);
    set(10, 22, kOutline);
    set(11, 21, kOutline);
    // Fingernail on the raised finger.
    for (int y = 2; y <= 4; ++y)
        for (int x = 9; x <= 11; ++x) set(x, y, kNail);
    set(9, 2, kSkin);
    set(11, 2, kSkin);
    if (question) {
        const Coverage q = GlyphIn('?', 13, 15, 14, 23, 29);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (q.At(x, y) >= 0.5f && !p.mask[size_t(y) * 32 + x] && !border[size_t(y) * 32 + x]) set(x, y, kMark);
    }
    return p;
}

Indexed Icon() {
    Indexed p = NewIndexed(32, 32, kTeal);
    p.mask.assign(32 * 32, 0);
    static const char* const kLetters[3][8] = {
        {".####.", "##..##", "##....", ".####.", "....##", "....##", "##..##", ".####."},
        {"#####.", "##..##", "##..##", "#####.", "##..##", "##..##", "##..##", "#####."},
        {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."}};
    const uint8_t letterColour[3] = {kRed, kYellow, kGreen};
    const uint8_t lampColour[3] = {kCyan, kMagenta, kBlue};
    const int lamps[3] = {2, 3, 2};
    for (int row = 0; row < 3; ++row) {
        const int top = 2 + row * 10;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 6; ++x)
                if (kLetters[row][y][x] == '#') p.index[size_t(top + y) * 32 + 2 + x] = letterColour[row];
        for (int k = 0; k < lamps[row]; ++k) {
            const double cx = 12.5 + 7 * k, cy = top + 3.5;
            Stamp(p, Rasterise(Disc(cx, cy, 2.6, 2.6), {}), lampColour[row]);  // 3-5-5-5-3: round
            p.index[size_t(cy - 1.5) * 32 + int(cx) - 1] = kWhite;  // glint
        }
    }
    // The notch beside the B lets the desktop show through.
    for (int y = 15; y <= 18; ++y) {
        p.index[size_t(y) * 32 + 1] = kBlack;
        p.mask[size_t(y) * 32 + 1] = 1;
    }
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    bool ok = true;
    auto bmp = [&](const std::string& name, const Indexed& p) {
        ok &= velquin::img::WriteFileBytes(dir + name, velquin::img::EncodeBmp(p));
    };
    bmp("board.bmp", DrawBoard().ToIndexed());
    for (int d = 1; d <= 9; ++d) {
        bmp("key_used_" + std::to_string(d) + ".bmp", KeyFace(d, true));
        bmp("key_normal_" + std::to_string(d) + ".bmp", KeyFace(d, false));
        bmp("tile_" + std::to_string(d) + ".bmp", Tile(d));
    }
    const auto go = GoLetters(), clear = ClearLetters();
    bmp("go_ready.bmp", WordFace(100, 55, go, kYellow, kGrey));
    bmp("go_idle.bmp", WordFace(100, 55, go, kBlack, -1));
    bmp("clear_active.bmp", WordFace(95, 50, clear, kYellow, -1));
    bmp("clear_idle.bmp", WordFace(95, 50, clear, kBlack, -1));
    ok &= velquin::img::WriteFileBytes(dir + "hand.cur",
                                       velquin::img::EncodeIconFile(Hand({254, 255, 177}, false), true));
    ok &= velquin::img::WriteFileBytes(dir + "hand_help.cur",
                                       velquin::img::EncodeIconFile(Hand({255, 255, 176}, true), true));
    ok &= velquin::img::WriteFileBytes(dir + "velquin.ico", velquin::img::EncodeIconFile(Icon(), false));
    if (!ok) {
        std::fprintf(stderr, "artgen: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
