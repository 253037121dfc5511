#pragma once
// The state of one game and the three things a player does to it.
#include <array>
#include <cstdint>

#include "secret.h"

struct GameStateRecord {
    Secret secret{};
    Guess guess{};                  // position k holds the k-th digit pressed
    int32_t enteredCount = 0;       // 0..4 digits of the current guess
    int32_t guessCount = 0;         // 0..10 judged guesses; the row of the next history line
    int32_t finished = 0;           // 1 once a guess scored four strikes
    std::array<int32_t, 9> digitUsed{};                 // digit d is index d - 1
    std::array<std::array<char, 20>, 10> historyLines{};
    std::array<char, 32> resultHeadline{};
    std::array<char, 32> resultAnswer{};
};

// The one game of the process; reset, never recreated, by New game.
extern GameStateRecord GameState;

void ResetGame();
void PressDigit(int d);     // d = 1..9
void ClearEntry();
void SubmitGuess();

// Sound file names of the game's moments.
inline constexpr const char* SoundDigit = "21.wav";
inline constexpr const char* SoundJudged = "PIN1.wav";
inline constexpr const char* SoundWin = "FAN2.wav";
inline constexpr const char* SoundLoss = "DOWN1.wav";
