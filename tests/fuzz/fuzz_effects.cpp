#include "fuzz_effects.h"

#include <algorithm>

#include "game/effects.h"
#include "game/game_state.h"

FuzzEffects Recorded;

namespace {

void Record(EffectKind kind, int a = 0, int b = 0, std::string text = {})
{
    Recorded.log.push_back({kind, a, b, std::move(text)});
}

void Misuse(const std::string& what)
{
    if (Recorded.misuse.empty())
        Recorded.misuse = what;
}

// The keypad puts every used digit button back to normal by reading the flags,
// which the game clears only after the call.
void RestoreUsedDigits()
{
    for (int index = 0; index < 9; ++index)
        if (GameState.digitUsed[index] == 1)
            Recorded.faces.digitUsed[index] = false;
}

} // namespace

void MarkDigitUsed(int n, int index)
{
    Record(EffectKind::Mark, n, index);
    if (n < 1 || n > 4 || index < 0 || index > 8) {
        Misuse("MarkDigitUsed(" + std::to_string(n) + ", " + std::to_string(index) + ")");
        return;
    }
    Recorded.faces.digitUsed[index] = true;
    if (n == 4)
        Recorded.faces.goReady = true;
    else if (n == 1)
        Recorded.faces.clearActive = true;
}

void RestoreKeypad(int n)
{
    Record(EffectKind::Restore, n);
    if (n < 0 || n > 4)
        Misuse("RestoreKeypad(" + std::to_string(n) + ")");
    if (n == 4) {
        Recorded.faces.goReady = false;
        Recorded.faces.clearActive = false;
    } else if (n != 0) {
        Recorded.faces.clearActive = false;
    }
    RestoreUsedDigits();
}

void ResetKeypadAfterJudgement()
{
    Record(EffectKind::ResetKeys);
    Recorded.faces.goReady = false;
    Recorded.faces.clearActive = false;
    RestoreUsedDigits();
}

void DrawEntryDigit(int n, int d)
{
    Record(EffectKind::Entry, n, d);
}

void EraseEntryBoxes()
{
    Record(EffectKind::Erase);
}

void DrawHistoryLine(int n)
{
    Record(EffectKind::History, n);
}

void InvalidateMainWindow()
{
    Record(EffectKind::Invalidate);
}

// What a reader is told changes nothing that the model follows.
void AnnounceRow(int) {}
void AnnounceEntry() {}

// The record is counted by its own rules (record/player_record.h).
void RecordGameOpened() {}
void RecordGameEnded(int) {}

void PlayGameSound(const char* fileName)
{
    Record(EffectKind::Sound, 0, 0, fileName ? fileName : "(null)");
}

void ShowResultDialog()
{
    // Read the texts the way the dialog does: as C strings in their buffers.
    const auto& head = GameState.resultHeadline;
    const auto& answer = GameState.resultAnswer;
    const bool terminated = std::find(head.begin(), head.end(), '\0') != head.end() &&
                            std::find(answer.begin(), answer.end(), '\0') != answer.end();
    if (!terminated) {
        Misuse("ShowResultDialog with an unterminated result text");
        Record(EffectKind::Dialog);
        return;
    }
    Record(EffectKind::Dialog, 0, 0, std::string(head.data()) + " | " + answer.data());
}

std::string Describe(const Effect& e)
{
    static const char* const names[] = {"mark", "restore", "resetkeys", "entry", "erase",
                                        "history", "invalidate", "sound", "dialog"};
    std::string s = names[static_cast<int>(e.kind)];
    switch (e.kind) {
    case EffectKind::Mark:
    case EffectKind::Entry: s += " " + std::to_string(e.a) + " " + std::to_string(e.b); break;
    case EffectKind::Restore:
    case EffectKind::History: s += " " + std::to_string(e.a); break;
    case EffectKind::Sound:
    case EffectKind::Dialog: s += " \"" + e.text + "\""; break;
    default: break;
    }
    return s;
}
