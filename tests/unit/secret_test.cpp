// The secret and the judge: worked examples, an independent oracle over every
// pair of codes, and the generator's reach over many seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/secret.h"
#include "solver.h"

namespace {

Score Judge(const Secret& s, const Guess& g)
{
    Score score;
    JudgeGuess(s, g, score.strikes, score.balls);
    return score;
}

TEST(JudgeGuess, WorkedExamples)
{
    const Secret s{1, 2, 3, 4};
    struct Case {
        Guess guess;
        int strikes, balls;
    };
    const Case cases[] = {
        {{1, 5, 6, 3}, 1, 1}, {{4, 3, 2, 1}, 0, 4}, {{5, 6, 7, 8}, 0, 0},
        {{1, 2, 3, 4}, 4, 0}, {{2, 1, 4, 3}, 0, 4}, {{1, 2, 4, 3}, 2, 2},
    };
    for (const Case& c : cases) {
        const Score got = Judge(s, c.guess);
        EXPECT_EQ(got.strikes, c.strikes) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
        EXPECT_EQ(got.balls, c.balls) << c.guess[0] << c.guess[1] << c.guess[2] << c.guess[3];
    }
}

TEST(JudgeGuess, AddsToTheCountersWithoutResettingThem)
{
    int32_t strikes = 10, balls = 20;
    JudgeGuess({1, 2, 3, 4}, {1, 5, 6, 3}, strikes, balls);
    EXPECT_EQ(strikes, 11);
    EXPECT_EQ(balls, 21);
}

// Oracle: strikes count equal positions; balls are the digits in common minus the strikes.
TEST(JudgeGuess, AgreesWithSetArithmeticOverEveryPair)
{
    const auto& codes = solver::AllCodes();
    ASSERT_EQ(codes.size(), 3024u);
    for (const auto& s : codes) {
        unsigned secretDigits = 0;  // bit d set when digit d is in the secret
        for (int d : s)
            secretDigits |= 1u << d;
        for (const auto& g : codes) {
            int strikes = 0, common = 0;
            for (int i = 0; i < 4; ++i) {
                strikes += s[i] == g[i];
                common += (secretDigits >> g[i]) & 1u;
            }
            const Score got = Judge(s, g);
            if (got.strikes != strikes || got.balls != common - strikes) {
                FAIL() << "first counterexample: secret " << s[0] << s[1] << s[2] << s[3] << " guess "
                       << g[0] << g[1] << g[2] << g[3] << " gave " << got.strikes << "S " << got.balls
                       << "B, expected " << strikes << "S " << common - strikes << "B";
            }
        }
    }
}

TEST(RandomGenerator, ProducesTheCRuntimeSequence)
{
    // The first values of the classic C runtime rand() after srand(1) and srand(12345).
    RandomGenerator r;
    r.Seed(1);
    EXPECT_EQ(r.Next(), 41);
    EXPECT_EQ(r.Next(), 18467);
    EXPECT_EQ(r.Next(), 6334);
    r.Seed(12345);
    for (int i = 0; i < 1000; ++i) {
        const int v = r.Next();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(SecretFromSeed, SameSeedSameSecretAndEveryDigitEverywhere)
{
    EXPECT_EQ(SecretFromSeed(1700000000u), SecretFromSeed(1700000000u));
    // Seed 1: rand gives 41, 18467, 6334, 26500 -> digits 6, 9, 8, 5.
    EXPECT_EQ(SecretFromSeed(1u), (Secret{6, 9, 8, 5}));

    std::array<std::array<int, 10>, 4> seen{};
    std::set<Secret> distinct;
    for (uint32_t seed = 1700000000u; seed < 1700000000u + 100000u; ++seed) {
        const Secret s = SecretFromSeed(seed);
        for (int i = 0; i < 4; ++i) {
            ASSERT_GE(s[i], 1) << "seed " << seed;
            ASSERT_LE(s[i], 9) << "seed " << seed;
            ++seen[i][s[i]];
            for (int j = 0; j < i; ++j)
                ASSERT_NE(s[i], s[j]) << "repeated digit, seed " << seed;
        }
        distinct.insert(s);
    }
    for (int pos = 0; pos < 4; ++pos)
        for (int d = 1; d <= 9; ++d)
            EXPECT_GT(seen[pos][d], 8000) << "digit " << d << " at position " << pos;
    EXPECT_EQ(distinct.size(), 3024u) << "100000 seeds should reach every secret";
}

} // namespace
