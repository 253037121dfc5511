#pragma once
// The board as the game draws it, rendered here from the game's own resources,
// and a player that clicks the keypad and reads entries and rows off the screen.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "board/board_layout.h"
#include "e2e.h"
#include "resource.h"

namespace e2e {

using Code = std::array<int32_t, 4>;

// The board as the game draws it, rendered here from the game's own resources.
class BoardModel {
public:
    explicit BoardModel(const std::string& exe)
        : module_(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
    {
        history_ = Arial(HistoryFont);
        entry_ = Arial(EntryFont);
    }
    ~BoardModel()
    {
        DeleteObject(history_);
        DeleteObject(entry_);
        if (module_)
            FreeLibrary(module_);
    }
    // Pixels of rect (client coordinates) of the empty board with texts drawn on it.
    struct Text {
        HFONT font;
        COLORREF colour;
        int x, y;
        std::string text;
    };
    std::vector<COLORREF> Render(const RECT& rect, const std::vector<Text>& texts) const
    {
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP canvas = CreateCompatibleBitmap(screen, BoardPicture.right, BoardPicture.bottom);
        ReleaseDC(nullptr, screen);
        const HGDIOBJ oldCanvas = SelectObject(dc, canvas);
        const HDC src = CreateCompatibleDC(dc);
        const HBITMAP board = LoadBitmapA(module_, MAKEINTRESOURCEA(IDB_BOARD));
        const HGDIOBJ oldBoard = SelectObject(src, board);
        BitBlt(dc, 0, 0, BoardPicture.right, BoardPicture.bottom, src, 0, 0, SRCCOPY);
        SelectObject(src, oldBoard);
        DeleteObject(board);
        DeleteDC(src);
        SetBkMode(dc, TRANSPARENT);
        for (const Text& t : texts) {
            const HGDIOBJ oldFont = SelectObject(dc, t.font);
            SetTextColor(dc, t.colour);
            TextOutA(dc, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
            SelectObject(dc, oldFont);
        }
        std::vector<COLORREF> out;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                out.push_back(GetPixel(dc, x, y));
        SelectObject(dc, oldCanvas);
        DeleteObject(canvas);
        DeleteDC(dc);
        return out;
    }
    HFONT history() const { return history_; }
    HFONT entry() const { return entry_; }

private:
    static HFONT Arial(const BoardFont& f)
    {
        return CreateFontA(f.height, f.width, 0, 0, f.weight, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    }
    HMODULE module_;
    HFONT history_, entry_;
};

inline std::vector<COLORREF> ScreenRegion(const Screenshot& shot, POINT origin, const RECT& rect)
{
    std::vector<COLORREF> out;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            out.push_back(shot.At(origin.x + x, origin.y + y));
    return out;
}

// All that the line of history row n paints, and the entry's four boxes.
inline RECT HistoryRow(int n)
{
    const BoardRect r = RowTextRect(n);
    return RECT{r.left, r.top, r.right, r.bottom};
}

inline const RECT EntryBoxes{EntryRect.left, EntryRect.top, EntryRect.right, EntryRect.bottom};

class Player {
public:
    explicit Player(Game& game) : game_(game), model_(game.dir() + "\\Velquin.exe") {}

    void PressDigit(int d) { Press(DigitKeyRect(d - 1)); }
    void PressGo() { Press(GoKeyRect); }
    void PressClear() { Press(ClearKeyRect); }
    void Enter(const Code& code)
    {
        for (int d : code)
            PressDigit(d);
    }

    // The entry boxes on screen show exactly these digits (and nothing when empty).
    // Each reader settles the game and looks at the screen, or at shot when given.
    bool EntryShows(const std::vector<int>& digits, const Screenshot* shot = nullptr) const
    {
        std::vector<BoardModel::Text> texts;
        for (size_t k = 0; k < digits.size(); ++k)
            texts.push_back({model_.entry(), EntryTextColour, EntryDigitX(static_cast<int>(k + 1)), EntryDigitY,
                             std::to_string(digits[k])});
        return ScreenRegion(Look(shot), Origin(), EntryBoxes) == model_.Render(EntryBoxes, texts);
    }

    // Reads the score of history row n by matching it against every possible line.
    bool ReadRow(int n, const Code& guess, int& strikes, int& balls, const Screenshot* shot = nullptr) const
    {
        const auto shown = ScreenRegion(Look(shot), Origin(), HistoryRow(n));
        for (int s = 0; s <= 4; ++s)
            for (int b = 0; s + b <= 4; ++b) {
                char line[20];
                std::snprintf(line, sizeof line, "%d %d %d %d    %d   %d", guess[0], guess[1], guess[2], guess[3], s, b);
                if (model_.Render(HistoryRow(n), {{model_.history(), HistoryTextColour, HistoryX, HistoryY(n), line}}) ==
                    shown) {
                    strikes = s;
                    balls = b;
                    return true;
                }
            }
        return false;
    }

    bool RowIsEmpty(int n, const Screenshot* shot = nullptr) const
    {
        return ScreenRegion(Look(shot), Origin(), HistoryRow(n)) == model_.Render(HistoryRow(n), {});
    }

    Screenshot Look(const Screenshot* shot) const
    {
        if (shot)
            return *shot;
        game_.Settle();
        return CaptureScreen();
    }

    POINT Origin() const { return ClientToScreenPoint(game_.main(), 0, 0); }

private:
    void Press(const BoardRect& key) { game_.ClickClient(key.CentreX(), key.CentreY()); }
    Game& game_;
    BoardModel model_;
};

} // namespace e2e
