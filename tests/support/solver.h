#pragma once
// A deduction player for tests: given the scores of earlier guesses it names the
// next guess. The strategy is fixed up front as a decision tree: every node keeps
// the secrets still possible and guesses the code (from all 3024) that splits
// them into the most distinct scores, preferring a possible secret on ties.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace solver {

using Code = std::array<int32_t, 4>;

// All 3024 codes of four different digits 1..9, in increasing order.
const std::vector<Code>& AllCodes();

// Score as one number: strikes * 5 + balls.
int ScoreCode(int strikes, int balls);

struct Node {
    int guess = -1;                              // index into AllCodes()
    int remaining = 0;                           // secrets still possible here
    std::array<std::unique_ptr<Node>, 25> next;  // by score code
};

class Player {
public:
    Player();
    // Index into AllCodes() of the next guess after the scores so far.
    const Code& Guess() const { return AllCodes()[node_->guess]; }
    // Moves on with the score of the current guess; false when no secret fits.
    bool Feed(int strikes, int balls);
    void Restart() { node_ = root_.get(); }

private:
    std::unique_ptr<Node> root_;
    const Node* node_;
};

} // namespace solver
