// The title music: sixteen bars in C, played round and round while the title shows.
// Form A A' B A'', with the last bar turning back into the first: the clip is rendered as a
// ring, so the tails of the last bar's notes sound under the first bar's, as on a repeat.
#include <array>
#include <span>

#include "assets/synth.h"

namespace {

constexpr int Bars = 16;
constexpr int StepsPerBar = 16;

constexpr Instrument Lead = {Wave::Pulse, 0.25, {0.005, 0.06, 0.6, 0.04}, 5.5, 0.12};
constexpr Instrument Echo = {Wave::Pulse, 0.5, {0.005, 0.06, 0.6, 0.04}};
constexpr Instrument Bass = {Wave::Triangle, 0, {0.005, 0.05, 0.8, 0.03}};

// The tune, phrase by phrase, in sixteenth-note steps.
constexpr Tone Opening[] = {
    {E5, 2}, {G5, 2}, {C6, 4}, {B5, 2}, {G5, 2}, {E5, 4}, // C
    {A5, 2}, {C6, 2}, {E6, 4}, {D6, 2}, {C6, 2}, {A5, 4}, // Am
};
constexpr Tone Answer[] = {
    {F5, 2}, {A5, 2}, {C6, 2}, {A5, 2}, {G5, 2}, {F5, 2}, {A5, 4}, // F
};
constexpr Tone HalfClose[] = {
    {G5, 4}, {D5, 2}, {G5, 2}, {B5, 6}, {Rest, 2}, // G
};
constexpr Tone FullClose[] = {
    {F5, 2}, {A5, 2}, {C6, 4}, {B5, 2}, {D6, 2},   {G5, 4}, // F G
    {C6, 4}, {G5, 2}, {E5, 2}, {C5, 4}, {Rest, 4},          // C
};
constexpr Tone Bridge[] = {
    {A5, 6}, {G5, 2}, {A5, 2}, {C6, 2}, {A5, 4},          // F
    {B5, 6}, {A5, 2}, {B5, 2}, {D6, 2}, {B5, 4},          // G
    {G5, 2}, {B5, 2}, {E6, 4}, {E6, 2}, {C6, 2}, {A5, 4}, // Em Am
    {F5, 2}, {A5, 2}, {D6, 4}, {D6, 2}, {B5, 2}, {G5, 4}, // Dm G
};
constexpr Tone Turnaround[] = {
    {G5, 2}, {A5, 2}, {B5, 2}, {D6, 2}, {F6, 4}, {D6, 2}, {B5, 2}, // G7, back to the top
};

constexpr std::span<const Tone> Form[] = {
    Opening, Answer,    HalfClose,  // A
    Opening, FullClose,             // A'
    Bridge,                         // B
    Opening, Answer,    Turnaround, // A''
};

constexpr int FormSteps() {
    int steps = 0;
    for (std::span<const Tone> phrase : Form) steps += Steps(phrase);
    return steps;
}
static_assert(FormSteps() == Bars * StepsPerBar, "the tune must fill the loop exactly");

// The chords under it, two to a bar, as bass roots.
constexpr int Chords[] = {
    C3, C3, A2, A2, F2, F2, G2, G2, // A
    C3, C3, A2, A2, F2, G2, C3, C3, // A'
    F2, F2, G2, G2, E2, A2, D3, G2, // B
    C3, C3, A2, A2, F2, F2, G2, G2, // A''
};
static_assert(std::size(Chords) == 2 * Bars);
// The bass walks each chord in eighths: root, octave, fifth, octave.
constexpr int BassFigure[] = {0, 12, 7, 12};

// Drum bars as a drum machine shows them: one row per drum, one column per step.
// Hats: x closed, o open.
struct DrumBar {
    const char* kick;
    const char* snare;
    const char* hat;
};
constexpr DrumBar Groove = {
    "x.....x.x.......",
    "....x.......x...",
    "x.x.x.x.x.x.x.x.",
};
constexpr DrumBar Drive = {
    "x...x...x...x...",
    "....x.......x...",
    "..o...o...o...o.",
};
constexpr DrumBar Fill = {
    "x.....x.x.......",
    "....x.....x.xxxx",
    "x.x.x.x.x.x.....",
};
constexpr std::array<const DrumBar*, Bars> Drums = {
    &Groove, &Groove, &Groove, &Groove, &Groove, &Groove, &Groove, &Fill,
    &Drive,  &Drive,  &Drive,  &Fill,   &Groove, &Groove, &Groove, &Fill,
};
// A crash marks the top of the tune and of the bridge.
constexpr int CrashBars[] = {0, 8};

void PlayDrums(Sound& s, double step) {
    Noise noise{134};
    for (int bar = 0; bar < Bars; ++bar) {
        const DrumBar& drums = *Drums[size_t(bar)];
        for (int k = 0; k < StepsPerBar; ++k) {
            double at = (bar * StepsPerBar + k) * step;
            if (drums.kick[k] == 'x') Kick(s, at, 0.55);
            if (drums.snare[k] == 'x') Snare(s, noise, at, 0.3);
            if (drums.hat[k] == 'x') Cymbal(s, noise, at, 0.012, 0.12);
            if (drums.hat[k] == 'o') Cymbal(s, noise, at, 0.05, 0.1);
        }
    }
    for (int bar : CrashBars) Cymbal(s, noise, bar * StepsPerBar * step, 0.25, 0.15);
}

void PlayBass(Sound& s, double step) {
    double halfBar = StepsPerBar / 2 * step;
    for (size_t c = 0; c < std::size(Chords); ++c) {
        for (size_t k = 0; k < std::size(BassFigure); ++k) {
            double at = double(c) * halfBar + double(k) * 2 * step;
            PlayNote(s, Bass, Chords[c] + BassFigure[k], at, 1.6 * step, 0.5);
        }
    }
}

// The melody, and its echo three steps behind, softer, as the old sound chips faked a hall.
void PlayMelody(Sound& s, double step) {
    double t = 0;
    for (std::span<const Tone> phrase : Form) {
        PlayLine(s, Echo, phrase, t + 3 * step, step, 0.1);
        t = PlayLine(s, Lead, phrase, t, step, 0.3);
    }
}

} // namespace

Sound TitleTune(int rate, int count) {
    Sound s = MakeSound(rate, count, true);
    double step = Duration(s) / (Bars * StepsPerBar);
    PlayMelody(s, step);
    PlayBass(s, step);
    PlayDrums(s, step);
    RemoveDc(s);
    Normalize(s, 0.85);
    return s;
}
