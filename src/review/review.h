#pragma once
// The review of a decided game: what each judged guess left possible, whether it
// could itself have been the secret, and the guess that would have narrowed the
// secrets the most at that point. Every count is exact, over all 3024 secrets.
#include <array>
#include <cstdint>

#include "game/game_state.h"

inline constexpr int ReviewColumnCount = 6;

struct ReviewRow {
    JudgedGuess judged;
    int32_t before = 0;        // secrets still possible before the guess
    int32_t after = 0;         // and after its reply
    bool fitted = false;       // the guess was one of those before it
    Guess best{};              // the guess whose largest reply class is smallest
    int32_t bestLargest = 0;   // that class
};

struct GameReview {
    Secret secret{};
    std::array<ReviewRow, 10> rows{};
    int32_t rowCount = 0;
    int32_t narrowedAt = 0;       // the first guess after which one secret was left; 0 if none
    int32_t computerGuesses = 0;  // guesses the best-guess rule, played from the start, takes
};

// The review of count judged guesses (0 to 10) of a game with this secret.
GameReview ReviewGame(const Secret& secret, const JudgedGuess* judged, int count);

// The texts the review shows, in code page 932.
using ReviewText = std::array<char, 48>;
extern const char* const ReviewColumnTitles[ReviewColumnCount];
ReviewText ReviewCellText(const GameReview& review, int row, int column);
// The three lines under the list: the answer, when one secret was left, the computer's count.
ReviewText ReviewLineText(const GameReview& review, int line);
