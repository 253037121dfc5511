// Synthesises the game's five sound effects as 16-bit mono PCM wave files.
// usage: wavgen OUTPUT_DIRECTORY [WAVEFORM_DIRECTORY]
// With a second directory it also draws each waveform as a PGM picture there.
// Noise comes from a fixed-seed generator, so every run writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.8912509381337456;  // -1 dBFS

using Signal = std::vector<double>;

double NoteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Deterministic white noise in -1..1.
struct Noise {
    uint32_t state = 0x1234567u;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 23) - 1.0;
    }
};

void MixAt(Signal& into, const Signal& s, double at, double gain = 1.0) {
    const size_t start = size_t(at * kRate);
    if (into.size() < start + s.size()) into.resize(start + s.size(), 0.0);
    for (size_t i = 0; i < s.size(); ++i) into[start + i] += gain * s[i];
}

// Attack, then exponential decay with time constant tau; a short release at the end.
double Envelope(double t, double length, double attack, double tau) {
    const double a = t < attack ? t / attack : 1.0;
    const double release = 0.012;
    const double r = t > length - release ? std::max(0.0, (length - t) / release) : 1.0;
    return a * std::exp(-std::max(0.0, t - attack) / tau) * r;
}

// A brass-like note: odd and even harmonics falling off as 1/n, brightening as it swells.
Signal BrassNote(double hz, double length, double vibrato = 0.0) {
    Signal s(size_t(length * kRate));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double swell = std::min(1.0, t / 0.04);
        const double f = hz * (1.0 + vibrato * std::sin(2 * kPi * 5.5 * t) * std::min(1.0, t / 0.3));
        phase += 2 * kPi * f / kRate;
        double v = 0;
        for (int n = 1; n <= 9; ++n) v += std::sin(n * phase) / n * std::pow(0.55 + 0.4 * swell, n - 1);
        const double tail = std::min(1.0, (length - t) / 0.08);
        s[i] = v * swell * std::max(0.0, tail) * (0.85 + 0.15 * std::exp(-t / 0.1));
    }
    return s;
}

// A soft, hollow note for the sad phrase: mostly odd harmonics, slow attack.
Signal MuteNote(double hz, double length, double vibrato) {
    Signal s(size_t(length * kRate));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double f = hz * (1.0 + vibrato * std::sin(2 * kPi * 4.5 * t) * std::min(1.0, t / 0.25));
        phase += 2 * kPi * f / kRate;
        const double v = std::sin(phase) + 0.35 * std::sin(3 * phase) + 0.12 * std::sin(5 * phase) +
                         0.18 * std::sin(2 * phase);
        const double attack = std::min(1.0, t / 0.05);
        const double tail = std::max(0.0, std::min(1.0, (length - t) / 0.12));
        s[i] = v * attack * tail;
    }
    return s;
}

Signal Click() {
    // A short pip: a high tone with a very fast decay over a tick of noise.
    Signal s(size_t(0.07 * kRate));
    Noise noise;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        const double tone = std::sin(2 * kPi * 1760 * t) + 0.3 * std::sin(2 * kPi * 3520 * t);
        s[i] = tone * Envelope(t, 0.07, 0.002, 0.014) + 0.25 * noise.Next() * std::exp(-t / 0.003);
    }
    return s;
}

Signal Ping() {
    // A bright bell: inharmonic partials of a small bar, the high ones dying first.
    const double base = NoteHz(91);  // G6
    const double ratios[] = {1.0, 2.76, 5.40};
    const double gains[] = {1.0, 0.45, 0.2};
    const double taus[] = {0.16, 0.07, 0.035};
    const double length = 0.5;
    Signal s(size_t(length * kRate));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        double v = 0;
        for (int k = 0; k < 3; ++k) v += gains[k] * std::sin(2 * kPi * base * ratios[k] * t) * std::exp(-t / taus[k]);
        s[i] = v * std::min(1.0, t / 0.002) * std::min(1.0, (length - t) / 0.02);
    }
    return s;
}

Signal Fanfare() {
    // Three quick pick-up notes, then the tonic chord held with a little vibrato.
    Signal s;
    const int pickups[] = {72, 76, 79};  // C5 E5 G5
    for (int k = 0; k < 3; ++k) MixAt(s, BrassNote(NoteHz(pickups[k]), 0.15), 0.14 * k, 1.5);
    MixAt(s, BrassNote(NoteHz(84), 0.2), 0.42, 1.5);  // C6
    for (int n : {72, 76, 79, 84}) MixAt(s, BrassNote(NoteHz(n), 0.88, 0.006), 0.62, n == 84 ? 0.9 : 0.55);
    return s;
}

Signal SadPhrase() {
    // Four notes sliding down by semitones; the last one sags and fades.
    Signal s;
    const int notes[] = {67, 66, 65};  // G4 F#4 F4
    for (int k = 0; k < 3; ++k) MixAt(s, MuteNote(NoteHz(notes[k]), 0.34, 0.0), 0.36 * k);
    Signal last = MuteNote(NoteHz(64), 0.9, 0.012);  // E4
    for (size_t i = 0; i < last.size(); ++i) last[i] *= std::exp(-double(i) / kRate / 0.5);
    MixAt(s, last, 1.08);
    return s;
}

Signal Whoosh() {
    // Low-passed noise swelling and falling away, ending on a soft low thud.
    const double length = 0.26;
    Signal s(size_t(length * kRate));
    Noise noise;
    double lp1 = 0, lp2 = 0, phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kRate;
        // The filter opens as the air rushes past, then closes.
        const double open = std::exp(-std::pow((t - 0.08) / 0.05, 2));
        const double k = 0.04 + 0.22 * open;
        lp1 += k * (noise.Next() - lp1);
        lp2 += k * (lp1 - lp2);
        const double air = lp2 * 3.2 * open;
        const double thudT = t - 0.1;
        double thud = 0;
        if (thudT > 0) {
            phase += 2 * kPi * (55 + 45 * std::exp(-thudT / 0.03)) / kRate;
            thud = std::sin(phase) * std::min(1.0, thudT / 0.004) * std::exp(-thudT / 0.045);
        }
        s[i] = air + 0.8 * thud;
    }
    return s;
}

// Removes any offset, fades both ends and scales the peak to -1 dBFS.
std::vector<int16_t> Finish(Signal s) {
    double mean = 0;
    for (double v : s) mean += v;
    mean /= double(s.size());
    const size_t fadeIn = size_t(0.002 * kRate), fadeOut = size_t(0.01 * kRate);
    for (size_t i = 0; i < s.size(); ++i) {
        double g = 1;
        if (i < fadeIn) g = 0.5 - 0.5 * std::cos(kPi * double(i) / double(fadeIn));
        const size_t fromEnd = s.size() - 1 - i;
        if (fromEnd < fadeOut) g *= 0.5 - 0.5 * std::cos(kPi * double(fromEnd) / double(fadeOut));
        s[i] = (s[i] - mean) * g;
    }
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    std::vector<int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) out[i] = int16_t(std::lround(s[i] / peak * kPeak * 32767));
    return out;
}

bool WriteWave(const std::string& path, const std::vector<int16_t>& pcm) {
    std::vector<uint8_t> b;
    auto put16 = [&b](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    auto tag = [&b](const char* t) {
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(t[i]));
    };
    const uint32_t data = uint32_t(pcm.size() * 2);
    tag("RIFF");
    put32(36 + data);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(data);
    for (int16_t v : pcm) put16(uint16_t(v));
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    return bool(f);
}

// The waveform as a min/max trace, 1 pixel per column, on a light background.
bool WritePgm(const std::string& path, const std::vector<int16_t>& pcm) {
    const int w = 900, h = 140;
    std::vector<uint8_t> px(size_t(w) * h, 245);
    for (int x = 0; x < w; ++x) px[size_t(h / 2) * w + x] = 190;
    const double seconds = 1.8;  // one time scale for all five, so lengths compare
    for (int x = 0; x < w; ++x) {
        const size_t a = size_t(x * seconds * kRate / w), b = size_t((x + 1) * seconds * kRate / w);
        if (a >= pcm.size()) break;
        int lo = 0, hi = 0;
        for (size_t i = a; i < std::min(b, pcm.size()); ++i) {
            lo = std::min<int>(lo, pcm[i]);
            hi = std::max<int>(hi, pcm[i]);
        }
        const int y0 = h / 2 - hi * (h / 2 - 2) / 32768, y1 = h / 2 - lo * (h / 2 - 2) / 32768;
        for (int y = y0; y <= y1; ++y) px[size_t(y) * w + x] = 40;
    }
    std::ofstream f(path, std::ios::binary);
    f << "P5\n" << w << " " << h << "\n255\n";
    f.write(reinterpret_cast<const char*>(px.data()), std::streamsize(px.size()));
    return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY [WAVEFORM_DIRECTORY]\n", argv[0]);
        return 2;
    }
    const struct {
        const char* name;
        Signal (*make)();
    } sounds[] = {{"21.wav", Click}, {"PIN1.wav", Ping}, {"FAN2.wav", Fanfare}, {"DOWN1.wav", SadPhrase},
                  {"whuf.WAV", Whoosh}};
    bool ok = true;
    for (const auto& s : sounds) {
        const std::vector<int16_t> pcm = Finish(s.make());
        ok &= WriteWave(std::string(argv[1]) + "/" + s.name, pcm);
        if (argc == 3) ok &= WritePgm(std::string(argv[2]) + "/" + s.name + ".pgm", pcm);
    }
    if (!ok) {
        std::fprintf(stderr, "wavgen: cannot write the output files\n");
        return 1;
    }
    return 0;
}
