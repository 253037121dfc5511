#pragma once
// The secret number and the judging of one guess. Pure rules: no window code.
#include <array>
#include <cstdint>

// Positions 0 to 3 from left to right, each a digit 1..9, pairwise different.
using Secret = std::array<int32_t, 4>;
// The digits the player entered, laid out like Secret.
using Guess = std::array<int32_t, 4>;

struct Score {
    int32_t strikes = 0;
    int32_t balls = 0;
};

// The game's own linear congruential generator, so that a seed gives the same
// secret on every platform: state = state * 214013 + 2531011, result bits 16..30.
struct RandomGenerator {
    uint32_t state = 1;
    void Seed(uint32_t seed) { state = seed; }
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// Draws four different digits 1..9 from a freshly seeded generator.
Secret SecretFromSeed(uint32_t seed);

// Fills GameState.secret with a new secret seeded from the current time.
void DrawSecret();

// Adds the strikes and balls of guess against secret to the counters, which the
// caller sets to 0 beforehand.
void JudgeGuess(const Secret& secret, const Guess& guess, int32_t& strikes, int32_t& balls);
// The score of guess against secret.
Score Judge(const Secret& secret, const Guess& guess);
