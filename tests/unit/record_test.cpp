// The player's record: games counted as they end, the dialog's texts and bars, and
// what a damaged or half-written file reads as.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/player_record.h"

namespace {

std::vector<std::string> Texts(const RecordValues& record)
{
    std::vector<std::string> texts;
    for (const RecordLine& line : RecordTexts(record))
        texts.emplace_back(line.data());
    return texts;
}

// Each game opened and ended: won in k guesses, or 0 for lost or abandoned.
RecordValues Play(RecordValues record, std::initializer_list<int> games)
{
    for (int k : games) {
        OpenRecordedGame(record);
        SettleRecordedGame(record, k);
    }
    return record;
}

TEST(RecordCounting, WinsLossesAbandonsStreaksAndTheDerivedTexts)
{
    EXPECT_EQ(Texts({})[2] + Texts({})[5], "勝率 0%平均 - 回");
    // 4 wins of 6 is 66.7%, rounded down; 17 guesses in 4 wins, 4.25, a half rounded up.
    RecordValues record = Play({}, {3, 4, 4, 6, 0, 0});
    EXPECT_EQ(Texts(record), (std::vector<std::string>{"プレイ回数 6", "勝ち 4", "勝率 66%", "現在の連勝 0",
                                                       "最長連勝 4", "平均 4.3 回", "1回 0", "2回 0", "3回 1", "4回 2",
                                                       "5回 0", "6回 1", "7回 0", "8回 0", "9回 0", "10回 0"}));
    record[RecordWin1 + 8] = 4;
    EXPECT_EQ((std::vector{RecordBarLength(record, 9, 90), RecordBarLength(record, 4, 90),
                           RecordBarLength(record, 1, 90), RecordBarLength(record, 11, 90)}),
              (std::vector{90, 45, 0, 0}));
    record[RecordWin1 + 8] = 5000;
    EXPECT_EQ(RecordBarLength(record, 3, 90), 1) << "a win never draws as none";

    record = Play({}, {2, 2});
    OpenRecordedGame(record);
    OpenRecordedGame(record);  // the first never ended: lost
    EXPECT_EQ(Texts(record)[0] + Texts(record)[3], "プレイ回数 3現在の連勝 0");
    ResetRecord(record);  // the game in progress counts in the new record, even if killed
    EXPECT_EQ(Texts(LoadRecord(record))[0], "プレイ回数 1");
    SettleRecordedGame(record, 10);
    EXPECT_EQ(Texts(record)[0] + Texts(record)[2] + Texts(record)[4] + Texts(record)[5] + Texts(record)[15],
              "プレイ回数 1勝率 100%最長連勝 1平均 10.0 回10回 1");
}

// What part of a game's end reaches the file before the process dies: none of it
// reads as the game lost; from its count in k guesses on, as the game won.
void ExpectEveryPartReadsLostOrWon(const RecordValues& open, int guesses)
{
    RecordValues won = open, lost = open, file = open;
    SettleRecordedGame(won, guesses);
    SettleRecordedGame(lost, 0);
    EXPECT_EQ(LoadRecord(file), lost) << "nothing written";
    bool winIn = false;
    for (const int key : RecordWriteOrder) {
        if (file[key] == won[key])
            continue;
        file[key] = won[key];
        winIn = winIn || key == RecordWin1 + guesses - 1;
        EXPECT_EQ(LoadRecord(file), winIn ? won : lost) << "won in " << guesses << ", up to " << RecordKeyNames[key];
    }
}

TEST(RecordRepair, DamagedValuesAndGamesLeftOpen)
{
    const std::pair<const char*, int> values[] = {{"7", 7},    {"007", 7},     {"", -1},  {"-3", -1},
                                                  {"1.5", -1}, {"12abc", -1}, {"+3", -1}, {"99999999999", RecordMaxValue}};
    for (const auto& [text, value] : values)
        EXPECT_EQ(ParseRecordValue(text), value) << '"' << text << '"';

    // Won from the wins by guesses, then Played, Streak and BestStreak against it.
    RecordValues read{9, 9, 7, 1, 0, 0, 2, -1, 3, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(LoadRecord(read), (RecordValues{9, 5, 5, 5, 0, 0, 2, 0, 3, 0, 0, 0, 0, 0, 0}));
    read = {1, -4, 0, 8, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(LoadRecord(read), (RecordValues{2, 2, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    RecordValues open = Play({}, {3, 4});
    OpenRecordedGame(open);
    for (int guesses : {0, 1, 5, 10})
        ExpectEveryPartReadsLostOrWon(open, guesses);
}

} // namespace
