#include "player_record.h"

#include <algorithm>
#include <cstdio>

const std::array<const char*, RecordKeyCount> RecordKeyNames = {
    "Played", "Won",  "Streak", "BestStreak", "Win1", "Win2",  "Win3", "Win4",
    "Win5",   "Win6", "Win7",   "Win8",       "Win9", "Win10", "Open",
};

// A win writes its streak, then its count in k guesses, then Played: a process that
// dies between the last two leaves more wins by guesses than Won, which tells
// LoadRecord that the win is in. Won and BestStreak follow, which the repair restores.
const std::array<int, RecordKeyCount> RecordWriteOrder = {
    RecordStreak,   RecordWin1,     RecordWin1 + 1, RecordWin1 + 2, RecordWin1 + 3,
    RecordWin1 + 4, RecordWin1 + 5, RecordWin1 + 6, RecordWin1 + 7, RecordWin1 + 8,
    RecordWin1 + 9, RecordPlayed,   RecordWon,      RecordBestStreak, RecordOpen,
};

namespace {

int32_t Capped(int64_t value)
{
    return static_cast<int32_t>(std::min<int64_t>(value, RecordMaxValue));
}

void Count(int32_t& value)
{
    value = Capped(int64_t{value} + 1);
}

int64_t Wins(const RecordValues& record)
{
    int64_t wins = 0;
    for (int k = 0; k < RecordMaxGuesses; ++k)
        wins += record[RecordWin1 + k];
    return wins;
}

} // namespace

int32_t ParseRecordValue(const char* text)
{
    int64_t value = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = std::min<int64_t>(value * 10 + (*p - '0'), RecordMaxValue);
    return p == text || *p != '\0' ? -1 : static_cast<int32_t>(value);
}

RecordValues LoadRecord(const RecordValues& read)
{
    RecordValues r = read;
    for (int32_t& value : r)
        value = std::max(value, 0);
    const int64_t wins = Wins(r);
    const bool winWrittenInPart = wins > r[RecordWon];
    r[RecordWon] = Capped(wins);
    r[RecordPlayed] = std::max(r[RecordPlayed], r[RecordWon]);
    r[RecordStreak] = std::min(r[RecordStreak], r[RecordWon]);
    r[RecordBestStreak] = std::min(std::max(r[RecordBestStreak], r[RecordStreak]), r[RecordWon]);
    // A game that a process left open: killed, crashed or logged off before it ended.
    if (r[RecordOpen] > r[RecordPlayed]) {
        Count(r[RecordPlayed]);
        if (!winWrittenInPart)
            r[RecordStreak] = 0;
    }
    r[RecordOpen] = 0;
    return r;
}

void OpenRecordedGame(RecordValues& record)
{
    if (record[RecordOpen] != 0)
        SettleRecordedGame(record, 0);
    record[RecordOpen] = Capped(int64_t{record[RecordPlayed]} + 1);
}

void SettleRecordedGame(RecordValues& record, int guesses)
{
    if (guesses >= 1 && guesses <= RecordMaxGuesses) {
        Count(record[RecordWin1 + guesses - 1]);
        Count(record[RecordWon]);
        Count(record[RecordStreak]);
        record[RecordBestStreak] = std::max(record[RecordBestStreak], record[RecordStreak]);
    } else {
        record[RecordStreak] = 0;
    }
    Count(record[RecordPlayed]);
    record[RecordOpen] = 0;
}

void ResetRecord(RecordValues& record)
{
    const bool open = record[RecordOpen] != 0;
    record.fill(0);
    record[RecordOpen] = open ? 1 : 0;
}

std::array<RecordLine, RecordSummaryLines + RecordMaxGuesses> RecordTexts(const RecordValues& record)
{
    std::array<RecordLine, RecordSummaryLines + RecordMaxGuesses> texts{};
    const auto print = [&](int line, const char* format, auto... values) {
        std::snprintf(texts[line].data(), texts[line].size(), format, values...);
    };
    const int64_t played = record[RecordPlayed], wins = Wins(record);
    const int64_t rate = played > 0 ? std::min<int64_t>(int64_t{record[RecordWon]} * 100 / played, 100) : 0;
    int64_t guesses = 0;
    for (int k = 1; k <= RecordMaxGuesses; ++k)
        guesses += int64_t{k} * record[RecordWin1 + k - 1];
    print(0, "プレイ回数 %d", record[RecordPlayed]);
    print(1, "勝ち %d", record[RecordWon]);
    print(2, "勝率 %d%%", static_cast<int>(rate));
    print(3, "現在の連勝 %d", record[RecordStreak]);
    print(4, "最長連勝 %d", record[RecordBestStreak]);
    if (wins > 0) {
        const auto tenths = static_cast<int>((20 * guesses + wins) / (2 * wins));  // halves round up
        print(5, "平均 %d.%d 回", tenths / 10, tenths % 10);
    } else {
        print(5, "%s", "平均 - 回");
    }
    for (int k = 1; k <= RecordMaxGuesses; ++k)
        print(RecordSummaryLines + k - 1, "%d回 %d", k, record[RecordWin1 + k - 1]);
    return texts;
}

int RecordBarLength(const RecordValues& record, int k, int span)
{
    const auto first = record.begin() + RecordWin1;
    const int64_t most = *std::max_element(first, first + RecordMaxGuesses);
    if (k < 1 || k > RecordMaxGuesses || span <= 0)
        return 0;
    const int64_t wins = record[RecordWin1 + k - 1];
    if (wins == 0)
        return 0;
    return static_cast<int>(std::max<int64_t>(wins * span / most, 1));
}
