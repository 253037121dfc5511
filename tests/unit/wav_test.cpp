// The five committed sound effects: plain PCM that every wave player takes,
// sensible lengths, loud enough without clipping, and silent at both ends so
// that starting or cutting one off never clicks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "../../tools/bmpio.h"

namespace {

struct Wave {
    uint16_t format = 0, channels = 0, bits = 0, blockAlign = 0;
    uint32_t rate = 0, byteRate = 0;
    std::vector<int16_t> samples;
    double Seconds() const { return rate ? double(samples.size()) / rate : 0; }
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

// Walks the RIFF chunks; fails the test on anything malformed.
Wave ReadWave(const std::string& name) {
    const auto b = velquin::img::ReadFileBytes(std::string(VELQUIN_SOURCE_DIR) + "/res/sounds/" + name);
    Wave w;
    if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        ADD_FAILURE() << name << ": not a RIFF WAVE file";
        return w;
    }
    EXPECT_EQ(Le(b, 4, 4), b.size() - 8) << name << ": RIFF size";
    bool sawFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + long(at), b.begin() + long(at) + 4);
        const uint32_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) {
            ADD_FAILURE() << name << ": chunk " << id << " runs past the end";
            break;
        }
        if (id == "fmt ") {
            sawFormat = true;
            w.format = uint16_t(Le(b, at + 8, 2));
            w.channels = uint16_t(Le(b, at + 10, 2));
            w.rate = Le(b, at + 12, 4);
            w.byteRate = Le(b, at + 16, 4);
            w.blockAlign = uint16_t(Le(b, at + 20, 2));
            w.bits = uint16_t(Le(b, at + 22, 2));
        } else if (id == "data") {
            EXPECT_TRUE(sawFormat) << name << ": data before fmt";
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(Le(b, at + 8 + i, 2)));
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

struct Expectation {
    const char* name;
    double minSeconds, maxSeconds;
};

// Short enough not to lag behind the clicks that trigger them.
const Expectation kSounds[] = {
    {"21.wav", 0.03, 0.15},     // digit accepted: a pip
    {"PIN1.wav", 0.2, 0.8},     // guess judged: a ping
    {"FAN2.wav", 1.2, 2.0},     // win: a fanfare
    {"DOWN1.wav", 1.0, 2.5},    // loss: a falling phrase
    {"whuf.WAV", 0.1, 0.5},     // tile snaps
};

TEST(Sounds, AllFiveExistUnderTheirExactNames) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(std::string(VELQUIN_SOURCE_DIR) + "/res/sounds"))
        names.push_back(e.path().filename().string());
    for (const Expectation& s : kSounds)
        EXPECT_NE(std::find(names.begin(), names.end(), s.name), names.end()) << s.name << " missing (names are case-sensitive here)";
}

TEST(Sounds, HeadersArePlainSixteenBitMonoPcm) {
    for (const Expectation& s : kSounds) {
        SCOPED_TRACE(s.name);
        const Wave w = ReadWave(s.name);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.blockAlign, 2);
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100 || w.rate == 11025) << w.rate;
        EXPECT_EQ(w.byteRate, w.rate * 2);
        EXPECT_GE(w.Seconds(), s.minSeconds);
        EXPECT_LE(w.Seconds(), s.maxSeconds);
    }
}

TEST(Sounds, LevelsAreHealthyWithoutClippingOrOffset) {
    for (const Expectation& s : kSounds) {
        SCOPED_TRACE(s.name);
        const Wave w = ReadWave(s.name);
        ASSERT_FALSE(w.samples.empty());
        int peak = 0, clipped = 0;
        double sum = 0;
        for (int16_t v : w.samples) {
            peak = std::max(peak, std::abs(int(v)));
            clipped += v == 32767 || v == -32768;
            sum += v;
        }
        EXPECT_EQ(clipped, 0);
        EXPECT_LT(peak, 32767 * 0.97) << "peak above -0.3 dBFS";
        EXPECT_GT(peak, 32767 * 0.5) << "peak below -6 dBFS";
        EXPECT_LT(std::abs(sum / double(w.samples.size())), 32767 * 0.01) << "DC offset";
    }
}

TEST(Sounds, BothEndsFadeToSilence) {
    for (const Expectation& s : kSounds) {
        SCOPED_TRACE(s.name);
        const Wave w = ReadWave(s.name);
        ASSERT_GT(w.samples.size(), 64u);
        EXPECT_LE(std::abs(int(w.samples.front())), 100);
        EXPECT_LE(std::abs(int(w.samples.back())), 100);
        // The fades take a few milliseconds: the first and last samples stay quiet.
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_LE(std::abs(int(w.samples[i])), 3277) << "start, sample " << i;
            EXPECT_LE(std::abs(int(w.samples[w.samples.size() - 1 - i])), 3277) << "end, sample " << i;
        }
    }
}

}  // namespace
