#pragma once
// The window side as the fuzz targets see it: every effect the rules ask for is
// written down, and the keypad calls drive a model of the faces the eleven
// buttons would show, so a target can hold it against the game's state.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class EffectKind { Mark, Restore, ResetKeys, Entry, Erase, History, Invalidate, Sound, Dialog };

struct Effect {
    EffectKind kind;
    int a;
    int b;
    std::string text;  // sound file name, or the dialog's two lines joined by " | "

    Effect(EffectKind kind, int a = 0, int b = 0, std::string text = {})
        : kind(kind), a(a), b(b), text(std::move(text))
    {
    }

    bool operator==(const Effect&) const = default;
};

// What each button shows: the digit buttons normal or used, GO idle or ready,
// Clear idle or active.
struct KeypadFaces {
    std::array<bool, 9> digitUsed{};
    bool goReady = false;
    bool clearActive = false;
};

struct FuzzEffects {
    std::vector<Effect> log;
    KeypadFaces faces;
    // Set when a keypad call gets an argument the real keypad would index with.
    std::string misuse;

    void Reset()
    {
        log.clear();
        faces = {};
        misuse.clear();
    }
};

extern FuzzEffects Recorded;

std::string Describe(const Effect& effect);
