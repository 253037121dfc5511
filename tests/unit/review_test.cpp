// The review: short games checked by hand, and every row of real games against a
// count over all codes, pair by pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "review/review.h"
#include "solver.h"

namespace {

GameReview Review(const Secret& secret, const std::vector<Guess>& guesses)
{
    std::vector<JudgedGuess> judged;
    for (const Guess& g : guesses)
        judged.push_back({g, Judge(secret, g)});
    return ReviewGame(secret, judged.data(), static_cast<int>(judged.size()));
}

TEST(Review, ShortGamesCheckedByHand)
{
    // 1234 leaves the 720 with one of its digits off its place; 3187 (two of them off:
    // no candidate) leaves 3587 3687 3987 5187 6187 9187; 3587 splits them 1 2 1 2.
    const GameReview won = Review({3, 9, 8, 7}, {{1, 2, 3, 4}, {3, 1, 8, 7}, {3, 5, 8, 7}, {3, 9, 8, 7}});
    const char* const rows[4][ReviewColumnCount] = {
        {"1", "1234", "0S 1B", "3024→720", "○", "1234 (最大 840)"},  // every code ties at 840
        {"2", "3187", "3S 0B", "720→6", "×", "2156 (最大 180)"},
        {"3", "3587", "3S 0B", "6→2", "○", "3587 (最大 2)"},
        {"4", "3987", "4S 0B", "2→1", "○", "3687 (最大 1)"},  // as 1239 does, but a candidate
    };
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < ReviewColumnCount; ++c)
            EXPECT_STREQ(ReviewCellText(won, k, c).data(), rows[k][c]) << "row " << k << " column " << c;
    EXPECT_STREQ(ReviewLineText(won, 0).data(), "こたえ 3987");
    EXPECT_STREQ(ReviewLineText(won, 1).data(), "候補が1つになったのは 4回目");
    EXPECT_STREQ(ReviewLineText(won, 2).data(), "コンピュータなら 5 回");

    // Ten times 5678 against 1234: 120 left from the first on; the computer opens with 1234.
    const GameReview lost = Review({1, 2, 3, 4}, std::vector<Guess>(10, Guess{5, 6, 7, 8}));
    EXPECT_STREQ(ReviewCellText(lost, 9, 3).data(), "120→120");
    EXPECT_STREQ(ReviewCellText(lost, 9, 4).data(), "×");
    EXPECT_STREQ(ReviewLineText(lost, 1).data(), "候補は最後まで1つになりませんでした");
    EXPECT_STREQ(ReviewLineText(lost, 2).data(), "コンピュータなら 1 回");
}

std::vector<Guess> Narrow(std::vector<Guess> left, const Guess& guess, const Score& score)
{
    std::erase_if(left, [&](const Guess& s) {
        return Judge(s, guess).strikes != score.strikes || Judge(s, guess).balls != score.balls;
    });
    return left;
}

// Over the codes in increasing order, a later one wins by a smaller largest class, or
// by the same as a candidate where the best is none.
std::pair<Guess, int> BestByCount(const std::vector<Guess>& candidates)
{
    std::pair<Guess, int> best{{}, INT_MAX};
    bool bestFits = false;
    for (const Guess& g : solver::AllCodes()) {
        std::array<int, 25> classes{};
        for (const Guess& s : candidates) {
            const Score score = Judge(s, g);
            ++classes[solver::ScoreCode(score.strikes, score.balls)];
        }
        const int largest = *std::max_element(classes.begin(), classes.end());
        const bool fits = std::binary_search(candidates.begin(), candidates.end(), g);
        if (largest < best.second || (largest == best.second && fits && !bestFits)) {
            best = {g, largest};
            bestFits = fits;
        }
    }
    return best;
}

TEST(Review, EveryRowAgreesWithACountOverAllCodes)
{
    solver::Player player;
    for (const Secret& secret : {Secret{3, 9, 8, 7}, Secret{9, 1, 5, 2}, Secret{6, 4, 8, 2}}) {
        // The solver's own game, which opens with 1234 like the rule (checked by hand above).
        player.Restart();
        std::vector<Guess> guesses{player.Guess()};
        for (Score s; (s = Judge(secret, guesses.back())).strikes != 4 && player.Feed(s.strikes, s.balls);)
            guesses.push_back(player.Guess());
        const GameReview review = Review(secret, guesses);
        ASSERT_EQ(review.rowCount, static_cast<int>(guesses.size()));
        std::vector<Guess> left = solver::AllCodes();
        for (int k = 0; k < review.rowCount; ++k) {
            const ReviewRow& row = review.rows[k];
            SCOPED_TRACE("row " + std::to_string(k));
            EXPECT_EQ(row.before, static_cast<int>(left.size()));
            EXPECT_EQ(row.fitted, std::count(left.begin(), left.end(), row.judged.guess) > 0);
            if (k > 0) {
                EXPECT_EQ(std::make_pair(row.best, static_cast<int>(row.bestLargest)), BestByCount(left));
            }
            left = Narrow(left, row.judged.guess, row.judged.score);
            EXPECT_EQ(row.after, static_cast<int>(left.size()));
        }
        int computer = 1;
        left = solver::AllCodes();
        for (Guess g{1, 2, 3, 4}; Judge(secret, g).strikes != 4; ++computer) {
            left = Narrow(left, g, Judge(secret, g));
            g = BestByCount(left).first;
        }
        EXPECT_EQ(review.computerGuesses, computer) << secret[0] << secret[1] << secret[2] << secret[3];
    }
}

} // namespace
