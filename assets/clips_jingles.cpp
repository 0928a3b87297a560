// The little tunes: the power-up's chimes, the mission's fanfare, game over, the bonus
// jingle, and the crowd's cheer.
#include <algorithm>
#include <cmath>

#include "assets/synth.h"

namespace {

constexpr Instrument Brass = {Wave::Pulse, 0.3, {0.015, 0.08, 0.7, 0.06}, 5.5, 0.15};
constexpr Instrument Horn = {Wave::Saw, 0, {0.02, 0.1, 0.6, 0.06}, 5.5, 0.1};
constexpr Instrument Lament = {Wave::Triangle, 0, {0.03, 0.2, 0.8, 0.3}, 4.5, 0.35, 0.25};
constexpr Instrument Reed = {Wave::Pulse, 0.5, {0.03, 0.2, 0.6, 0.3}, 4.5, 0.2, 0.25};
constexpr Instrument Bell = {Wave::Pulse, 0.125, {0.005, 0.12, 0.4, 0.05}};
constexpr Instrument Bass = {Wave::Triangle, 0, {0.01, 0.1, 0.8, 0.05}};

// The mission opens: up the chord to a held top note.
constexpr Tone FanfareLead[] = {{G4, 1}, {C5, 1}, {E5, 1}, {G5, 3}, {E5, 1}, {G5, 5}};
constexpr Tone FanfareThird[] = {{E4, 1}, {G4, 1}, {C5, 1}, {E5, 3}, {C5, 1}, {E5, 5}};
constexpr Tone FanfareBass[] = {{C3, 1}, {Rest, 2}, {C3, 3}, {G2, 1}, {C3, 5}};

// The dish is gone: down the minor scale, over a bass walking down to the dominant.
constexpr Tone LamentLead[] = {{E5, 2}, {D5, 2}, {C5, 2}, {B4, 2}, {C5, 1}, {B4, 1}, {A4, 6}};
constexpr Tone LamentThird[] = {{C5, 2}, {B4, 2}, {A4, 2}, {Gs4, 2}, {A4, 1}, {Gs4, 1}, {E4, 6}};
constexpr Tone LamentBass[] = {{A2, 2}, {G2, 2}, {F2, 2}, {E2, 2}, {A2, 8}};

constexpr Tone BonusLead[] = {{E5, 1}, {G5, 1}, {C6, 1}, {E6, 1}, {D6, 1}, {C6, 1}, {G6, 6}};
constexpr Tone BonusBass[] = {{C4, 2}, {E4, 2}, {G3, 2}, {C4, 6}};

static_assert(Steps(FanfareLead) == 12 && Steps(FanfareThird) == 12 && Steps(FanfareBass) == 12);
static_assert(Steps(LamentLead) == 16 && Steps(LamentThird) == 16 && Steps(LamentBass) == 16);
static_assert(Steps(BonusLead) == 12 && Steps(BonusBass) == 12);

} // namespace

Sound PowerUp(int rate, int count) {
    // The swatter grows: chimes running up a major chord, each doubled a hair sharp so the
    // run shimmers.
    constexpr int Chimes[] = {C6, E6, G6, C7, E7, G7};
    Sound s = MakeSound(rate, count);
    for (size_t k = 0; k < std::size(Chimes); ++k) {
        double at = 0.055 * double(k);
        double hz = NoteHz(Chimes[k]);
        Strike(s, at, hz, 0.1, 0.5);
        Strike(s, at, hz * 1.004, 0.1, 0.25);
    }
    Finish(s, 0.08);
    return s;
}

Sound Fanfare(int rate, int count) {
    Sound s = MakeSound(rate, count);
    Noise noise{128};
    double step = Duration(s) / 12;
    PlayLine(s, Brass, FanfareLead, 0, step, 0.5);
    PlayLine(s, Horn, FanfareThird, 0, step, 0.25);
    PlayLine(s, Bass, FanfareBass, 0, step, 0.5);
    Snare(s, noise, 6 * step, 0.3);
    Cymbal(s, noise, 7 * step, 0.12, 0.2);
    Finish(s, 0.06);
    return s;
}

Sound GameOver(int rate, int count) {
    Sound s = MakeSound(rate, count);
    double step = Duration(s) / 16;
    PlayLine(s, Lament, LamentLead, 0, step, 0.55);
    PlayLine(s, Reed, LamentThird, 0, step, 0.18);
    PlayLine(s, Bass, LamentBass, 0, step, 0.45, 0.95);
    Finish(s, 0.3);
    return s;
}

Sound Bonus(int rate, int count) {
    // A spare bright jingle, for a bonus that never came.
    Sound s = MakeSound(rate, count);
    double step = Duration(s) / 12;
    PlayLine(s, Bell, BonusLead, 0, step, 0.45);
    PlayLine(s, Bass, BonusBass, 0, step, 0.45);
    Finish(s, 0.1);
    return s;
}

Sound Cheer(int rate, int count) {
    // A crowd's "hooray": voices of their own pitch sung through the "ah" of an open mouth,
    // rising and falling, over clapping hands and a whistle or two.
    constexpr int Voices = 10;
    constexpr int Claps = 40;
    Sound s = MakeSound(rate, count);
    Noise noise{127};
    double length = Duration(s);
    for (int v = 0; v < Voices; ++v) {
        double start = 0.15 * NextUniform(noise);
        double pitch = Glide(170, 330, NextUniform(noise));
        double wobble = 4 + 3 * NextUniform(noise);
        Svf mouth, throat;
        Phase glottis, vibrato;
        int first = SampleAt(s, start);
        for (int i = first; i < count; ++i) {
            double x = (TimeOf(s, i) - start) / (length - start);
            Advance(vibrato, wobble, rate);
            double contour = 3 * Hump(std::min(1.0, 1.6 * x)) + 0.3 * Sine(vibrato);
            Advance(glottis, pitch * std::exp2(contour / 12), rate);
            double voice = Saw(glottis) + 0.3 * NextNoise(noise);
            double ah = Filter(mouth, voice, 800, 5, rate).band +
                        0.6 * Filter(throat, voice, 1250, 6, rate).band;
            s.samples[i] += std::min(1.0, x / 0.08) * (1 - 0.6 * x) * ah / Voices;
        }
    }
    for (int c = 0; c < Claps; ++c) {
        Svf hands;
        double at = length * 0.8 * NextUniform(noise);
        int first = SampleAt(s, at);
        for (int i = 0; i < SampleAt(s, 0.03); ++i) {
            double clap = Filter(hands, NextNoise(noise), 1500, 1.5, rate).band;
            AddAt(s, first + i, 0.35 * Decay(TimeOf(s, i), 0.006) * clap);
        }
    }
    Phase whistle;
    for (int i = SampleAt(s, 0.25); i < SampleAt(s, 0.85); ++i) {
        double x = (TimeOf(s, i) - 0.25) / 0.6;
        Advance(whistle, Glide(1800, 2600, std::min(1.0, 2 * x)), rate);
        s.samples[i] += 0.12 * Hump(x) * Sine(whistle);
    }
    Finish(s, 0.15);
    return s;
}
