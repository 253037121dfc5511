#include "effect_recorder.h"

#include "game/effects.h"
#include "game/game_state.h"
#include "reader/spoken.h"

EffectRecorder Effects;

namespace {
void Record(std::string entry)
{
    Effects.log.push_back(std::move(entry));
}
// What the keypad reads when it puts the normal faces back: the digits flagged used.
std::string UsedDigits()
{
    std::string used = " [";
    for (int d = 1; d <= 9; ++d)
        if (GameState.digitUsed[d - 1] == 1)
            used += static_cast<char>('0' + d);
    return used + "]";
}
} // namespace

void MarkDigitUsed(int n, int index)
{
    Record("mark " + std::to_string(n) + " " + std::to_string(index));
}
void RestoreKeypad(int n)
{
    Record("restore " + std::to_string(n) + UsedDigits());
}
void ResetKeypadAfterJudgement()
{
    Record("resetkeys" + UsedDigits());
}
void DrawEntryDigit(int n, int d)
{
    Record("entry " + std::to_string(n) + " " + std::to_string(d));
}
void EraseEntryBoxes()
{
    Record("erase");
}
void DrawHistoryLine(int n)
{
    Record("history " + std::to_string(n));
}
// With what a reader would hear at that moment.
void AnnounceRow(int n)
{
    Record("announce " + std::to_string(n) + " " + SpokenPart(n + 1).c_str());
}
void AnnounceEntry()
{
    Record(std::string("announce ") + SpokenPart(EntryPart).c_str());
}
void InvalidateMainWindow()
{
    Record("invalidate");
}
void PlayGameSound(const char* fileName)
{
    Record(std::string("sound ") + fileName);
}
void RecordGameOpened()
{
    Effects.record.emplace_back("open");
}
void RecordGameEnded(int guesses)
{
    Effects.record.push_back("end " + std::to_string(guesses));
}
void ShowResultDialog()
{
    Record("dialog");
    Effects.record.emplace_back("dialog");
    Effects.dialogs.emplace_back(GameState.resultHeadline.data(), GameState.resultAnswer.data());
}
