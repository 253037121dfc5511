// Fuzzes the turn flow. The input is a sequence of player actions; after each
// one the game's state and the effects it asked for are held against a model
// of the game kept here, and against the invariants that hold between actions.
//
// Input: two bytes seed the first secret, then one byte per action:
//   b % 20 = 0..8  press digit b + 1
//            9     press an out-of-range digit picked by the next byte
//            10-11 Clear             12-13 GO
//            14    press the secret's digit one place on from the next entry
//                  position (four of these make a guess that cannot win)
//            15    New game; the next two bytes seed its secret
//            16-18 set the sound switch to 0, 1 or 2
//            19    press the secret's digit at the next entry position
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_effects.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/sound_switch.h"

namespace {

constexpr const char* Congratulations = "おめでとうございます";
constexpr const char* TooBad = "残念でした";

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | Byte() << 8); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// The game as it should be, written apart from the game's own code.
struct Model {
    Secret secret{};
    Guess guess{};
    int entered = 0;
    std::array<bool, 9> used{};
    int judged = 0;
    bool won = false;
    std::array<std::string, 10> lines;

    bool Over() const { return won || judged == 10; }
};

Model M;
std::vector<Effect> Want;
std::string Action;
int Step = 0;
bool Trace = false;  // VELQUIN_FUZZ_TRACE=1: print every action with its effects

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "turn flow: after action %d (%s): %s\n", Step, Action.c_str(), what.c_str());
    std::fprintf(stderr, "  expected effects:");
    for (const auto& e : Want)
        std::fprintf(stderr, " [%s]", Describe(e).c_str());
    std::fprintf(stderr, "\n  recorded effects:");
    for (const auto& e : Recorded.log)
        std::fprintf(stderr, " [%s]", Describe(e).c_str());
    std::fprintf(stderr, "\n  state: entered %d, judged %d, finished %d\n", GameState.enteredCount,
                 GameState.guessCount, GameState.finished);
    std::abort();
}

void Check(bool ok, const char* what)
{
    if (!ok)
        Fail(what);
}

std::string Digits(const std::array<int32_t, 4>& a, const char* sep)
{
    std::string s;
    for (int k = 0; k < 4; ++k)
        s += (k ? sep : "") + std::to_string(a[k]);
    return s;
}

bool ValidSecret(const Secret& s)
{
    for (int i = 0; i < 4; ++i) {
        if (s[i] < 1 || s[i] > 9)
            return false;
        for (int j = 0; j < i; ++j)
            if (s[i] == s[j])
                return false;
    }
    return true;
}

// Strikes by position; balls as the digits in common minus the strikes, which
// holds because both sides have four different digits.
std::string ExpectedLine(const Secret& s, const Guess& g)
{
    int strikes = 0, common = 0;
    for (int i = 0; i < 4; ++i) {
        strikes += s[i] == g[i];
        for (int j = 0; j < 4; ++j)
            common += s[i] == g[j];
    }
    return Digits(g, " ") + "    " + std::to_string(strikes) + "   " + std::to_string(common - strikes);
}

const std::string Blank(16, ' ');

void NewGame(uint16_t seed)
{
    RestoreKeypad(GameState.enteredCount);
    ResetGame();
    if (!ValidSecret(GameState.secret))
        Fail("ResetGame drew an invalid secret " + Digits(GameState.secret, " "));
    GameState.secret = SecretFromSeed(seed);
    if (!ValidSecret(GameState.secret))
        Fail("seed " + std::to_string(seed) + " gave an invalid secret");
    M = Model{};
    M.secret = GameState.secret;
    M.lines.fill(Blank);
}

void ModelDigit(int d)
{
    if (d < 1 || d > 9 || M.Over() || M.entered == 4 || M.used[d - 1])
        return;
    if (SoundOn == 1)
        Want.push_back({EffectKind::Sound, 0, 0, SoundDigit});
    ++M.entered;
    M.used[d - 1] = true;
    M.guess[M.entered - 1] = d;
    Want.push_back({EffectKind::Mark, M.entered, d - 1});
    Want.push_back({EffectKind::Entry, M.entered, d});
    Want.push_back({EffectKind::Invalidate});
}

void ModelClear()
{
    if (M.Over())
        return;
    Want.push_back({EffectKind::Restore, M.entered});
    Want.push_back({EffectKind::Erase});
    Want.push_back({EffectKind::Invalidate});
    M.entered = 0;
    M.used = {};
}

void ModelGo()
{
    if (M.Over() || M.entered != 4)
        return;
    const int row = M.judged;
    M.lines[row] = ExpectedLine(M.secret, M.guess);
    M.won = M.guess == M.secret;
    M.entered = 0;
    M.used = {};
    ++M.judged;
    Want.push_back({EffectKind::ResetKeys});
    Want.push_back({EffectKind::History, row});
    Want.push_back({EffectKind::Erase});
    Want.push_back({EffectKind::Invalidate});
    const std::string answer = "こたえは " + Digits(M.secret, "") + " でした";
    if (M.won) {
        if (SoundOn == 1)
            Want.push_back({EffectKind::Sound, 0, 0, SoundWin});
        Want.push_back({EffectKind::Dialog, 0, 0, std::string(Congratulations) + " | " + answer});
    } else if (M.judged == 10) {
        if (SoundOn == 1)
            Want.push_back({EffectKind::Sound, 0, 0, SoundLoss});
        Want.push_back({EffectKind::Dialog, 0, 0, std::string(TooBad) + " | " + answer});
    } else if (SoundOn == 1) {
        Want.push_back({EffectKind::Sound, 0, 0, SoundJudged});
    }
}

bool Terminated(const char* buffer, size_t size)
{
    return std::memchr(buffer, '\0', size) != nullptr;
}

// A judged row: "d d d d    s   b" with digits 1..9 and counts 0..4.
bool LooksJudged(const std::array<char, 20>& line)
{
    static const char shape[] = "9 9 9 9    4   4";
    for (int k = 0; k < 16; ++k) {
        const char c = line[k], top = shape[k];
        if (top == ' ' ? c != ' ' : (c < (top == '9' ? '1' : '0') || c > top))
            return false;
    }
    return true;
}

// What holds between any two actions, read from GameState alone.
void CheckInvariants()
{
    const auto& g = GameState;
    int flags = 0;
    for (int i = 0; i < 9; ++i) {
        Check(g.digitUsed[i] == 0 || g.digitUsed[i] == 1, "digitUsed holds something other than 0 or 1");
        flags += g.digitUsed[i];
    }
    Check(g.enteredCount >= 0 && g.enteredCount <= 4, "enteredCount out of 0..4");
    Check(g.enteredCount == flags, "enteredCount differs from the number of used digits");
    for (int k = 0; k < g.enteredCount; ++k) {
        Check(g.guess[k] >= 1 && g.guess[k] <= 9, "an entered digit outside 1..9");
        Check(g.digitUsed[g.guess[k] - 1] == 1, "an entered digit is not marked used");
        for (int j = 0; j < k; ++j)
            Check(g.guess[j] != g.guess[k], "a digit entered twice");
    }
    Check(g.guessCount >= 0 && g.guessCount <= 10, "guessCount out of 0..10");
    Check(g.finished == 0 || g.finished == 1, "finished is neither 0 nor 1");
    Check(g.finished == 0 || g.guessCount > 0, "finished before any guess");
    Check((g.finished == 0 && g.guessCount < 10) || g.enteredCount == 0, "digits entered after the end");
    Check(ValidSecret(g.secret), "the secret changed into an invalid one");

    for (int row = 0; row < 10; ++row) {
        const auto& line = g.historyLines[row];
        const bool judged = row < g.guessCount;
        if (line[16] != '\0' || !(judged ? LooksJudged(line) : line.data() == Blank))
            Fail("history line " + std::to_string(row) + " is not a " + (judged ? "judged" : "blank") +
                 " row of 16 characters: \"" + std::string(line.data(), strnlen(line.data(), 20)) + "\"");
    }
    Check(Terminated(g.resultHeadline.data(), g.resultHeadline.size()), "resultHeadline is not terminated");
    Check(Terminated(g.resultAnswer.data(), g.resultAnswer.size()), "resultAnswer is not terminated");

    const auto& faces = Recorded.faces;
    for (int i = 0; i < 9; ++i)
        if (faces.digitUsed[i] != (g.digitUsed[i] == 1))
            Fail("digit " + std::to_string(i + 1) + " button shows the wrong face");
    Check(faces.goReady == (g.enteredCount == 4), "GO shows the wrong face");
    Check(faces.clearActive == (g.enteredCount > 0), "Clear shows the wrong face");
    if (!Recorded.misuse.empty())
        Fail(Recorded.misuse);
}

void CheckAgainstModel(bool wasOver)
{
    const auto& g = GameState;
    if (Recorded.log != Want)
        Fail("the effects differ");
    for (const auto& e : Recorded.log) {
        Check(e.kind != EffectKind::Sound || SoundOn == 1, "a sound while the sound switch is not 1");
        Check(e.kind != EffectKind::Dialog || (!wasOver && M.Over()), "a result dialog outside the end of a game");
    }
    Check(g.secret == M.secret, "the secret changed during the game");
    if (g.guess != M.guess)
        Fail("guess is " + Digits(g.guess, " ") + ", expected " + Digits(M.guess, " "));
    Check(g.enteredCount == M.entered, "enteredCount differs from the model");
    Check(g.guessCount == M.judged, "guessCount differs from the model");
    Check(g.finished == (M.won ? 1 : 0), "finished differs from the model");
    for (int row = 0; row < 10; ++row)
        if (g.historyLines[row].data() != M.lines[row])
            Fail("history line " + std::to_string(row) + " is \"" + g.historyLines[row].data() + "\", expected \"" +
                 M.lines[row] + "\"");
}

constexpr std::array<int, 8> OutOfRange{0, 10, -1, 11, 100, -9, INT_MIN, INT_MAX};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Trace = std::getenv("VELQUIN_FUZZ_TRACE") != nullptr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    GameState = GameStateRecord{};
    SoundOn = 0;
    Recorded.Reset();
    Step = 0;
    Action = "start";
    Want.clear();

    const uint16_t firstSeed = in.Word();
    NewGame(firstSeed);
    Want = {{EffectKind::Restore, 0}};
    CheckAgainstModel(false);
    CheckInvariants();

    while (!in.Empty()) {
        ++Step;
        Recorded.log.clear();
        Want.clear();
        const bool wasOver = M.Over();
        const uint8_t op = in.Byte() % 20;
        if (op < 9) {
            Action = "digit " + std::to_string(op + 1);
            ModelDigit(op + 1);
            PressDigit(op + 1);
        } else if (op == 9) {
            const int d = OutOfRange[in.Byte() % OutOfRange.size()];
            Action = "digit " + std::to_string(d);
            ModelDigit(d);
            PressDigit(d);
        } else if (op < 12) {
            Action = "Clear";
            ModelClear();
            ClearEntry();
        } else if (op < 14) {
            Action = "GO";
            ModelGo();
            SubmitGuess();
        } else if (op == 14) {
            const int d = M.secret[(M.entered + 1) % 4];
            Action = "secret digit " + std::to_string(d) + " one place on";
            ModelDigit(d);
            PressDigit(d);
        } else if (op == 15) {
            const uint16_t seed = in.Word();
            Action = "New game " + std::to_string(seed);
            Want = {{EffectKind::Restore, GameState.enteredCount}};
            NewGame(seed);
        } else if (op < 19) {
            SoundOn = op - 16;
            Action = "sound " + std::to_string(SoundOn);
        } else {
            const int d = M.secret[M.entered % 4];
            Action = "secret digit " + std::to_string(d);
            ModelDigit(d);
            PressDigit(d);
        }
        if (Trace) {
            std::fprintf(stderr, "%d: %s ->", Step, Action.c_str());
            for (const auto& e : Recorded.log)
                std::fprintf(stderr, " [%s]", Describe(e).c_str());
            std::fprintf(stderr, "\n");
        }
        CheckAgainstModel(wasOver);
        CheckInvariants();
    }
    return 0;
}
