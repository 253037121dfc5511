#include "effect_recorder.h"

#include "game/effects.h"
#include "game/game_state.h"

EffectRecorder Effects;

namespace {
void Record(std::string entry)
{
    Effects.log.push_back(std::move(entry));
}
} // namespace

void MarkDigitUsed(int n, int index)
{
    Record("mark " + std::to_string(n) + " " + std::to_string(index));
}
void RestoreKeypad(int n)
{
    Record("restore " + std::to_string(n));
}
void ResetKeypadAfterJudgement()
{
    Record("resetkeys");
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
void InvalidateMainWindow()
{
    Record("invalidate");
}
void PlayGameSound(const char* fileName)
{
    Record(std::string("sound ") + fileName);
}
void ShowResultDialog()
{
    Record("dialog");
    Effects.dialogs.emplace_back(GameState.resultHeadline.data(), GameState.resultAnswer.data());
}
