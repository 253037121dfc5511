#pragma once
// What a screen reader says for the board, which the game draws as pictures: one
// whole sentence for each part, in Japanese, the digits spaced so that a voice
// reads them one by one. And the keys that move a reader over the parts.
#include <array>

#include "board/board_layout.h"

// The parts of the board, numbered as a reader sees them: 1 to 10 the rows of the
// judged guesses, in the order they are played, then the entry.
inline constexpr int RowParts = HistoryRows;
inline constexpr int EntryPart = RowParts + 1;

// A spoken text, code page 932.
struct SpokenText {
    std::array<char, 96> text{};
    const char* c_str() const { return text.data(); }
};

// "3回目 1 2 4 5、1ストライク 2ボール" for a judged row, "4回目 まだ" for one still
// to play, "入力 1 2" or "入力なし" for the entry, and for the entry of a decided game
// how to go on; empty for a part the board lacks.
SpokenText SpokenPart(int part);

// What the result dialog's answer line says to a reader: the deciding row, then the
// answer with its digits spaced, "5回目 1 2 3 4、4ストライク 0ボール、こたえは 1 2 3 4 でした".
SpokenText SpokenResult();

// Up, Down, Home and End (by virtual-key code) move over the judged rows and the
// entry: the part they lead to from part, or 0 for any other key.
int BrowseTarget(int virtualKey, int part);
