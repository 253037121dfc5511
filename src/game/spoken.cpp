#include "spoken.h"

#include <cstdio>

#include "game_state.h"

namespace {

constexpr int VirtualKeyEnd = 0x23;
constexpr int VirtualKeyHome = 0x24;
constexpr int VirtualKeyUp = 0x26;
constexpr int VirtualKeyDown = 0x28;

// A judged row's history line, "1 5 6 3    1   1", holds its digits and its two counts
// at these places; the line of a row still to play is all spaces.
constexpr std::array<int, 6> HistoryFields{0, 2, 4, 6, 11, 15};

} // namespace

SpokenText SpokenPart(int part)
{
    SpokenText spoken;
    auto& out = spoken.text;
    if (part >= 1 && part <= RowParts) {
        const char* line = GameState.historyLines[part - 1].data();
        if (line[0] == ' ') {
            std::snprintf(out.data(), out.size(), "%d回目 まだ", part);
        } else {
            const auto at = [line](int field) { return line[HistoryFields[field]]; };
            std::snprintf(out.data(), out.size(), "%d回目 %c %c %c %c、%cストライク %cボール", part, at(0), at(1),
                          at(2), at(3), at(4), at(5));
        }
    } else if (part == EntryPart) {
        int length = std::snprintf(out.data(), out.size(), "%s", GameState.enteredCount == 0 ? "入力なし" : "入力");
        for (int k = 0; k < GameState.enteredCount; ++k)
            length += std::snprintf(out.data() + length, out.size() - length, " %d", GameState.guess[k]);
    }
    return spoken;
}

int ReviewTarget(int virtualKey, int part)
{
    // The judged rows 1..guessCount, then the entry at place guessCount + 1.
    const int last = GameState.guessCount + 1;
    const int place = part >= 1 && part < last ? part : last;
    int to = 0;
    switch (virtualKey) {
    case VirtualKeyUp: to = place > 1 ? place - 1 : 1; break;
    case VirtualKeyDown: to = place < last ? place + 1 : last; break;
    case VirtualKeyHome: to = 1; break;
    case VirtualKeyEnd: to = last; break;
    default: return 0;
    }
    return to == last ? EntryPart : to;
}
