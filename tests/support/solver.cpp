#include "solver.h"

#include <algorithm>

namespace solver {
namespace {

int Judge(const Code& secret, const Code& guess)
{
    int strikes = 0, common = 0;
    for (int i = 0; i < 4; ++i) {
        strikes += secret[i] == guess[i];
        common += std::count(secret.begin(), secret.end(), guess[i]) > 0;
    }
    return ScoreCode(strikes, common - strikes);
}

// Score of every guess against every secret, so that building the tree costs lookups.
struct ScoreTable {
    std::vector<uint8_t> cells;
    explicit ScoreTable(const std::vector<Code>& codes) : cells(codes.size() * codes.size())
    {
        const size_t n = codes.size();
        for (size_t g = 0; g < n; ++g)
            for (size_t s = 0; s < n; ++s)
                cells[g * n + s] = static_cast<uint8_t>(Judge(codes[s], codes[g]));
    }
    int At(size_t guess, size_t secret) const { return cells[guess * AllCodes().size() + secret]; }
};

std::unique_ptr<Node> Build(const ScoreTable& table, const std::vector<int>& candidates)
{
    auto node = std::make_unique<Node>();
    node->remaining = static_cast<int>(candidates.size());
    const int n = static_cast<int>(AllCodes().size());
    if (candidates.size() == 1) {
        node->guess = candidates[0];
    } else {
        // A fixed opening (1 2 3 4) keeps the tree cheap; by symmetry every opening splits alike.
        int best = 0;
        if (candidates.size() != AllCodes().size()) {
            int bestParts = -1;
            bool bestIsCandidate = false;
            std::vector<char> isCandidate(n, 0);
            for (int c : candidates)
                isCandidate[c] = 1;
            for (int g = 0; g < n; ++g) {
                std::array<int, 25> counts{};
                int parts = 0;
                for (int c : candidates)
                    parts += counts[table.At(g, c)]++ == 0;
                const bool candidate = isCandidate[g] != 0;
                if (parts > bestParts || (parts == bestParts && candidate && !bestIsCandidate)) {
                    best = g;
                    bestParts = parts;
                    bestIsCandidate = candidate;
                }
            }
        }
        node->guess = best;
    }
    std::array<std::vector<int>, 25> split;
    for (int c : candidates)
        if (c != node->guess)
            split[table.At(node->guess, c)].push_back(c);
    for (int code = 0; code < 25; ++code)
        if (!split[code].empty())
            node->next[code] = Build(table, split[code]);
    return node;
}

} // namespace

int ScoreCode(int strikes, int balls)
{
    return strikes * 5 + balls;
}

const std::vector<Code>& AllCodes()
{
    static const std::vector<Code> codes = [] {
        std::vector<Code> out;
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                for (int c = 1; c <= 9; ++c)
                    for (int d = 1; d <= 9; ++d)
                        if (a != b && a != c && a != d && b != c && b != d && c != d)
                            out.push_back({a, b, c, d});
        return out;
    }();
    return codes;
}

Player::Player()
{
    const ScoreTable table(AllCodes());
    std::vector<int> all(AllCodes().size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    root_ = Build(table, all);
    node_ = root_.get();
}

bool Player::Feed(int strikes, int balls)
{
    const int code = ScoreCode(strikes, balls);
    if (code < 0 || code >= 25 || !node_->next[code])
        return false;
    node_ = node_->next[code].get();
    return true;
}

} // namespace solver
