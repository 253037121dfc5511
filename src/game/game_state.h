#pragma once
// The state of one game and the three things a player does to it.
#include <array>
#include <cstdint>

#include "secret.h"
#include "sounds.h"

// A judged guess as the board shows it in its row.
struct JudgedGuess {
    Guess guess{};
    Score score{};
};

struct GameStateRecord {
    Secret secret{};
    Guess guess{};                  // position k holds the k-th digit pressed
    int32_t enteredCount = 0;       // 0..4 digits of the current guess
    int32_t guessCount = 0;         // 0..10 judged guesses; the row of the next history line
    int32_t finished = 0;           // 1 once a guess scored four strikes
    std::array<int32_t, 9> digitUsed{};                 // digit d is index d - 1
    std::array<std::array<char, 20>, 10> historyLines{};  // the text drawn in each row
    std::array<JudgedGuess, 10> judged{};                 // rows 0..guessCount - 1
    std::array<char, 32> resultHeadline{};
    std::array<char, 32> resultAnswer{};
};

// The one game of the process; reset, never recreated, by New game.
extern GameStateRecord GameState;

void ResetGame();
// Won, or its tenth guess missed: the game takes no more input until New game.
bool GameDecided();
void PressDigit(int d);     // d = 1..9
void ClearEntry();
void SubmitGuess();
