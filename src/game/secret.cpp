#include "secret.h"

namespace {
// The one generator of the process, reseeded at every game start.
RandomGenerator GameRandom;

int DrawDigit()
{
    return GameRandom.Next() % 9 + 1;
}
} // namespace

Secret SecretFromSeed(uint32_t seed)
{
    GameRandom.Seed(seed);
    Secret s{};
    s[0] = DrawDigit();
    do {
        s[1] = DrawDigit();
    } while (s[1] == s[0]);
    do {
        s[2] = DrawDigit();
    } while (s[2] == s[0] || s[2] == s[1]);
    do {
        s[3] = DrawDigit();
    } while (s[3] == s[0] || s[3] == s[1] || s[3] == s[2]);
    return s;
}

void JudgeGuess(const Secret& secret, const Guess& guess, int32_t& strikes, int32_t& balls)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (j != i && secret[i] == guess[j])
                ++balls;
    for (int i = 0; i < 4; ++i)
        if (secret[i] == guess[i])
            ++strikes;
}

Score Judge(const Secret& secret, const Guess& guess)
{
    Score score;
    JudgeGuess(secret, guess, score.strikes, score.balls);
    return score;
}
