// Checks the committed pictures against the facts that the code relies on:
// sizes and formats, where the board's elements are and in which colours,
// glyph boxes of the faces, the tile frame, the cursors' hot spots and the
// icon's transparent notch.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "../../tools/bmpio.h"

namespace {

using velquin::img::Indexed;
using velquin::img::Rgb;

std::string ArtPath(const std::string& name) { return std::string(VELQUIN_SOURCE_DIR) + "/res/art/" + name; }

Indexed LoadBmp(const std::string& name) {
    const auto bytes = velquin::img::ReadFileBytes(ArtPath(name));
    auto pic = velquin::img::DecodeBmp(bytes);
    if (!pic) {
        ADD_FAILURE() << name << " is not a bottom-up BI_RGB palette bitmap";
        return {};
    }
    return *pic;
}

Indexed LoadIcon(const std::string& name, bool wantCursor) {
    bool isCursor = false;
    auto pic = velquin::img::DecodeIconFile(velquin::img::ReadFileBytes(ArtPath(name)), isCursor);
    if (!pic || isCursor != wantCursor) {
        ADD_FAILURE() << name << " is not a one-image " << (wantCursor ? "cursor" : "icon");
        return {};
    }
    return *pic;
}

struct Rect {
    int x0, y0, x1, y1;  // inclusive
    bool Has(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
std::ostream& operator<<(std::ostream& o, const Rect& r) {
    return o << "x " << r.x0 << ".." << r.x1 << ", y " << r.y0 << ".." << r.y1;
}
bool operator==(const Rect& a, const Rect& b) { return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1; }

// Bounding box of the pixels in area for which pred holds; x0 > x1 when there are none.
Rect BoxOf(const Indexed& p, Rect area, const std::function<bool(Rgb)>& pred) {
    Rect b{area.x1 + 1, area.y1 + 1, area.x0 - 1, area.y0 - 1};
    for (int y = area.y0; y <= area.y1; ++y)
        for (int x = area.x0; x <= area.x1; ++x)
            if (pred(p.ColourAt(x, y))) b = {std::min(b.x0, x), std::min(b.y0, y), std::max(b.x1, x), std::max(b.y1, y)};
    return b;
}

std::set<std::pair<int, int>> PixelsOf(const Indexed& p, Rgb c) {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.ColourAt(x, y) == c) s.insert({x, y});
    return s;
}

bool Touches(const Indexed& p, int x, int y, Rgb c) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < p.width && ny < p.height && p.ColourAt(nx, ny) == c) return true;
        }
    return false;
}

constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGreen{0, 255, 0}, kDarkGreen{0, 128, 0}, kBlue{0, 0, 255},
    kYellow{255, 255, 0}, kGrey{128, 128, 128}, kRed{255, 0, 0}, kRose{191, 63, 95}, kNavy{0, 0, 128},
    kBoxGreen{63, 191, 127}, kField{223, 255, 159}, kCyan{0, 255, 255}, kRim{255, 255, 63};

const Rect kEntryBoxes[4] = {{32, 96, 63, 143}, {67, 96, 98, 143}, {102, 96, 133, 143}, {137, 96, 167, 143}};
const Rect kTitle{16, 16, 181, 88};
const Rect kHeaderS{386, 13, 403, 32}, kHeaderB{429, 13, 445, 32};
const int kRingTop[10] = {44, 81, 115, 152, 187, 223, 259, 296, 332, 367};
Rect Field(int n) { return {244, 42 + 36 * n, 352, 72 + 36 * n}; }
Rect Ball(int n, bool strike) { return {strike ? 377 : 422, 41 + 36 * n, strike ? 410 : 455, 74 + 36 * n}; }
Rect Ring(int n) { return {207, kRingTop[n], 235, kRingTop[n] + 28}; }

class Board : public ::testing::Test {
protected:
    static void SetUpTestSuite() { board = new Indexed(LoadBmp("board.bmp")); }
    static void TearDownTestSuite() { delete board; }
    static Indexed* board;
};
Indexed* Board::board = nullptr;

TEST(ArtFormat, EveryBitmapHasItsSizeDepthAndPalette) {
    const Indexed b = LoadBmp("board.bmp");
    EXPECT_EQ(b.width, 473);
    EXPECT_EQ(b.height, 410);
    EXPECT_EQ(b.bpp, 8);
    EXPECT_LE(b.palette.size(), 256u);

    struct Face {
        std::string name;
        int w, h;
    };
    std::vector<Face> faces = {{"go_ready.bmp", 100, 55}, {"go_idle.bmp", 100, 55},
                               {"clear_active.bmp", 95, 50}, {"clear_idle.bmp", 95, 50}};
    for (int d = 1; d <= 9; ++d) {
        faces.push_back({"key_used_" + std::to_string(d) + ".bmp", 76, 65});
        faces.push_back({"key_normal_" + std::to_string(d) + ".bmp", 76, 65});
        faces.push_back({"tile_" + std::to_string(d) + ".bmp", 41, 48});
    }
    for (const Face& f : faces) {
        SCOPED_TRACE(f.name);
        const Indexed p = LoadBmp(f.name);
        EXPECT_EQ(p.width, f.w);
        EXPECT_EQ(p.height, f.h);
        EXPECT_EQ(p.bpp, 4);
        EXPECT_EQ(p.palette, velquin::img::StandardPalette());
        // Raw header: pixels right after a 16-entry colour table, uncompressed.
        const auto raw = velquin::img::ReadFileBytes(ArtPath(f.name));
        EXPECT_EQ(raw[10] | raw[11] << 8, 14 + 40 + 64);
        EXPECT_EQ(raw[30], 0);
        EXPECT_EQ(raw.size(), 14 + 40 + 64 + size_t((f.w * 4 + 31) / 32 * 4) * f.h);
    }
}

TEST_F(Board, PanelsArePlainOutsideTheirElements) {
    for (int y = 0; y < 410; ++y)
        for (int x = 0; x < 473; ++x) {
            bool element = kTitle.Has(x, y) || kHeaderS.Has(x, y) || kHeaderB.Has(x, y);
            for (const Rect& r : kEntryBoxes) element |= r.Has(x, y);
            for (int n = 0; n < 10; ++n)
                element |= Field(n).Has(x, y) || Ball(n, true).Has(x, y) || Ball(n, false).Has(x, y) || Ring(n).Has(x, y);
            if (element) continue;
            const Rgb want = x <= 197 ? kRose : kNavy;
            ASSERT_EQ(board->ColourAt(x, y), want) << "stray pixel at (" << x << ", " << y << ")";
        }
}

TEST_F(Board, EntryBoxesAreGreenWithTwoPixelRoundedCorners) {
    for (const Rect& r : kEntryBoxes)
        for (int y = r.y0; y <= r.y1; ++y)
            for (int x = r.x0; x <= r.x1; ++x) {
                const int dx = std::min(x - r.x0, r.x1 - x), dy = std::min(y - r.y0, r.y1 - y);
                const bool corner = dx + dy < 2;
                EXPECT_EQ(board->ColourAt(x, y), corner ? kRose : kBoxGreen) << "(" << x << ", " << y << ")";
            }
    // The erase fills: 29 x 45 at x = 33 + 35 j, y = 97 must cover only green.
    for (int x0 = 33; x0 < 173; x0 += 35)
        for (int y = 97; y < 97 + 45; ++y)
            for (int x = x0; x < x0 + 29; ++x) ASSERT_EQ(board->ColourAt(x, y), kBoxGreen) << "(" << x << ", " << y << ")";
}

TEST_F(Board, HistoryFieldsAreFlatWithSquareCorners) {
    for (int n = 0; n < 10; ++n) {
        const Rect f = Field(n);
        EXPECT_EQ(BoxOf(*board, {240, f.y0 - 3, 356, f.y1 + 3}, [](Rgb c) { return c == kField; }), f) << "row " << n;
        EXPECT_EQ(BoxOf(*board, f, [](Rgb c) { return c != kField; }).x0, f.x1 + 1) << "row " << n;
    }
}

TEST_F(Board, BallsFillTheirSquaresWithTwoRedSeams) {
    for (int n = 0; n < 10; ++n)
        for (bool strike : {true, false}) {
            const Rect b = Ball(n, strike);
            SCOPED_TRACE(::testing::Message() << "row " << n << (strike ? " S" : " B"));
            const Rect around{b.x0 - 2, b.y0 - 2, b.x1 + 2, b.y1 + 2};
            EXPECT_EQ(BoxOf(*board, around, [](Rgb c) { return !(c == kNavy); }), b);
            EXPECT_EQ(board->ColourAt(b.x0 + 17, b.y0 + 17), kWhite);
            auto reddish = [](Rgb c) { return c.r > 150 && c.g < 100 && c.b < 100; };
            const int mid = b.x0 + 17;
            const Rect left = BoxOf(*board, {b.x0, b.y0, mid - 1, b.y1}, reddish);
            const Rect right = BoxOf(*board, {mid, b.y0, b.x1, b.y1}, reddish);
            // Each seam curves down its half, most of the ball's height.
            EXPECT_GE(left.y1 - left.y0, 20);
            EXPECT_GE(right.y1 - right.y0, 20);
            EXPECT_LT(left.x1, mid - 3);
            EXPECT_GT(right.x0, mid + 3);
        }
}

TEST_F(Board, HeadersAndRowNumbersFillTheirBoxes) {
    auto notNavy = [](Rgb c) { return !(c == kNavy); };
    EXPECT_EQ(BoxOf(*board, {198, 0, 472, 40}, notNavy).y1, 32);
    EXPECT_EQ(BoxOf(*board, {360, 0, 415, 40}, notNavy), kHeaderS);
    EXPECT_EQ(BoxOf(*board, {416, 0, 472, 40}, notNavy), kHeaderB);
    for (const Rect& h : {kHeaderS, kHeaderB}) EXPECT_GT(BoxOf(*board, h, [](Rgb c) { return c == kCyan; }).x1, h.x0);

    for (int n = 0; n < 10; ++n) {
        SCOPED_TRACE(::testing::Message() << "row number " << n + 1);
        const Rect r = Ring(n);
        EXPECT_EQ(BoxOf(*board, {200, r.y0 - 2, 240, r.y1 + 2}, notNavy), r);
        const int ringCentre2 = r.y0 + r.y1, fieldCentre2 = Field(n).y0 + Field(n).y1;  // doubled
        EXPECT_GE(ringCentre2 - fieldCentre2, 0);
        EXPECT_LE(ringCentre2 - fieldCentre2, 4);
        EXPECT_EQ(board->ColourAt(221, r.y0), kWhite);  // top of the ring
        EXPECT_EQ(board->ColourAt(211, r.y0 + 14), kNavy);  // inside the ring, beside the numeral
        EXPECT_EQ(board->ColourAt(231, r.y0 + 14), kNavy);
        EXPECT_GT(BoxOf(*board, {213, r.y0 + 5, 229, r.y1 - 5}, [](Rgb c) { return c == kWhite; }).x1, 0);
    }
}

TEST_F(Board, TitlePanelHasAPalerRimAndRedLettersSteppingDown) {
    for (int y = kTitle.y0; y <= kTitle.y1; ++y)
        for (int x = kTitle.x0; x <= kTitle.x0 + 2; ++x) ASSERT_EQ(board->ColourAt(x, y), kRim) << x << "," << y;
    for (int x = kTitle.x0; x <= kTitle.x1; ++x)
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(board->ColourAt(x, kTitle.y0 + k), kRim) << x;
            ASSERT_EQ(board->ColourAt(x, kTitle.y1 - k), kRim) << x;
        }
    EXPECT_EQ(board->ColourAt(kTitle.x1, 50), kYellow);  // no rim on the right
    // Letters: red, inside the panel, and lower towards the right.
    const Rect red = BoxOf(*board, kTitle, [](Rgb c) { return c == kRed; });
    ASSERT_LT(red.x0, red.x1);
    const Rect leftPart = BoxOf(*board, {red.x0, kTitle.y0, red.x0 + 30, kTitle.y1}, [](Rgb c) { return c == kRed; });
    const Rect rightPart = BoxOf(*board, {red.x1 - 30, kTitle.y0, red.x1, kTitle.y1}, [](Rgb c) { return c == kRed; });
    EXPECT_GT(rightPart.y1 - leftPart.y1, 15);
    EXPECT_GT(rightPart.y0 - leftPart.y0, 15);
}

TEST(KeyFaces, GlyphsFitTheirBoxAndMatchBetweenFaces) {
    std::set<std::set<std::pair<int, int>>> shapes;
    for (int d = 1; d <= 9; ++d) {
        SCOPED_TRACE(::testing::Message() << "digit " << d);
        const Indexed normal = LoadBmp("key_normal_" + std::to_string(d) + ".bmp");
        const Indexed used = LoadBmp("key_used_" + std::to_string(d) + ".bmp");
        const auto glyph = PixelsOf(normal, kBlack);
        EXPECT_EQ(PixelsOf(used, kBlack), glyph);
        EXPECT_EQ(glyph.size() + PixelsOf(normal, kDarkGreen).size(), 76u * 65u);
        for (int y = 0; y < 65; ++y)
            for (int x = 0; x < 76; ++x) {
                const Rgb c = used.ColourAt(x, y);
                if (c == kDarkGreen) {
                    EXPECT_TRUE(Touches(used, x, y, kBlack)) << x << "," << y;
                } else {
                    EXPECT_TRUE(c == kGreen || c == kBlack) << x << "," << y;
                }
            }
        const Rect b = BoxOf(normal, {0, 0, 75, 64}, [](Rgb c) { return c == kBlack; });
        EXPECT_TRUE(Rect({22, 15, 51, 51}).Has(b.x0, b.y0) && Rect({22, 15, 51, 51}).Has(b.x1, b.y1)) << b;
        EXPECT_GE(b.x1 - b.x0 + 1, 23);
        EXPECT_LE(b.x1 - b.x0 + 1, 29);
        EXPECT_GE(b.y1 - b.y0 + 1, 35);
        EXPECT_LE(b.y1 - b.y0 + 1, 37);
        shapes.insert(glyph);
    }
    EXPECT_EQ(shapes.size(), 9u) << "two digits share a glyph";
}

TEST(ActionFaces, LettersAreSharedAndStayInTheirBox) {
    struct Pair {
        std::string idle, lit;
        Rect box;
        bool greyEdges;
    };
    for (const Pair& p : {Pair{"go_idle.bmp", "go_ready.bmp", {21, 16, 76, 38}, true},
                          Pair{"clear_idle.bmp", "clear_active.bmp", {10, 13, 83, 34}, false}}) {
        SCOPED_TRACE(p.lit);
        const Indexed idle = LoadBmp(p.idle), lit = LoadBmp(p.lit);
        const auto letters = PixelsOf(idle, kBlack);
        EXPECT_EQ(PixelsOf(lit, kYellow), letters);
        EXPECT_EQ(letters.size() + PixelsOf(idle, kBlue).size(), size_t(idle.width * idle.height));
        for (auto [x, y] : PixelsOf(lit, kGrey)) EXPECT_TRUE(p.greyEdges && Touches(lit, x, y, kYellow)) << x << "," << y;
        EXPECT_EQ(PixelsOf(lit, kYellow).size() + PixelsOf(lit, kGrey).size() + PixelsOf(lit, kBlue).size(),
                  size_t(lit.width * lit.height));
        const Rect b = BoxOf(idle, {0, 0, idle.width - 1, idle.height - 1}, [](Rgb c) { return c == kBlack; });
        EXPECT_TRUE(p.box.Has(b.x0, b.y0) && p.box.Has(b.x1, b.y1)) << b;
        EXPECT_GT(b.x1 - b.x0, (p.box.x1 - p.box.x0) * 3 / 4) << "letters much smaller than their box";
    }
    // "G O": a gap between the letters.
    const Indexed go = LoadBmp("go_idle.bmp");
    EXPECT_EQ(BoxOf(go, {45, 0, 52, 54}, [](Rgb c) { return c == kBlack; }).x1, 44);
}

TEST(Tiles, RaisedFrameIsTheSameOnAllNine) {
    const Indexed first = LoadBmp("tile_1.bmp");
    for (int d = 1; d <= 9; ++d) {
        SCOPED_TRACE(::testing::Message() << "tile " << d);
        const Indexed t = LoadBmp("tile_" + std::to_string(d) + ".bmp");
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 41; ++x) {
                const bool frame = x < 2 || y < 2 || x > 38 || y > 45;
                const bool face = x >= 4 && x <= 36 && y >= 4 && y <= 43;
                const Rgb c = t.ColourAt(x, y);
                Rgb want = c;
                if (frame) want = kBlack;
                else if (!face) want = first.ColourAt(x, y);
                else if (!Rect({6, 5, 34, 42}).Has(x, y)) want = kGreen;
                else if (!(c == kBlack || c == kDarkGreen)) want = kGreen;
                ASSERT_EQ(c, want) << x << "," << y;
            }
        EXPECT_GT(PixelsOf(t, kBlack).size(), 2u * 41 + 2 * 48 + 100) << "no digit on the face";
    }
    // Highlight top and left, shadow right and bottom, split diagonally in the two mixed corners.
    for (int i = 4; i <= 36; ++i)
        for (int k : {2, 3}) {
            EXPECT_EQ(first.ColourAt(i, k), kWhite);
            EXPECT_EQ(first.ColourAt(k, i), kWhite);
            EXPECT_EQ(first.ColourAt(i + 2, 44 + k - 2), kDarkGreen);
            EXPECT_EQ(first.ColourAt(37 + k - 2, i + 2), kDarkGreen);
        }
    EXPECT_EQ(first.ColourAt(37, 2), kWhite);
    EXPECT_EQ(first.ColourAt(38, 3), kDarkGreen);
    EXPECT_EQ(first.ColourAt(2, 44), kWhite);
    EXPECT_EQ(first.ColourAt(3, 45), kDarkGreen);
    EXPECT_EQ(first.ColourAt(2, 2), kWhite);
    EXPECT_EQ(first.ColourAt(38, 45), kDarkGreen);
}

TEST(Cursors, HandsPointFromTheirHotSpot) {
    struct C {
        std::string name;
        Rgb skin;
        bool question;
    };
    for (const C& c : {C{"hand.cur", {254, 255, 177}, false}, C{"hand_help.cur", {255, 255, 176}, true}}) {
        SCOPED_TRACE(c.name);
        const Indexed h = LoadIcon(c.name, true);
        ASSERT_EQ(h.width, 32);
        ASSERT_EQ(h.height, 32);
        EXPECT_EQ(h.bpp, 4);
        EXPECT_EQ(h.palette.size(), 16u);
        EXPECT_EQ(h.hotX, 10);
        EXPECT_EQ(h.hotY, 0);
        // The finger tip is the hot spot: opaque black outline there, nothing above or far beside it.
        EXPECT_FALSE(h.Transparent(10, 0));
        EXPECT_EQ(h.ColourAt(10, 0), kBlack);
        for (int x = 0; x < 32; ++x)
            EXPECT_TRUE(h.Transparent(x, 0) || std::abs(x - 10) <= 2) << x;
        int skin = 0, nail = 0, red = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                if (h.Transparent(x, y)) {
                    EXPECT_EQ(h.ColourAt(x, y), kBlack) << "transparent pixels must leave the screen alone";
                    continue;
                }
                skin += h.ColourAt(x, y) == c.skin;
                nail += h.ColourAt(x, y) == Rgb{255, 200, 200} && y < 8;
                red += h.ColourAt(x, y) == kRed && y > 10;
            }
        EXPECT_GT(skin, 150);
        EXPECT_GT(nail, 3);
        if (c.question) {
            EXPECT_GT(red, 20);
        } else {
            EXPECT_EQ(red, 0);
        }
    }
}

TEST(Icon, CountBoardWithItsNotch) {
    const Indexed icon = LoadIcon("velquin.ico", false);
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    EXPECT_EQ(icon.bpp, 4);
    EXPECT_EQ(icon.palette, velquin::img::StandardPalette());
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(icon.Transparent(x, y), x == 1 && y >= 15 && y <= 18) << x << "," << y;
    EXPECT_EQ(icon.ColourAt(0, 0), (Rgb{0, 128, 128}));
    // Letter colours top to bottom, and the number of lamps in each row (connected blobs).
    const Rgb letters[3] = {kRed, kYellow, kGreen}, lamps[3] = {kCyan, {255, 0, 255}, kBlue};
    const int lampCount[3] = {2, 3, 2};
    for (int row = 0; row < 3; ++row) {
        const Rect band{0, row * 32 / 3, 31, (row + 1) * 32 / 3 - 1};
        const Rect l = BoxOf(icon, band, [&](Rgb c) { return c == letters[row]; });
        EXPECT_LT(l.x1, 10) << "letter of row " << row << " is not at the left";
        std::set<std::pair<int, int>> seen;
        int blobs = 0;
        for (int y = band.y0; y <= band.y1; ++y)
            for (int x = 0; x < 32; ++x) {
                if (icon.ColourAt(x, y) != lamps[row] || seen.count({x, y})) continue;
                ++blobs;
                Rect box{x, y, x, y};
                std::vector<std::pair<int, int>> stack{{x, y}};
                while (!stack.empty()) {
                    auto [px, py] = stack.back();
                    stack.pop_back();
                    if (px < 0 || py < 0 || px > 31 || py > 31 || seen.count({px, py}) || icon.ColourAt(px, py) != lamps[row])
                        continue;
                    seen.insert({px, py});
                    box = {std::min(box.x0, px), std::min(box.y0, py), std::max(box.x1, px), std::max(box.y1, py)};
                    stack.insert(stack.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
                }
                // A round lamp: as wide as high, its box's corners showing the field.
                EXPECT_EQ(box.x1 - box.x0, box.y1 - box.y0) << "lamp at " << x << "," << y;
                EXPECT_GE(box.x1 - box.x0, 4) << "lamp at " << x << "," << y;
                for (auto [cx, cy] : {std::pair{box.x0, box.y0}, {box.x1, box.y0}, {box.x0, box.y1}, {box.x1, box.y1}})
                    EXPECT_EQ(icon.ColourAt(cx, cy), (Rgb{0, 128, 128})) << "square lamp at " << x << "," << y;
            }
        EXPECT_EQ(blobs, lampCount[row]) << "lamps in row " << row;
    }
}

}  // namespace
