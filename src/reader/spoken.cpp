#include "spoken.h"

#include <cstdio>
#include <cstring>

#include "game/game_state.h"

namespace {

constexpr int VirtualKeyEnd = 0x23;
constexpr int VirtualKeyHome = 0x24;
constexpr int VirtualKeyUp = 0x26;
constexpr int VirtualKeyDown = 0x28;

} // namespace

SpokenText SpokenPart(int part)
{
    SpokenText spoken;
    auto& out = spoken.text;
    if (part >= 1 && part <= RowParts) {
        // A row still to play holds no digits (a judged one holds 1 to 9).
        const JudgedGuess& row = GameState.judged[part - 1];
        const Guess& g = row.guess;
        if (g[0] == 0) {
            std::snprintf(out.data(), out.size(), "%d回目 まだ", part);
        } else {
            std::snprintf(out.data(), out.size(), "%d回目 %d %d %d %d、%dストライク %dボール", part, g[0], g[1], g[2],
                          g[3], row.score.strikes, row.score.balls);
        }
    } else if (part == EntryPart && GameDecided()) {
        std::snprintf(out.data(), out.size(), "ゲーム終了、新しいゲームはゲームメニューから");
    } else if (part == EntryPart) {
        int length = std::snprintf(out.data(), out.size(), "%s", GameState.enteredCount == 0 ? "入力なし" : "入力");
        for (int k = 0; k < GameState.enteredCount; ++k)
            length += std::snprintf(out.data() + length, out.size() - length, " %d", GameState.guess[k]);
    }
    return spoken;
}

SpokenText SpokenResult()
{
    SpokenText spoken = SpokenPart(GameState.guessCount);  // the deciding row
    auto& out = spoken.text;
    const size_t length = std::strlen(out.data());
    const Secret& s = GameState.secret;
    std::snprintf(out.data() + length, out.size() - length, "%sこたえは %d %d %d %d でした", length ? "、" : "", s[0],
                  s[1], s[2], s[3]);
    return spoken;
}

int BrowseTarget(int virtualKey, int part)
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
