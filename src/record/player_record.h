#pragma once
// The player's record: the counting, the repair of a damaged record, the texts of
// the record dialog and the keys of the settings file's section that holds it.
#include <array>
#include <cstdint>

// The keys of the section, in the order they stand in the file.
enum RecordKey : int {
    RecordPlayed,
    RecordWon,
    RecordStreak,
    RecordBestStreak,
    RecordWin1,                    // + k - 1: the games won in k guesses, k = 1..10
    RecordOpen = RecordWin1 + 10,  // the number in Played of the game in progress; 0: none
    RecordKeyCount
};

inline constexpr const char* RecordSection = "Record";
inline constexpr int RecordMaxGuesses = 10;
inline constexpr int32_t RecordMaxValue = 999999999;  // nine digits: a count stays there

using RecordValues = std::array<int32_t, RecordKeyCount>;

extern const std::array<const char*, RecordKeyCount> RecordKeyNames;
// The order in which the changed keys are written: whatever part of a change reaches
// the file before the process dies, LoadRecord reads the game as lost or as won.
extern const std::array<int, RecordKeyCount> RecordWriteOrder;

// A value as the file holds it: digits alone (at most RecordMaxValue), else -1.
int32_t ParseRecordValue(const char* text);
// The record from the values read (-1 for a key missing or unreadable), repaired,
// with a game that a process left open counted.
RecordValues LoadRecord(const RecordValues& read);
// A game's first judged guess.
void OpenRecordedGame(RecordValues& record);
// A game's end: won in guesses (1..10), or lost or abandoned (0).
void SettleRecordedGame(RecordValues& record, int guesses);
// Every count 0; a game in progress stays open, as the first game of the new record.
void ResetRecord(RecordValues& record);

// The dialog's texts in code page 932: played, won, win rate, streak, best streak,
// mean, then "k回 N" for k = 1..10.
inline constexpr int RecordSummaryLines = 6;
using RecordLine = std::array<char, 32>;
std::array<RecordLine, RecordSummaryLines + RecordMaxGuesses> RecordTexts(const RecordValues& record);
// The bar of the wins in k guesses in a space span wide: the most wins fill it, none draws nothing.
int RecordBarLength(const RecordValues& record, int k, int span);
