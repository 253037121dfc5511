// Turn flow: what is accepted, and the exact order of effects each action triggers.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "effect_recorder.h"
#include "game/game_state.h"
#include "game/sound_switch.h"
#include "reader/spoken.h"
#include "solver.h"

namespace {

using Log = std::vector<std::string>;

class GameFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoundOn = 1;
        ResetGame();
        GameState.secret = {1, 2, 3, 4};
        Effects.Clear();
    }
    void Enter(const char* digits)
    {
        for (const char* p = digits; *p; ++p)
            PressDigit(*p - '0');
    }
    void Play(const char* digits)
    {
        Enter(digits);
        SubmitGuess();
    }
    std::string Line(int row) const { return GameState.historyLines[row].data(); }
};

TEST_F(GameFlow, DigitPressEffectsInOrder)
{
    PressDigit(3);
    EXPECT_EQ(Effects.log, (Log{"sound 21.wav", "mark 1 2", "entry 1 3", "announce 入力 3", "invalidate"}));
    Effects.Clear();
    Enter("719");
    EXPECT_EQ(Effects.log, (Log{"sound 21.wav", "mark 2 6", "entry 2 7", "announce 入力 3 7", "invalidate",  //
                                "sound 21.wav", "mark 3 0", "entry 3 1", "announce 入力 3 7 1", "invalidate",  //
                                "sound 21.wav", "mark 4 8", "entry 4 9", "announce 入力 3 7 1 9", "invalidate"}));
    EXPECT_EQ(GameState.enteredCount, 4);
    EXPECT_EQ(GameState.guess, (Guess{3, 7, 1, 9}));
    const std::array<int32_t, 9> used{1, 0, 1, 0, 0, 0, 1, 0, 1};
    EXPECT_EQ(GameState.digitUsed, used);
}

TEST_F(GameFlow, RefusedInputOnlySaysTheEntryAsItStands)
{
    Enter("5");
    Effects.Clear();
    PressDigit(5);  // the same digit twice
    SubmitGuess();  // GO with one digit
    EXPECT_EQ(Effects.log, (Log{"announce 入力 5", "announce 入力 5"}));
    Enter("123");
    Effects.Clear();
    PressDigit(9);  // a fifth digit
    EXPECT_EQ(Effects.log, (Log{"announce 入力 5 1 2 3"}));
    EXPECT_EQ(GameState.guess, (Guess{5, 1, 2, 3}));
    EXPECT_EQ(GameState.guessCount, 0);
}

TEST_F(GameFlow, ClearIsAcceptedEvenWithNothingEntered)
{
    ClearEntry();
    EXPECT_EQ(Effects.log, (Log{"restore 0 []", "erase", "announce 入力なし", "invalidate"}));
    Enter("86");
    Effects.Clear();
    ClearEntry();
    EXPECT_EQ(Effects.log, (Log{"restore 2 [68]", "erase", "announce 入力なし", "invalidate"}));
    EXPECT_EQ(GameState.enteredCount, 0);
    EXPECT_EQ(GameState.digitUsed, (std::array<int32_t, 9>{}));
    PressDigit(8);  // usable again after Clear
    EXPECT_EQ(GameState.guess[0], 8);
}

TEST_F(GameFlow, GuessJudgedFormatsTheSixteenCharacterLine)
{
    Enter("1563");
    Effects.Clear();
    SubmitGuess();
    EXPECT_EQ(Effects.log, (Log{"resetkeys [1356]", "history 0", "announce 0 1回目 1 5 6 3、1ストライク 1ボール", "erase",
                                "invalidate", "sound PIN1.wav"}));
    EXPECT_EQ(Line(0), "1 5 6 3    1   1");
    EXPECT_EQ(Line(0).size(), 16u);
    EXPECT_EQ(Effects.record, Log{"open"});
    EXPECT_EQ(Line(1), std::string(16, ' '));
    EXPECT_STREQ(SpokenPart(2).c_str(), "2回目 まだ");
    EXPECT_EQ(GameState.guessCount, 1);
    EXPECT_EQ(GameState.enteredCount, 0);
    EXPECT_EQ(GameState.digitUsed, (std::array<int32_t, 9>{}));
}

TEST_F(GameFlow, BrowseKeysMoveOverTheJudgedRowsAndTheEntryOnly)
{
    constexpr int up = 0x26, down = 0x28, home = 0x24, end = 0x23;
    EXPECT_EQ(BrowseTarget(up, EntryPart), EntryPart) << "no judged row yet";
    Play("5678");
    Play("1563");
    EXPECT_EQ((std::vector{BrowseTarget(up, EntryPart), BrowseTarget(up, 1), BrowseTarget(down, 2),
                           BrowseTarget(down, EntryPart), BrowseTarget(home, EntryPart), BrowseTarget(end, 1)}),
              (std::vector{2, 1, EntryPart, EntryPart, 1, EntryPart}));
    EXPECT_EQ(BrowseTarget(up, 7), 2) << "a row still to play counts as the entry";
    EXPECT_EQ(BrowseTarget(0x25, 2), 0) << "Left is no browse key";
}

TEST_F(GameFlow, WinShowsTheAnswerAndEndsInput)
{
    Play("1234");
    EXPECT_EQ(Effects.log, (Log{"sound 21.wav", "mark 1 0", "entry 1 1", "announce 入力 1", "invalidate",  //
                                "sound 21.wav", "mark 2 1", "entry 2 2", "announce 入力 1 2", "invalidate",  //
                                "sound 21.wav", "mark 3 2", "entry 3 3", "announce 入力 1 2 3", "invalidate",  //
                                "sound 21.wav", "mark 4 3", "entry 4 4", "announce 入力 1 2 3 4", "invalidate",  //
                                "resetkeys [1234]", "history 0", "announce 0 1回目 1 2 3 4、4ストライク 0ボール", "erase",
                                "invalidate", "sound FAN2.wav", "dialog"}));
    EXPECT_EQ(Effects.record, (Log{"open", "end 1", "dialog"})) << "counted before anything shows the end";
    ASSERT_EQ(Effects.dialogs.size(), 1u);
    EXPECT_EQ(Effects.dialogs[0].first, "おめでとうございます");
    EXPECT_EQ(Effects.dialogs[0].second, "こたえは 1234 でした");
    EXPECT_EQ(GameState.finished, 1);
    EXPECT_STREQ(SpokenResult().c_str(), "1回目 1 2 3 4、4ストライク 0ボール、こたえは 1 2 3 4 でした");
    Effects.Clear();
    PressDigit(5);
    ClearEntry();
    SubmitGuess();
    const std::string over = "announce ゲーム終了、新しいゲームはゲームメニューから";
    EXPECT_EQ(Effects.log, (Log{over, over, over})) << "nothing is accepted after a win, and each key says so";
}

TEST_F(GameFlow, WinOnTheTenthGuessIsAWinWithTheFanfare)
{
    for (int i = 0; i < 9; ++i)
        Play("5678");
    Effects.Clear();
    Play("1234");
    EXPECT_EQ(GameState.guessCount, 10);
    EXPECT_EQ(Effects.log.back(), "dialog");
    EXPECT_EQ(Effects.log[Effects.log.size() - 2], "sound FAN2.wav");
    for (const auto& e : Effects.log)
        EXPECT_NE(e, "sound DOWN1.wav");
    ASSERT_EQ(Effects.dialogs.size(), 1u);
    EXPECT_EQ(Effects.dialogs[0].first, "おめでとうございます");
    EXPECT_EQ(Line(9), "1 2 3 4    4   0");
    EXPECT_EQ(Effects.record, (Log{"end 10", "dialog"}));
}

TEST_F(GameFlow, MissOnTheTenthGuessLosesWithoutThePing)
{
    GameState.secret = {7, 1, 9, 3};
    for (int i = 0; i < 9; ++i)
        Play("1234");
    Effects.Clear();
    Enter("5678");
    Effects.Clear();
    SubmitGuess();
    EXPECT_EQ(Effects.log, (Log{"resetkeys [5678]", "history 9", "announce 9 10回目 5 6 7 8、0ストライク 1ボール", "erase",
                                "invalidate", "sound DOWN1.wav", "dialog"}));
    ASSERT_EQ(Effects.dialogs.size(), 1u);
    EXPECT_EQ(Effects.dialogs[0].first, "残念でした");
    EXPECT_EQ(Effects.dialogs[0].second, "こたえは 7193 でした");
    EXPECT_EQ(Effects.record, (Log{"end 0", "dialog"}));
    EXPECT_EQ(GameState.finished, 0);
    Effects.Clear();
    Enter("12");
    ClearEntry();
    EXPECT_EQ(Effects.log.size(), 3u) << "nothing is accepted after a loss";
    EXPECT_EQ(Effects.log.back(), "announce ゲーム終了、新しいゲームはゲームメニューから");
}

TEST_F(GameFlow, SoundOffOrAnyValueButOneIsSilentWithTheSameFlow)
{
    for (int32_t sound : {0, 2, -1}) {
        SoundOn = sound;
        ResetGame();
        GameState.secret = {1, 2, 3, 4};
        Effects.Clear();
        for (int i = 0; i < 9; ++i)
            Play("5678");
        Play("1234");
        for (const auto& e : Effects.log)
            EXPECT_EQ(e.rfind("sound", 0), std::string::npos) << "SoundOn " << sound << ": " << e;
        EXPECT_EQ(Effects.log.back(), "dialog");
        EXPECT_EQ(GameState.finished, 1);
    }
}

TEST_F(GameFlow, ResetClearsEverythingAndDrawsAValidSecret)
{
    Play("5678");
    Enter("12");
    GameState.secret = {};  // a secret no game can win: a reset that draws none keeps it
    const auto before = static_cast<uint32_t>(std::time(nullptr));
    ResetGame();
    const auto after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_TRUE(GameState.secret == SecretFromSeed(before) || GameState.secret == SecretFromSeed(after))
        << "drawn afresh, seeded with the time of the reset";
    EXPECT_EQ(GameState.enteredCount, 0);
    EXPECT_EQ(GameState.guessCount, 0);
    EXPECT_EQ(GameState.finished, 0);
    EXPECT_EQ(GameState.guess, (Guess{}));
    EXPECT_EQ(GameState.digitUsed, (std::array<int32_t, 9>{}));
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(Line(row), std::string(16, ' '));
    for (int i = 0; i < 4; ++i) {
        EXPECT_GE(GameState.secret[i], 1);
        EXPECT_LE(GameState.secret[i], 9);
    }
    EXPECT_TRUE(Effects.log.empty() || Effects.log.back() != "dialog");
}

TEST_F(GameFlow, ResultTextsAreShiftJisBytes)
{
    // おめでとうございます and 残念でした in code page 932.
    Play("1234");
    const unsigned char congrats[] = {0x82, 0xa8, 0x82, 0xdf, 0x82, 0xc5, 0x82, 0xc6, 0x82, 0xa4,
                                      0x82, 0xb2, 0x82, 0xb4, 0x82, 0xa2, 0x82, 0xdc, 0x82, 0xb7, 0};
    EXPECT_EQ(std::memcmp(GameState.resultHeadline.data(), congrats, sizeof congrats), 0);
    const unsigned char answer[] = {0x82, 0xb1, 0x82, 0xbd, 0x82, 0xa6, 0x82, 0xcd, ' ', '1', '2', '3', '4', ' ',
                                    0x82, 0xc5, 0x82, 0xb5, 0x82, 0xbd, 0};
    EXPECT_EQ(std::memcmp(GameState.resultAnswer.data(), answer, sizeof answer), 0);
}

// A player's proof: reading only the history lines, the solver finds every secret.
TEST(Solver, FindsEverySecretWithinTenGuessesThroughTheGame)
{
    solver::Player player;
    SoundOn = 0;
    int worst = 0, total = 0;
    for (const auto& code : solver::AllCodes()) {
        ResetGame();
        GameState.secret = code;
        player.Restart();
        while (GameState.finished == 0 && GameState.guessCount < 10) {
            for (int d : player.Guess())
                PressDigit(d);
            const int row = GameState.guessCount;
            SubmitGuess();
            const char* line = GameState.historyLines[row].data();
            if (GameState.finished == 0) {
                ASSERT_TRUE(player.Feed(line[11] - '0', line[15] - '0')) << line;
            }
        }
        ASSERT_EQ(GameState.finished, 1) << "lost on " << code[0] << code[1] << code[2] << code[3];
        worst = std::max(worst, GameState.guessCount);
        total += GameState.guessCount;
    }
    Effects.Clear();
    RecordProperty("worst", worst);
    RecordProperty("mean_x1000", total * 1000 / 3024);
    std::printf("solver: worst %d guesses, mean %.3f over 3024 secrets\n", worst, total / 3024.0);
    EXPECT_LE(worst, 10);
}

} // namespace
