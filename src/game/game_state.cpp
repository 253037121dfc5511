#include "game_state.h"

#include <cstdio>
#include <ctime>

#include "effects.h"
#include "sound_switch.h"

GameStateRecord GameState;

namespace {

constexpr int MaxGuesses = 10;

void PlayIfSoundOn(const char* fileName)
{
    if (SoundEffectsOn())
        PlayGameSound(fileName);
}

void ClearDigitFlags()
{
    GameState.digitUsed.fill(0);
}

template <std::size_t N>
void CopyText(std::array<char, N>& out, const char* text)
{
    std::snprintf(out.data(), N, "%s", text);
}

void FillResult(const char* headline)
{
    const Secret& s = GameState.secret;
    CopyText(GameState.resultHeadline, headline);
    std::snprintf(GameState.resultAnswer.data(), GameState.resultAnswer.size(),
                  "こたえは %d%d%d%d でした", s[0], s[1], s[2], s[3]);
}

} // namespace

bool GameDecided()
{
    return GameState.finished == 1 || GameState.guessCount >= MaxGuesses;
}

void DrawSecret()
{
    // Seeded anew at every game start: two games started within the same second get the same secret.
    GameState.secret = SecretFromSeed(static_cast<uint32_t>(std::time(nullptr)));
}

void ResetGame()
{
    ClearDigitFlags();
    GameState.enteredCount = 0;
    GameState.guessCount = 0;
    GameState.finished = 0;
    GameState.guess.fill(0);
    for (auto& line : GameState.historyLines)
        CopyText(line, "                ");
    GameState.judged = {};
    DrawSecret();
}

void PressDigit(int d)
{
    if (d < 1 || d > 9)
        return;
    // A refused key says the entry as it stands: a screen reader has already echoed it.
    if (GameState.enteredCount >= 4 || GameState.digitUsed[d - 1] != 0 || GameDecided()) {
        AnnounceEntry();
        return;
    }
    PlayIfSoundOn(SoundDigit);
    const int n = ++GameState.enteredCount;
    GameState.digitUsed[d - 1] = 1;
    GameState.guess[n - 1] = d;
    MarkDigitUsed(n, d - 1);
    DrawEntryDigit(n, d);
    AnnounceEntry();
    InvalidateMainWindow();
}

void ClearEntry()
{
    if (GameDecided()) {
        AnnounceEntry();
        return;
    }
    RestoreKeypad(GameState.enteredCount);
    ClearDigitFlags();
    GameState.enteredCount = 0;
    EraseEntryBoxes();
    AnnounceEntry();
    InvalidateMainWindow();
}

void SubmitGuess()
{
    if (GameDecided() || GameState.enteredCount != 4) {
        AnnounceEntry();
        return;
    }
    ResetKeypadAfterJudgement();
    ClearDigitFlags();
    GameState.enteredCount = 0;

    const Score score = Judge(GameState.secret, GameState.guess);
    const Guess& g = GameState.guess;
    const int row = GameState.guessCount;
    GameState.judged[row] = {g, score};
    std::snprintf(GameState.historyLines[row].data(), GameState.historyLines[row].size(),
                  "%d %d %d %d    %d   %d", g[0], g[1], g[2], g[3], score.strikes, score.balls);
    DrawHistoryLine(row);
    AnnounceRow(row);
    EraseEntryBoxes();
    InvalidateMainWindow();

    const bool won = score.strikes == 4;
    if (won)
        GameState.finished = 1;
    ++GameState.guessCount;
    // The record first: a process that dies from here on has the game counted.
    if (GameState.guessCount == 1)
        RecordGameOpened();
    if (won || GameState.guessCount == MaxGuesses)
        RecordGameEnded(won ? GameState.guessCount : 0);

    if (SoundEffectsOn()) {
        if (won)
            PlayGameSound(SoundWin);
        else if (GameState.guessCount != MaxGuesses)
            PlayGameSound(SoundJudged);
    }

    if (won) {
        FillResult("おめでとうございます");
        ShowResultDialog();
    } else if (GameState.guessCount == MaxGuesses) {
        PlayIfSoundOn(SoundLoss);
        FillResult("残念でした");
        ShowResultDialog();
    }
}
