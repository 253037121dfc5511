#pragma once
// Where everything stands on the main window's board, in client pixels: what the
// board drawing paints, what the hints cover, what a screen reader locates and
// what the keypad's buttons cover. The numbers only: no window code.
#include <cstdint>

// Right and bottom are outside the rectangle.
struct BoardRect {
    int left, top, right, bottom;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr int CentreX() const { return left + Width() / 2; }
    constexpr int CentreY() const { return top + Height() / 2; }
};

// A colour as COLORREF holds it, 0x00BBGGRR.
constexpr uint32_t BoardColour(uint32_t red, uint32_t green, uint32_t blue)
{
    return red | green << 8 | blue << 16;
}

// A font the board draws its digits in: Arial, by these numbers.
struct BoardFont {
    int height, width, weight;
};

// The board picture (IDB_BOARD), drawn at the client area's origin.
inline constexpr BoardRect BoardPicture{0, 0, 473, 410};

// The entry: four green boxes; digit n (1..4) of a guess is drawn at
// (EntryDigitX(n), EntryDigitY), and an erase fills the green inside of each box.
inline constexpr BoardRect EntryRect{32, 96, 168, 144};
inline constexpr int EntryDigitX(int n) { return 35 * n + 1; }
inline constexpr int EntryDigitY = 97;
inline constexpr BoardRect EntryBoxInside(int n) { return {33 + 35 * (n - 1), 97, 62 + 35 * (n - 1), 142}; }
inline constexpr BoardFont EntryFont{50, 20, 900};
inline constexpr uint32_t EntryGreen = BoardColour(63, 191, 127);
inline constexpr uint32_t EntryTextColour = BoardColour(0, 40, 0);

// The history: row n (0..9) holds the line of the n-th judged guess, drawn from
// (HistoryX, HistoryY(n)). On the picture the row is a text field with the S and B
// balls beside it (RowRect, where a reader finds it); the line's last count
// reaches a little past the B ball (RowTextRect, all that the line paints).
inline constexpr int HistoryRows = 10;
inline constexpr int HistoryX = 250;
inline constexpr int HistoryY(int n) { return 42 + 36 * n; }
inline constexpr BoardRect RowRect(int n) { return {244, 41 + 36 * n, 456, 75 + 36 * n}; }
inline constexpr BoardRect RowTextRect(int n) { return {244, 42 + 36 * n, 466, 76 + 36 * n}; }
inline constexpr BoardFont HistoryFont{35, 0, 600};
inline constexpr uint32_t HistoryTextColour = BoardColour(0, 0, 128);

// The S and B columns, over which the hints show.
inline constexpr BoardRect StrikeColumn{375, 10, 411, 401};
inline constexpr BoardRect BallColumn{420, 10, 456, 401};

// The keypad: digit index 0..8 in rows of three, then GO and Clear.
inline constexpr int DigitKeySize = 55;
inline constexpr BoardRect DigitKeyRect(int index)
{
    const int x = 10 + 60 * (index % 3), y = 155 + 60 * (index / 3);
    return {x, y, x + DigitKeySize, y + DigitKeySize};
}
inline constexpr BoardRect GoKeyRect{100, 345, 195, 395};
inline constexpr BoardRect ClearKeyRect{4, 345, 99, 395};

static_assert(DigitKeyRect(4).left == 70 && DigitKeyRect(4).top == 215, "digit 5 stands at (70, 215)");
static_assert(DigitKeyRect(6).left == 10 && DigitKeyRect(6).top == 275, "digit 7 stands at (10, 275)");
static_assert(RowRect(9).bottom <= BoardPicture.bottom && RowTextRect(9).right <= BoardPicture.right,
              "the last row lies on the picture");
