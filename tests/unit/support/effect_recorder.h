#pragma once
// Stands in for the window side of the game: every effect the game asks for is
// written down in order, so tests check the sequence and not just the end state.
// The keypad's restores also write the digits flagged used when they happen.
#include <string>
#include <vector>

struct EffectRecorder {
    std::vector<std::string> log;
    // Called by ShowResultDialog, with the two texts the dialog would show.
    std::vector<std::pair<std::string, std::string>> dialogs;
    // What the record is told, apart from the log; "dialog" marks where the result dialog opened.
    std::vector<std::string> record;
    void Clear()
    {
        log.clear();
        dialogs.clear();
        record.clear();
    }
};

extern EffectRecorder Effects;
