#include "review.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <new>

// No standard container that allocates: their error paths would bring a good part of
// the C++ runtime into the executable. One block, freed when the review is made,
// holds all the analysis needs.
namespace {

constexpr int CodeCount = 3024;
constexpr int SetCount = 126;   // four digits of nine
constexpr int OrderCount = 24;  // the ways to place them
// A secret as a set of four digits sees it: position by position the rank (0 to 3)
// of the set's digit standing there, or NoRank for a digit outside the set; base 5.
// A code's four different digits show 209 of the 625.
constexpr int PatternCount = 625;
constexpr int PatternsOfACode = 209;
constexpr int NoRank = 4;
constexpr int ReplyCount = 25;  // strikes * 5 + balls

int DigitCount(int mask)
{
    int n = 0;
    for (; mask != 0; mask &= mask - 1)
        ++n;
    return n;
}

int Number(const Guess& g)
{
    return ((g[0] * 10 + g[1]) * 10 + g[2]) * 10 + g[3];
}

// The codes in increasing order, and what every search shares. A guess's reply to a
// secret depends only on where the guess's digits stand in the secret, so a search
// counts the candidates once per digit set, and the set's 24 orders read the counts.
struct Tables {
    std::array<Guess, CodeCount> codes{};
    std::array<std::array<int, 4>, SetCount> sets{};      // each set's digits, increasing
    std::array<uint8_t, CodeCount> setOf{}, orderOf{};     // of each code
    std::array<std::array<uint8_t, OrderCount>, PatternCount> replies{};  // by pattern, then order

    Tables()
    {
        std::array<int, 1 << 10> setOfMask{};  // digit d is bit d
        for (int mask = 0, s = 0; mask < (1 << 10); mask += 2)
            if (DigitCount(mask) == 4) {
                setOfMask[mask] = s;
                for (int d = 1, i = 0; d <= 9; ++d)
                    if (mask & (1 << d))
                        sets[s][i++] = d;
                ++s;
            }
        std::array<std::array<int, 4>, OrderCount> orders{};  // position i holds rank orders[o][i]
        std::array<int, 256> orderOfRanks{};                  // ranks as a base-4 number
        std::array<int, 4> ranks{0, 1, 2, 3};
        for (int o = 0; o < OrderCount; ++o) {
            orders[o] = ranks;
            orderOfRanks[((ranks[0] * 4 + ranks[1]) * 4 + ranks[2]) * 4 + ranks[3]] = o;
            std::next_permutation(ranks.begin(), ranks.end());
        }
        int n = 0;
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                for (int c = 1; c <= 9; ++c)
                    for (int d = 1; d <= 9; ++d) {
                        const int mask = (1 << a) | (1 << b) | (1 << c) | (1 << d);
                        if (DigitCount(mask) != 4)
                            continue;
                        const auto rank = [&](int digit) { return DigitCount(mask & ((1 << digit) - 1)); };
                        codes[n] = {a, b, c, d};
                        setOf[n] = static_cast<uint8_t>(setOfMask[mask]);
                        const int placed = ((rank(a) * 4 + rank(b)) * 4 + rank(c)) * 4 + rank(d);
                        orderOf[n] = static_cast<uint8_t>(orderOfRanks[placed]);
                        ++n;
                    }
        for (int p = 0; p < PatternCount; ++p)
            for (int o = 0; o < OrderCount; ++o) {
                int strikes = 0, common = 0;
                for (int i = 3, rest = p; i >= 0; --i, rest /= 5) {
                    common += rest % 5 != NoRank;
                    strikes += rest % 5 == orders[o][i];
                }
                replies[p][o] = static_cast<uint8_t>(strikes * 5 + common - strikes);
            }
    }
};

// Codes by their index in Tables::codes, increasing.
struct CodeList {
    std::array<int16_t, CodeCount> at{};
    int size = 0;
    const int16_t* begin() const { return at.data(); }
    const int16_t* end() const { return at.data() + size; }
    bool operator==(const CodeList& other) const
    {
        return size == other.size && std::equal(begin(), end(), other.begin());
    }
};

struct Best {
    int code = 0;
    int largest = INT_MAX;
};

struct Workspace {
    Tables t;
    // Per digit set, the candidates seen as each pattern: pattern, count; most first.
    std::array<std::array<std::pair<int16_t, int16_t>, PatternsOfACode>, SetCount> patterns{};
    std::array<int, SetCount> patternCount{};
    std::array<bool, CodeCount> isCandidate{};
    // The best guess for each set of candidates met: the player's game and the
    // computer's both start from all 3024 secrets, and often go on alike.
    std::array<std::pair<CodeList, Best>, 24> known{};
    int knownCount = 0;
    CodeList all, candidates, left;
};

// The code whose largest reply class over the candidates is smallest; ties go to a
// candidate, then to the smallest number.
Best FindBest(Workspace& w, const CodeList& candidates)
{
    const Tables& t = w.t;
    for (int s = 0; s < SetCount; ++s) {
        std::array<int, 10> rank{};
        rank.fill(NoRank);
        for (int i = 0; i < 4; ++i)
            rank[t.sets[s][i]] = i;
        std::array<int16_t, PatternCount> count{};
        for (int c : candidates) {
            const Guess& g = t.codes[c];
            ++count[((rank[g[0]] * 5 + rank[g[1]]) * 5 + rank[g[2]]) * 5 + rank[g[3]]];
        }
        int used = 0;
        for (int p = 0; p < PatternCount; ++p)
            if (count[p] != 0 && used < PatternsOfACode)
                w.patterns[s][used++] = {static_cast<int16_t>(p), count[p]};
        w.patternCount[s] = used;
        std::sort(w.patterns[s].begin(), w.patterns[s].begin() + used,
                  [](auto x, auto y) { return x.second > y.second; });
    }
    // Candidates first, each part in increasing order: every later code loses a tie,
    // so it is dropped the moment one of its classes reaches the best's largest, and
    // the search ends when the best reaches what no code can go below: the 13 replies
    // other than four strikes share the candidates but the guess itself.
    const int n = candidates.size;
    const int floor = n == 0 ? 0 : std::max(1, (n - 1 + 12) / 13);
    Best best;
    const auto consider = [&](int code) {
        std::array<int, ReplyCount> classes{};
        int largest = 0;
        const int set = t.setOf[code];
        for (int i = 0; i < w.patternCount[set]; ++i) {
            const auto [pattern, secrets] = w.patterns[set][i];
            const int k = classes[t.replies[pattern][t.orderOf[code]]] += secrets;
            if (k >= best.largest)
                return;
            largest = std::max(largest, k);
        }
        best = {code, largest};
    };
    w.isCandidate.fill(false);
    for (int c : candidates) {
        w.isCandidate[c] = true;
        if (best.largest > floor)
            consider(c);
    }
    for (int code = 0; code < CodeCount && best.largest > floor; ++code)
        if (!w.isCandidate[code])
            consider(code);
    return best;
}

Best BestFor(Workspace& w, const CodeList& candidates)
{
    for (int i = 0; i < w.knownCount; ++i)
        if (w.known[i].first == candidates)
            return w.known[i].second;
    const Best best = FindBest(w, candidates);
    if (w.knownCount < static_cast<int>(w.known.size()))
        w.known[w.knownCount++] = {candidates, best};
    return best;
}

// Keeps the candidates that give guess the reply score.
void Narrow(Workspace& w, const Guess& guess, const Score& score)
{
    w.left.size = 0;
    for (int c : w.candidates) {
        const Score s = Judge(w.t.codes[c], guess);
        if (s.strikes == score.strikes && s.balls == score.balls)
            w.left.at[w.left.size++] = static_cast<int16_t>(c);
    }
    w.candidates = w.left;
}

} // namespace

GameReview ReviewGame(const Secret& secret, const JudgedGuess* judged, int count)
{
    GameReview review;
    review.secret = secret;
    const std::unique_ptr<Workspace> w(new (std::nothrow) Workspace);
    if (!w)
        return review;
    review.rowCount = std::clamp(count, 0, static_cast<int>(review.rows.size()));
    for (int c = 0; c < CodeCount; ++c)
        w->all.at[c] = static_cast<int16_t>(c);
    w->all.size = CodeCount;

    w->candidates = w->all;
    for (int k = 0; k < review.rowCount; ++k) {
        ReviewRow& row = review.rows[k];
        row.judged = judged[k];
        const Best best = BestFor(*w, w->candidates);
        row.best = w->t.codes[best.code];
        row.bestLargest = best.largest;
        row.before = w->candidates.size;
        row.fitted = std::any_of(w->candidates.begin(), w->candidates.end(),
                                 [&](int c) { return w->t.codes[c] == row.judged.guess; });
        Narrow(*w, row.judged.guess, row.judged.score);
        row.after = w->candidates.size;
        if (row.after == 1 && review.narrowedAt == 0)
            review.narrowedAt = k + 1;
    }

    // The rule's own game. Its guess always splits what is left (a candidate keeps
    // itself apart from the rest), so the secret is found, or for a secret that is no
    // code, nothing is left; the bound only keeps a fault from hanging the window.
    w->candidates = w->all;
    while (w->candidates.size != 0 && review.computerGuesses < CodeCount) {
        const Guess guess = w->t.codes[BestFor(*w, w->candidates).code];
        ++review.computerGuesses;
        const Score score = Judge(secret, guess);
        if (score.strikes == 4)
            break;
        Narrow(*w, guess, score);
    }
    return review;
}

const char* const ReviewColumnTitles[ReviewColumnCount] = {"回", "予想", "判定", "候補", "合う", "最善手"};

namespace {
template <typename... Values>
ReviewText Format(const char* format, Values... values)
{
    ReviewText text{};
    std::snprintf(text.data(), text.size(), format, values...);
    return text;
}
} // namespace

ReviewText ReviewCellText(const GameReview& review, int row, int column)
{
    if (row < 0 || row >= review.rowCount)
        return {};
    const ReviewRow& r = review.rows[row];
    switch (column) {
    case 0: return Format("%d", row + 1);
    case 1: return Format("%d", Number(r.judged.guess));
    case 2: return Format("%dS %dB", r.judged.score.strikes, r.judged.score.balls);
    case 3: return Format("%d→%d", r.before, r.after);
    case 4: return Format("%s", r.fitted ? "○" : "×");
    case 5: return Format("%d (最大 %d)", Number(r.best), r.bestLargest);
    default: return {};
    }
}

ReviewText ReviewLineText(const GameReview& review, int line)
{
    switch (line) {
    case 0: return Format("こたえ %d", Number(review.secret));
    case 1:
        if (review.narrowedAt == 0)
            return Format("%s", "候補は最後まで1つになりませんでした");
        return Format("候補が1つになったのは %d回目", review.narrowedAt);
    case 2: return Format("コンピュータなら %d 回", review.computerGuesses);
    default: return {};
    }
}
